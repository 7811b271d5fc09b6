#include "framework/Control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <map>

#include "framework/QtBridge.h"
#include "framework/Text.h"

namespace fw {

// ---- Control

Control::Control(ControlHost& host) : host_(&host) {}
Control::~Control() = default;

bool Control::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "Name") {
    Name = AsString(v, name);
    return true;
  }
  if (name == "Index") {
    Index = AsInt(v, name);
    return true;
  }
  // Properties of the original platform that have no effect here.
  static const std::string_view inert[] = {"TabPanelIndex", "InitialParent", "AutoDeactivate", "DataSource",
                                           "DataField"};
  return std::find(std::begin(inert), std::end(inert), name) != std::end(inert);
}

// ---- RectControl

QStringList FontFamiliesFor(const String& face) {
  // The fixed boxes were laid out for Verdana, which Debian does not package; with DejaVu Sans in
  // its place several texts overrun their boxes, the condensed face (fonts-dejavu-extra) fits them.
  return {face, QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
}

RectControl::RectControl(ControlHost& host, QWidget* widget) : Control(host), widget_(widget) {
  if (auto* b = dynamic_cast<detail::BridgeBase*>(widget)) b->ctl = this;
  widget->setParent(host.ContentWidget());
  if (host.ContentWidget() && host.ContentWidget()->isVisible()) widget->show();
}

RectControl::~RectControl() {
  if (auto* b = dynamic_cast<detail::BridgeBase*>(widget_.data())) b->ctl = nullptr;
  delete widget_.data();
}

QWidget* RectControl::Widget() const { return widget_.data(); }

void RectControl::SetBounds(int left, int top, int width, int height) {
  int ow = width_, oh = height_;
  left_ = left, top_ = top, width_ = width, height_ = height;
  if (widget_) widget_->setGeometry(left, top, std::max(0, width), std::max(0, height));
  if (ow != width || oh != height) Resized(ow, oh);
}

void RectControl::SetVisible(bool v) {
  visible_ = v;
  if (widget_) widget_->setVisible(v);
}

bool RectControl::Enabled() const { return widget_ && widget_->isEnabledTo(widget_->parentWidget()); }

void RectControl::SetEnabled(bool v) {
  if (widget_) widget_->setEnabled(v);
}

void RectControl::SetTabStop(bool v) {
  tabStop_ = v;
  if (widget_ && widget_->focusPolicy() != Qt::NoFocus) widget_->setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
}

String RectControl::HelpTag() const { return widget_ ? widget_->toolTip() : String(); }
void RectControl::SetHelpTag(const String& s) {
  if (widget_) widget_->setToolTip(s);
}

void RectControl::SetTextFont(const String& f) { textFont_ = f, ApplyFont(); }
void RectControl::SetTextSize(double s) { textSize_ = s, ApplyFont(); }
void RectControl::SetBold(bool b) { bold_ = b, ApplyFont(); }
void RectControl::SetItalic(bool b) { italic_ = b, ApplyFont(); }
void RectControl::SetUnderline(bool b) { underline_ = b, ApplyFont(); }

void RectControl::ApplyFont() {
  if (!widget_) return;
  QFont f = widget_->font();
  if (textFont_ != QLatin1String("System") && !textFont_.isEmpty()) f.setFamilies(FontFamiliesFor(textFont_));
  if (textSize_ > 0) f.setPixelSize(std::max(1, int(std::lround(textSize_))));
  f.setBold(bold_);
  f.setItalic(italic_);
  f.setUnderline(underline_);
  widget_->setFont(f);
}

void RectControl::SetFocus() {
  if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

void RectControl::Invalidate(bool) {
  if (widget_) widget_->update();
}

bool RectControl::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "Left") return SetLeft(AsInt(v, name)), true;
  if (name == "Top") return SetTop(AsInt(v, name)), true;
  if (name == "Width") return SetWidth(AsInt(v, name)), true;
  if (name == "Height") return SetHeight(AsInt(v, name)), true;
  if (name == "LockLeft") return LockLeft = AsBool(v, name), true;
  if (name == "LockTop") return LockTop = AsBool(v, name), true;
  if (name == "LockRight") return LockRight = AsBool(v, name), true;
  if (name == "LockBottom") return LockBottom = AsBool(v, name), true;
  if (name == "TabIndex") return TabIndex = AsInt(v, name), true;
  if (name == "TabStop") return SetTabStop(AsBool(v, name)), true;
  if (name == "Visible") return SetVisible(AsBool(v, name)), true;
  if (name == "Enabled") return SetEnabled(AsBool(v, name)), true;
  if (name == "HelpTag") return SetHelpTag(AsString(v, name)), true;
  if (name == "TextFont") return SetTextFont(AsString(v, name)), true;
  if (name == "Bold") return SetBold(AsBool(v, name)), true;
  if (name == "Italic") return SetItalic(AsBool(v, name)), true;
  if (name == "Underline") return SetUnderline(AsBool(v, name)), true;
  if (name == "UseFocusRing") return AsBool(v, name), true;
  return Control::ApplyProperty(name, v);
}

bool IsCommandKey(Qt::KeyboardModifiers modifiers) {
  return modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

String KeyStringFor(int qtKey, const QString& text) {
  switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Chr(9);
    case Qt::Key_Return: return Chr(13);
    case Qt::Key_Enter: return Chr(3);
    case Qt::Key_Backspace: return Chr(8);
    case Qt::Key_Delete: return Chr(127);
    case Qt::Key_Escape: return Chr(27);
    case Qt::Key_Left: return Chr(28);
    case Qt::Key_Right: return Chr(29);
    case Qt::Key_Up: return Chr(30);
    case Qt::Key_Down: return Chr(31);
    case Qt::Key_Home: return Chr(1);
    case Qt::Key_End: return Chr(4);
    default: break;
  }
  if (qtKey >= Qt::Key_Dead_Grave && qtKey <= Qt::Key_Dead_Longsolidusoverlay) return {};
  if (text.isEmpty()) return {};
  const char16_t first = text[0].unicode();
  if (first < 32 || (first >= 127 && first < 160)) return {};
  // One character: a surrogate pair stays whole.
  return text.left(text[0].isHighSurrogate() && text.size() > 1 ? 2 : 1);
}

namespace {

// Qt sends a key's ShortcutOverride and its KeyPress to whatever has the focus at that moment, and
// its release likewise. A KeyDown handler that moves the focus would then see the next control
// raise KeyDown again for the same press, and that control would get the release. So the press
// is raised once, where it began, and its release goes back to the control that saw the press.
// A press is known by its key and time stamp: one whose KeyPress never came (a shortcut took it)
// must not stand in for a later one.
struct PendingPress {
  int qtKey = 0;
  quint64 timestamp = 0;
  QPointer<QWidget> widget;
  bool result = false;
};
PendingPress pending;

// A release is paired with its press by the physical key: its Qt key changes with the modifiers
// (Shift released before "1" on a US keyboard, or before "&" on a French one, gives another key),
// and it carries the key string of its press. Events with no scan code (made by hand or by tests)
// fall back to the Qt key.
using KeyId = quint64;
KeyId IdOf(const QKeyEvent* e) {
  return e->nativeScanCode() ? (KeyId(1) << 32) | e->nativeScanCode() : KeyId(uint(e->key()));
}

struct HeldKey {
  QPointer<QWidget> widget;
  String key;
};
std::map<KeyId, HeldKey> held;

RectControl* ControlOf(QWidget* w) {
  auto* b = dynamic_cast<detail::BridgeBase*>(w);
  return b ? b->ctl : nullptr;
}

}  // namespace

bool RectControl::BridgeEvent(QEvent* e) {
  switch (e->type()) {
    case QEvent::ShortcutOverride: {
      auto* ke = static_cast<QKeyEvent*>(e);
      // A new press of a key stands for itself: a release that went missing leaves nothing behind.
      if (!ke->isAutoRepeat()) held.erase(IdOf(ke));
      // Commands go to the menus first, as on the desktop the program came from.
      if (IsCommandKey(ke->modifiers())) return CommandKeyOverride(ke);
      String key = KeyStringFor(ke->key(), ke->text());
      if (key.isEmpty()) return false;
      QPointer<QWidget> self = widget_;
      bool result = Event_KeyDown(key);
      pending = {ke->key(), ke->timestamp(), self, result};
      if (result) {
        e->accept();
        return true;
      }
      return false;
    }
    case QEvent::KeyPress: {
      auto* ke = static_cast<QKeyEvent*>(e);
      if (IsCommandKey(ke->modifiers())) {
        if (!ke->isAutoRepeat()) held.erase(IdOf(ke));
        return CommandKeyPress(ke);
      }
      String key = KeyStringFor(ke->key(), ke->text());
      if (key.isEmpty()) return false;
      bool result;
      QPointer<QWidget> pressedIn = widget_;
      if (pending.qtKey == ke->key() && pending.timestamp == ke->timestamp()) {
        result = pending.result;
        pressedIn = pending.widget;
        pending = {};
      } else {
        result = Event_KeyDown(key);
      }
      if (!ke->isAutoRepeat()) held[IdOf(ke)] = {pressedIn, key};
      if (result || (pressedIn == widget_ && !AcceptsTypedKey(key))) {
        e->accept();
        return true;
      }
      return false;
    }
    case QEvent::KeyRelease: {
      auto* ke = static_cast<QKeyEvent*>(e);
      if (ke->isAutoRepeat()) return false;
      auto it = held.find(IdOf(ke));
      if (it == held.end()) return false;
      HeldKey h = it->second;
      held.erase(it);
      if (RectControl* owner = h.widget ? ControlOf(h.widget) : nullptr) owner->Event_KeyUp(h.key);
      return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* me = static_cast<QMouseEvent*>(e);
      if (me->button() != Qt::LeftButton) return false;
      QPoint p = me->position().toPoint();
      if (Event_MouseDown(p.x(), p.y())) {
        mouseCaptured_ = true;
        return true;
      }
      return false;
    }
    case QEvent::MouseMove: {
      if (!mouseCaptured_) return false;
      QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
      Event_MouseDrag(p.x(), p.y());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!mouseCaptured_) return false;
      auto* me = static_cast<QMouseEvent*>(e);
      if (me->button() != Qt::LeftButton) return true;
      mouseCaptured_ = false;
      QPoint p = me->position().toPoint();
      Event_MouseUp(p.x(), p.y());
      return true;
    }
    case QEvent::Enter:
      if (!mouseInside_) mouseInside_ = true, Event_MouseEnter();
      return false;
    case QEvent::Leave:
      if (mouseInside_) mouseInside_ = false, Event_MouseExit();
      return false;
    default: return false;
  }
}

namespace {
// The control that holds the framework's focus. It can differ from Qt's focus widget while a
// menu, the menu bar or another window has the keyboard; the next control to take the focus
// then makes it lose it.
QPointer<QWidget> logicalFocusWidget;
}  // namespace

QWidget* detail::LogicalFocusWidget() {
  RectControl* c = logicalFocusWidget ? ControlOf(logicalFocusWidget) : nullptr;
  return c && c->HasFocus() ? logicalFocusWidget.data() : nullptr;
}

void RectControl::BridgeFocusIn(QEvent*) {
  if (logicalFocus_) return;
  RectControl* previous = logicalFocusWidget ? ControlOf(logicalFocusWidget) : nullptr;
  logicalFocusWidget = widget_;
  if (previous && previous != this && previous->logicalFocus_) {
    previous->logicalFocus_ = false;
    previous->Event_LostFocus();
    // Its handler may have moved the focus on.
    if (logicalFocusWidget != widget_) return;
  }
  logicalFocus_ = true;
  Event_GotFocus();
}

void RectControl::BridgeFocusOut(QEvent* e) {
  // Leaving the window (a dialog, a menu, the menu bar) is not leaving the field.
  auto reason = static_cast<QFocusEvent*>(e)->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason)
    return;
  if (!logicalFocus_) return;
  logicalFocus_ = false;
  if (logicalFocusWidget == widget_) logicalFocusWidget = nullptr;
  Event_LostFocus();
}

// ---- ControlHost

ControlHost::~ControlHost() { DestroyControls(); }

void ControlHost::DestroyControls() {
  // Newest first, so a panel's widgets go before the host's.
  while (!controls_.empty()) controls_.pop_back();
}

void ControlHost::AddControl(std::unique_ptr<fw::Control> control, const String& name) {
  control->Name = name;
  controls_.push_back(std::move(control));
}

fw::Control* ControlHost::ControlByName(const String& name) const {
  for (const auto& c : controls_)
    if (c->Name == name) return c.get();
  return nullptr;
}

fw::Control* ControlHost::ControlAt(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return controls_[size_t(index)].get();
}

void ControlHost::Invalidate(bool) {
  if (auto* w = ContentWidget()) w->update();
}

void ControlHost::BuildHost() {
  Layout();
  CreateControls();
  ApplyTabOrder();
}

void ControlHost::RaiseOpenEvents() {
  for (size_t i = 0; i < controls_.size(); ++i) {
    fw::Control& c = *controls_[i];
    if (auto* panel = dynamic_cast<ContainerControl*>(&c)) panel->RaiseOpenEvents();
    c.Event_Open();
  }
}

namespace {
// The host's widgets in tab order. A panel takes no focus itself but stands in the order at its
// own tab index with its children, so Tab reaches them between its neighbours.
void AppendTabChain(const ControlHost& host, std::vector<QWidget*>& chain) {
  std::vector<RectControl*> order;
  for (int i = 0; i < host.ControlCount(); ++i)
    if (auto* r = dynamic_cast<RectControl*>(host.ControlAt(i)); r && r->Widget()) order.push_back(r);
  std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->TabIndex < b->TabIndex; });
  for (RectControl* r : order) {
    if (auto* panel = dynamic_cast<ContainerControl*>(r)) AppendTabChain(*panel, chain);
    else if (r->Widget()->focusPolicy() != Qt::NoFocus) chain.push_back(r->Widget());
  }
}
}  // namespace

void ControlHost::ApplyTabOrder() {
  std::vector<QWidget*> chain;
  AppendTabChain(*this, chain);
  for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// ---- ContainerControl

ContainerControl::ContainerControl(ControlHost& host) : RectControl(host, new detail::Bridged<QWidget>()) {
  Widget()->setFocusPolicy(Qt::NoFocus);
}

ContainerControl::~ContainerControl() { DestroyControls(); }

void ContainerControl::SetHasBackColor(bool b) { hasBackColor_ = b, ApplyBackground(); }
void ContainerControl::SetBackColor(Color c) { backColor_ = c, ApplyBackground(); }

void ContainerControl::ApplyBackground() {
  QWidget* w = Widget();
  if (!w) return;
  w->setAutoFillBackground(hasBackColor_);
  if (hasBackColor_) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(backColor_.Red, backColor_.Green, backColor_.Blue));
    w->setPalette(p);
  }
}

bool ContainerControl::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "HasBackColor") return SetHasBackColor(AsBool(v, name)), true;
  if (name == "BackColor") return SetBackColor(AsColor(v, name)), true;
  if (name == "AcceptFocus" || name == "AcceptTabs" || name == "EraseBackground" || name == "Transparent")
    return AsBool(v, name), true;
  return RectControl::ApplyProperty(name, v);
}

void ContainerControl::Resized(int oldWidth, int oldHeight) {
  if (oldWidth == 0 && oldHeight == 0) return;  // the first size is the design's own
  int dx = Width() - oldWidth, dy = Height() - oldHeight;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* r = dynamic_cast<RectControl*>(ControlAt(i));
    if (!r) continue;
    int l = r->Left(), t = r->Top(), w = r->Width(), h = r->Height();
    if (r->LockRight && r->LockLeft) w += dx;
    else if (r->LockRight) l += dx;
    if (r->LockBottom && r->LockTop) h += dy;
    else if (r->LockBottom) t += dy;
    r->SetBounds(l, t, w, h);
  }
}

}  // namespace fw
