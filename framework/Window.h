// A top-level window: a host of controls with its own design, built by Constructor.
#pragma once

#include <QtGlobal>
#include <functional>

class QPoint;
class QRect;

#include "framework/Control.h"

class QMainWindow;
class QMenuBar;

namespace fw {

class MenuBar;

class Window : public Object, public ControlHost {
 public:
  Window();
  ~Window() override;

  // Builds the window: Layout, CreateControls, the controls' Open events, the window's Open,
  // then shows it when its design says it is visible. From its start the window is open and filed
  // under its class's full name, so a second request for the implicit instance finds it.
  void Constructor();

  // The name the window is filed under while it is open.
  virtual String FullClassName() const { return QStringLiteral("Window"); }

  String Title() const;
  void SetTitle(const String& t);
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int w);
  void SetHeight(int h);
  bool Visible() const;
  void SetVisible(bool v);
  void Show();
  // Closes the window: the focused control loses the focus (a field's edit is written as when it
  // is left), then Close is raised, the frame kept, the window unfiled and destroyed later when the
  // framework owns it. With AutoQuit, closing the last open window quits the application.
  void Close();
  // True from Constructor until the window closes.
  bool IsOpen() const { return open_; }
  // True once the window has closed (or failed to build); it does not open again.
  bool Closed() const { return closed_; }

  // The menu bar shown at the top of the window, built from the item tree when it is set.
  std::shared_ptr<fw::MenuBar> GetMenuBar() const { return menuBar_; }
  void SetMenuBar(std::shared_ptr<fw::MenuBar> bar);
  bool MenuBarVisible() const { return menuBarVisible_; }
  void SetMenuBarVisible(bool v);

  // The native window's identifier.
  quintptr Handle() const;

  Event<void()> Open;
  Event<void()> CloseEvent;
  virtual void Event_Open() { Open.Raise(*this); }
  virtual void Event_Close() { CloseEvent.Raise(*this); }

  bool ApplyProperty(std::string_view name, const Value& v) override;
  QWidget* ContentWidget() const override;
  QMainWindow* NativeWindow() const { return native_; }
  QMenuBar* NativeMenuBar() const;

  // The name under which the window's position is kept between runs; a kept position comes back
  // at once, moved as needed to lie on a screen. The position is kept again on each move and on close.
  void SetFrameAutosaveName(const String& name);
  String FrameAutosaveName() const { return autosaveName_; }

  // Called by the Qt window; not for other callers.
  void HandleNativeClose();
  void HandleNativeMove();

 private:
  void ApplySizeLimits();
  void SaveFrame() const;
  void RestoreFrame();
  // Where a frame must go to lie on a screen; then the same once the window manager's frame is known.
  QPoint OnScreen(const QRect& frame) const;
  void KeepFrameOnScreen();
  bool frameCheckPending_ = false;
  void Unfile();
  QMainWindow* native_;
  QWidget* content_;
  std::shared_ptr<fw::MenuBar> menuBar_;
  int width_ = 0, height_ = 0;
  int minW_ = 0, minH_ = 0, maxW_ = 32000, maxH_ = 32000;
  bool resizeable_ = true;
  bool visibleByDesign_ = true;
  bool hasBackColor_ = false;
  bool menuBarVisible_ = true;
  bool open_ = false;
  bool closed_ = false;
  Color backColor_{255, 255, 255};
  String autosaveName_;
};

// The first open window filed under that class name, or nullptr.
Window* GetImplicitWindow(const String& fullClassName);

// Hands a window to the framework, which destroys it once it has closed (or at RuntimeExit).
Window& AdoptWindow(std::unique_ptr<Window> window);
// Makes a window of class T that the framework owns; Constructor is still the caller's to run.
template <class T>
T& AdoptNewWindow() {
  auto owned = std::make_unique<T>();
  T& w = *owned;
  AdoptWindow(std::move(owned));
  return w;
}

// Runs f once the current event is done and no mouse button is held, so that the click that led
// to it (a press that moved the focus) is over first.
void CallAfterClick(std::function<void()> f);

// The open windows, oldest first.
int WindowCount();
Window* WindowAt(int index);

// Destroys the framework's windows that have closed. Runs by itself shortly after a close.
void DestroyClosedWindows();
// Destroys every window the framework owns, open or not, without raising Close.
void DestroyAllAdoptedWindows();

}  // namespace fw
