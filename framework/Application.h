// The application object: its Open and Close events, its menu bar, its quit rule and what it
// knows about itself.
#pragma once

#include <memory>

#include "framework/Core.h"
#include "framework/FolderItem.h"

namespace fw {

class MenuBar;

class Application : public Object {
 public:
  Application();
  ~Application() override;

  Event<void()> Open;
  Event<void()> CloseEvent;
  // Raised by the framework once start-up is done, and when the application quits.
  virtual void Event_Open() { Open.Raise(*this); }
  virtual void Event_Close() { CloseEvent.Raise(*this); }

  // When True, closing the last open window quits the application.
  bool AutoQuit() const { return autoQuit_; }
  void SetAutoQuit(bool on) { autoQuit_ = on; }

  std::shared_ptr<fw::MenuBar> GetMenuBar() const { return menuBar_; }
  void SetMenuBar(std::shared_ptr<fw::MenuBar> bar) { menuBar_ = std::move(bar); }

  // The version text the build declares, as "Version 1.0.0".
  String LongVersion() const;
  // The running program's file.
  FolderItemPtr ExecutableFile() const;

  // Closes every open window, raises Close and ends the event loop. Asks nothing.
  void Quit();
  bool Quitting() const { return quitting_; }

 private:
  bool autoQuit_ = false;
  bool quitting_ = false;
  std::shared_ptr<fw::MenuBar> menuBar_;
};

// The icon of every window and dialog of the program (taskbar, window switcher); Nil leaves the
// desktop's own.
void SetApplicationIcon(const std::shared_ptr<class Picture>& icon);
// The desktop entry's id (without ".desktop"), by which the desktop finds the program's entry and icon.
void SetDesktopFileName(const String& id);

// The running program's file, with no application object needed.
FolderItemPtr ExecutableFile();

namespace seams {
// Makes ExecutableFile report this path (a test's stand-in for the bundle); empty: the real one.
void SetExecutableFile(const QByteArray& path);
}  // namespace seams

}  // namespace fw
