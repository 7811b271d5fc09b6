#include "framework/Window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>

#include "framework/Application.h"
#include "framework/Menu.h"
#include "framework/Runtime.h"
#include "framework/Trace.h"

namespace fw {

namespace {

class QtWindow : public QMainWindow {
 public:
  explicit QtWindow(Window* owner) : owner_(owner) {}
  Window* owner_;

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (owner_) owner_->HandleNativeClose();
    QMainWindow::closeEvent(e);
  }
  void moveEvent(QMoveEvent* e) override {
    QMainWindow::moveEvent(e);
    if (owner_) owner_->HandleNativeMove();
  }
};

// Open windows, oldest first; they are the implicit instances of their classes. Both lists are
// never destroyed, so no window is torn down during static destruction.
std::vector<Window*>& openWindows = *new std::vector<Window*>;
// Windows the framework owns, open or closed.
std::vector<std::unique_ptr<Window>>& adoptedWindows = *new std::vector<std::unique_ptr<Window>>;

bool Adopted(const Window* w) {
  return std::any_of(adoptedWindows.begin(), adoptedWindows.end(), [w](const auto& p) { return p.get() == w; });
}

void ScheduleDestruction() {
  if (auto* app = QCoreApplication::instance()) QTimer::singleShot(0, app, [] { DestroyClosedWindows(); });
}

std::unique_ptr<QSettings> FrameSettings() {
  String folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  return std::make_unique<QSettings>(folder + QStringLiteral("/frames.ini"), QSettings::IniFormat);
}

String FrameKey(const String& name) { return QStringLiteral("Frames/") + name; }
// The frame's size as the window manager last drew it (title bar and borders included).
String FrameSizeKey(const String& name) { return QStringLiteral("FrameSizes/") + name; }

// The light ground the designs' colours were chosen for, whatever the desktop's palette: every text
// colour of a design reads on it. Dialogs, menus and help tags keep the desktop's own.
QPalette DesignPalette() {
  const QColor black(0, 0, 0), white(255, 255, 255), ground(0xF6, 0xF6, 0xF6), button(0xEC, 0xEC, 0xEC);
  QPalette p(black, button, white, QColor(0x9A, 0x9A, 0x9A), QColor(0xC4, 0xC4, 0xC4), black, white, white, ground);
  p.setColor(QPalette::AlternateBase, QColor(0xF2, 0xF2, 0xF2));
  p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
  p.setColor(QPalette::ToolTipText, black);
  p.setColor(QPalette::PlaceholderText, QColor(0x6E, 0x6E, 0x6E));
  p.setColor(QPalette::Highlight, QColor(0x30, 0x60, 0xC0));
  p.setColor(QPalette::HighlightedText, white);
  p.setColor(QPalette::Link, QColor(0, 0, 0xEE));
  p.setColor(QPalette::LinkVisited, QColor(0x55, 0x1A, 0x8B));
  p.setColor(QPalette::Light, white);
  p.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
  p.setColor(QPalette::Dark, QColor(0x9A, 0x9A, 0x9A));
  p.setColor(QPalette::Shadow, QColor(0x76, 0x76, 0x76));
  // Greyed texts stay readable (4.5:1) on their grounds.
  const QColor greyed(0x6A, 0x6A, 0x6A);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, greyed);
  p.setColor(QPalette::Disabled, QPalette::Base, ground);
  p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x91, 0x91, 0x91));
  return p;
}

}  // namespace

Window::Window() : native_(new QtWindow(this)), content_(new QWidget) {
  native_->setCentralWidget(content_);
  native_->setPalette(DesignPalette());
}

Window::~Window() {
  Unfile();
  DestroyControls();
  static_cast<QtWindow*>(native_)->owner_ = nullptr;
  delete native_;
}

void Window::Constructor() {
  open_ = true;
  openWindows.push_back(this);
  try {
    BuildHost();
    RaiseOpenEvents();
    seams::Trace(QStringLiteral("Window.Open ") + FullClassName());
    Event_Open();
  } catch (...) {
    // A window that failed to build is not open; one the framework owns goes away.
    closed_ = true;
    Unfile();
    if (Adopted(this)) ScheduleDestruction();
    throw;
  }
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
void Window::Show() {
  native_->show();
  KeepFrameOnScreen();
}

void Window::Close() {
  native_->close();
  // A hidden window may not get Qt's close event; the close happens all the same.
  HandleNativeClose();
}

void Window::HandleNativeClose() {
  if (closed_) return;
  closed_ = true;
  bool wasOpen = open_;
  // Closing is leaving the focused field, however the close came: its edit is not lost.
  if (QWidget* focused = native_->focusWidget()) {
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(focused, &out);
  }
  Event_Close();
  SaveFrame();
  Unfile();
  native_->hide();
  seams::Trace(QStringLiteral("Window closed ") + FullClassName());
  if (Adopted(this)) ScheduleDestruction();
  if (!wasOpen) return;
  auto app = GetAppObject();
  if (app && app->AutoQuit() && !app->Quitting() && openWindows.empty()) app->Quit();
}

void Window::HandleNativeMove() {
  if (!native_->isVisible()) return;
  // The window manager's frame shows up once the window is on screen (a move on X11).
  KeepFrameOnScreen();
  SaveFrame();
}

void Window::Unfile() {
  open_ = false;
  openWindows.erase(std::remove(openWindows.begin(), openWindows.end(), this), openWindows.end());
}

void Window::SetMenuBar(std::shared_ptr<fw::MenuBar> bar) {
  menuBar_ = std::move(bar);
  if (!menuBar_) {
    native_->setMenuWidget(nullptr);
  } else {
    auto* qbar = new QMenuBar;
    for (int i = 0; i < menuBar_->Count(); ++i) {
      MenuItemPtr menu = menuBar_->Item(i);
      if (!menu || !menu->Visible || menu->IsSeparator()) continue;
      detail::FillQtMenu(qbar->addMenu(menu->Text), menu);
    }
    native_->setMenuBar(qbar);
    qbar->setVisible(menuBarVisible_);
  }
  if (width_ > 0 || height_ > 0) ApplySizeLimits();
}

QMenuBar* Window::NativeMenuBar() const { return qobject_cast<QMenuBar*>(native_->menuWidget()); }

void Window::SetMenuBarVisible(bool v) {
  menuBarVisible_ = v;
  if (QMenuBar* b = NativeMenuBar()) b->setVisible(v);
}

quintptr Window::Handle() const { return quintptr(native_->winId()); }

QWidget* Window::ContentWidget() const { return content_; }

void Window::SetFrameAutosaveName(const String& name) {
  autosaveName_ = name;
  if (!name.isEmpty()) RestoreFrame();
}

void Window::SaveFrame() const {
  if (autosaveName_.isEmpty()) return;
  auto settings = FrameSettings();
  settings->setValue(FrameKey(autosaveName_), native_->pos());
  if (native_->isVisible()) settings->setValue(FrameSizeKey(autosaveName_), native_->frameGeometry().size());
}

void Window::RestoreFrame() {
  auto settings = FrameSettings();
  QVariant kept = settings->value(FrameKey(autosaveName_));
  if (!kept.canConvert<QPoint>()) return;
  QPoint p = kept.toPoint();
  // Before it is shown the window knows no frame: the last run's frame stands in for it, and
  // the place is checked again once the real frame is known.
  QSize size = native_->frameGeometry().size().expandedTo(settings->value(FrameSizeKey(autosaveName_)).toSize());
  if (size.isEmpty()) size = native_->sizeHint();
  native_->move(OnScreen(QRect(p, size)));
  frameCheckPending_ = !native_->isVisible();
  if (auto* app = QCoreApplication::instance(); app && frameCheckPending_) {
    // A window manager that never reports a move still gets its frame checked.
    QPointer<QMainWindow> w = native_;
    QTimer::singleShot(1000, app, [this, w] {
      if (w) KeepFrameOnScreen();
      if (w) frameCheckPending_ = false;
    });
  }
}

QPoint Window::OnScreen(const QRect& frame) const {
  QPoint p = frame.topLeft();
  QSize size = frame.size();
  QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (!screen) screen = native_->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    // Kept on screen: wholly inside the screen's free area where it fits, its top-left corner otherwise.
    QRect a = screen->availableGeometry();
    p.setX(std::clamp(p.x(), a.left(), std::max(a.left(), a.right() + 1 - size.width())));
    p.setY(std::clamp(p.y(), a.top(), std::max(a.top(), a.bottom() + 1 - size.height())));
  }
  return p;
}

void Window::KeepFrameOnScreen() {
  if (!frameCheckPending_ || !native_->isVisible()) return;
  QRect frame = native_->frameGeometry();
  // Not yet framed by the window manager: wait for the move that brings the frame.
  if (frame == native_->geometry()) return;
  frameCheckPending_ = false;
  QPoint p = OnScreen(frame);
  if (p != frame.topLeft()) native_->move(p);
}

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
  if (name == "MenuBarVisible") return SetMenuBarVisible(AsBool(v, name)), true;
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
  static const std::string_view inertBool[] = {"Composite",      "FullScreen",     "CloseButton",     "LiveResize",
                                               "MaximizeButton", "MinimizeButton", "FullScreenButton"};
  for (auto n : inertInt)
    if (name == n) return AsInt(v, name), true;
  for (auto n : inertBool)
    if (name == n) return AsBool(v, name), true;
  return Object::ApplyProperty(name, v);
}

Window* GetImplicitWindow(const String& fullClassName) {
  for (Window* w : openWindows)
    if (w->FullClassName() == fullClassName) return w;
  return nullptr;
}

Window& AdoptWindow(std::unique_ptr<Window> window) {
  adoptedWindows.push_back(std::move(window));
  return *adoptedWindows.back();
}

void CallAfterClick(std::function<void()> f) {
  auto* app = QCoreApplication::instance();
  if (!app) return;
  QTimer::singleShot(0, app, [f = std::move(f)]() mutable {
    if (QGuiApplication::mouseButtons() == Qt::NoButton) return f();
    // Looked at again shortly; a button that is never released (a drag) holds it a few seconds at most.
    auto* poll = new QTimer(QCoreApplication::instance());
    auto started = std::make_shared<qint64>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, started, f = std::move(f)]() mutable {
      *started += poll->interval();
      if (QGuiApplication::mouseButtons() != Qt::NoButton && *started < 5000) return;
      poll->stop();
      std::function<void()> run = std::move(f);
      poll->deleteLater();
      run();
    });
    poll->start(10);
  });
}

int WindowCount() { return int(openWindows.size()); }

Window* WindowAt(int index) {
  if (index < 0 || index >= WindowCount()) return nullptr;
  return openWindows[size_t(index)];
}

void DestroyClosedWindows() {
  std::vector<std::unique_ptr<Window>> closed;
  for (auto& w : adoptedWindows)
    if (w->Closed()) closed.push_back(std::move(w));
  adoptedWindows.erase(std::remove(adoptedWindows.begin(), adoptedWindows.end(), nullptr), adoptedWindows.end());
  closed.clear();
}

void DestroyAllAdoptedWindows() {
  std::vector<std::unique_ptr<Window>> all = std::move(adoptedWindows);
  adoptedWindows.clear();
  all.clear();
}

}  // namespace fw
