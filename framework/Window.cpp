#include "framework/Window.h"

#include <QCloseEvent>
#include <QMainWindow>
#include <QPalette>

namespace fw {

namespace {
class QtWindow : public QMainWindow {
 public:
  explicit QtWindow(Window* owner) : owner_(owner) {}
  Window* owner_;

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (owner_) owner_->Event_Close();
    QMainWindow::closeEvent(e);
  }
};
}  // namespace

Window::Window() : native_(new QtWindow(this)), content_(new QWidget) {
  native_->setCentralWidget(content_);
}

Window::~Window() {
  DestroyControls();
  static_cast<QtWindow*>(native_)->owner_ = nullptr;
  delete native_;
}

void Window::Constructor() {
  BuildHost();
  RaiseOpenEvents();
  Event_Open();
  if (visibleByDesign_) Show();
}

String Window::Title() const { return native_->windowTitle(); }
void Window::SetTitle(const String& t) { native_->setWindowTitle(t); }

void Window::SetWidth(int w) {
  width_ = w;
  ApplySizeLimits();
}
void Window::SetHeight(int h) {
  height_ = h;
  ApplySizeLimits();
}

void Window::ApplySizeLimits() {
  if (!resizeable_) {
    content_->setFixedSize(width_, height_);
  } else {
    content_->setMinimumSize(minW_, minH_);
    content_->setMaximumSize(maxW_, maxH_);
    content_->resize(width_, height_);
  }
  native_->adjustSize();
  if (!resizeable_) native_->setFixedSize(native_->sizeHint());
}

bool Window::Visible() const { return native_->isVisible(); }
void Window::SetVisible(bool v) { native_->setVisible(v); }
void Window::Show() { native_->show(); }
void Window::Close() { native_->close(); }

void Window::SetMenuBar(std::shared_ptr<MenuBar> bar) { menuBar_ = std::move(bar); }

QWidget* Window::ContentWidget() const { return content_; }

void Window::SetFrameAutosaveName(const String& name) { autosaveName_ = name; }

bool Window::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "Title") return SetTitle(AsString(v, name)), true;
  if (name == "Width") return SetWidth(AsInt(v, name)), true;
  if (name == "Height") return SetHeight(AsInt(v, name)), true;
  if (name == "MinWidth") return minW_ = AsInt(v, name), ApplySizeLimits(), true;
  if (name == "MinHeight") return minH_ = AsInt(v, name), ApplySizeLimits(), true;
  if (name == "MaxWidth") return maxW_ = AsInt(v, name), ApplySizeLimits(), true;
  if (name == "MaxHeight") return maxH_ = AsInt(v, name), ApplySizeLimits(), true;
  if (name == "Resizeable") return resizeable_ = AsBool(v, name), ApplySizeLimits(), true;
  if (name == "Visible") return visibleByDesign_ = AsBool(v, name), true;
  if (name == "HasBackColor" || name == "BackColor") {
    if (name == "HasBackColor") hasBackColor_ = AsBool(v, name);
    else backColor_ = AsColor(v, name);
    content_->setAutoFillBackground(hasBackColor_);
    if (hasBackColor_) {
      QPalette p = content_->palette();
      p.setColor(QPalette::Window, QColor(backColor_.Red, backColor_.Green, backColor_.Blue));
      content_->setPalette(p);
    }
    return true;
  }
  // Design codes of the original platform: an ordinary titled top-level window serves them all.
  static const std::string_view inertInt[] = {"Placement", "Frame", "MacProcID"};
  static const std::string_view inertBool[] = {"Composite",   "FullScreen",     "MenuBarVisible", "CloseButton",
                                               "LiveResize",  "MaximizeButton", "MinimizeButton", "FullScreenButton"};
  for (auto n : inertInt)
    if (name == n) return AsInt(v, name), true;
  for (auto n : inertBool)
    if (name == n) return AsBool(v, name), true;
  return Object::ApplyProperty(name, v);
}

}  // namespace fw
