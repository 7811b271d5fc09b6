// A top-level window: a host of controls with its own design, built by Constructor.
#pragma once

#include "framework/Control.h"

class QMainWindow;

namespace fw {

class MenuBar;

class Window : public Object, public ControlHost {
 public:
  Window();
  ~Window() override;

  // Builds the window: Layout, CreateControls, the controls' Open events, the window's Open,
  // then shows it when its design says it is visible.
  void Constructor();

  String Title() const;
  void SetTitle(const String& t);
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int w);
  void SetHeight(int h);
  bool Visible() const;
  void SetVisible(bool v);
  void Show();
  void Close();

  std::shared_ptr<MenuBar> GetMenuBar() const { return menuBar_; }
  void SetMenuBar(std::shared_ptr<MenuBar> bar);

  Event<void()> Open;
  Event<void()> CloseEvent;
  virtual void Event_Open() { Open.Raise(*this); }
  virtual void Event_Close() { CloseEvent.Raise(*this); }

  bool ApplyProperty(std::string_view name, const Value& v) override;
  QWidget* ContentWidget() const override;
  QMainWindow* NativeWindow() const { return native_; }

  // The name under which the window's frame is kept between runs; the kept frame comes back at once.
  void SetFrameAutosaveName(const String& name);

 private:
  void ApplySizeLimits();
  QMainWindow* native_;
  QWidget* content_;
  std::shared_ptr<MenuBar> menuBar_;
  int width_ = 0, height_ = 0;
  int minW_ = 0, minH_ = 0, maxW_ = 32000, maxH_ = 32000;
  bool resizeable_ = true;
  bool visibleByDesign_ = true;
  bool hasBackColor_ = false;
  Color backColor_{255, 255, 255};
  String autosaveName_;
};

}  // namespace fw
