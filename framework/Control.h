// Controls and the hosts that hold them (windows and panels).
#pragma once

#include <QtCore/qnamespace.h>
#include <QPointer>
#include <QStringList>
#include <climits>

#include "framework/Core.h"

class QWidget;
class QEvent;
class QKeyEvent;

namespace fw {

class ControlHost;

class Control : public Object {
 public:
  explicit Control(ControlHost& host);
  ~Control() override;

  String Name;
  int Index = INT_MIN;

  ControlHost& Host() const { return *host_; }

  Event<void()> Open;
  virtual void Event_Open() { Open.Raise(*this); }

  bool ApplyProperty(std::string_view name, const Value& v) override;

  // Run once the control is created and registered; panels build their inside here.
  virtual void AfterConstruct() {}

 private:
  ControlHost* host_;
};

// A control with a place on screen and a Qt widget behind it.
class RectControl : public Control {
 public:
  RectControl(ControlHost& host, QWidget* widget);
  ~RectControl() override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  void SetBounds(int left, int top, int width, int height);

  bool LockLeft = false, LockTop = false, LockRight = false, LockBottom = false;
  int TabIndex = 0;

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const;
  void SetEnabled(bool v);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  String HelpTag() const;
  void SetHelpTag(const String& s);

  // Font of the control's text. Every unit code is taken as the pixel (the Mac point at 72 dpi),
  // so fixed layouts keep their proportions.
  String TextFont() const { return textFont_; }
  void SetTextFont(const String& f);
  double TextSize() const { return textSize_; }
  void SetTextSize(double s);
  int TextUnit() const { return textUnit_; }
  void SetTextUnit(int u) { textUnit_ = u; }
  bool Bold() const { return bold_; }
  void SetBold(bool b);
  bool Italic() const { return italic_; }
  void SetItalic(bool b);
  bool Underline() const { return underline_; }
  void SetUnderline(bool b);

  void SetFocus();
  bool HasFocus() const { return logicalFocus_; }
  void Invalidate(bool eraseBackground = true);

  // Out of line: system code sees QWidget only as a declared class.
  QWidget* Widget() const;

  Event<bool(const String&)> KeyDown;
  Event<void(const String&)> KeyUp;
  Event<bool(int, int)> MouseDown;
  Event<void(int, int)> MouseDrag;
  Event<void(int, int)> MouseUp;
  Event<void()> MouseEnter;
  Event<void()> MouseExit;
  Event<void()> GotFocus;
  Event<void()> LostFocus;

  virtual bool Event_KeyDown(const String& key) { return KeyDown.Raise(*this, key); }
  virtual void Event_KeyUp(const String& key) { KeyUp.Raise(*this, key); }
  virtual bool Event_MouseDown(int x, int y) { return MouseDown.Raise(*this, x, y); }
  virtual void Event_MouseDrag(int x, int y) { MouseDrag.Raise(*this, x, y); }
  virtual void Event_MouseUp(int x, int y) { MouseUp.Raise(*this, x, y); }
  virtual void Event_MouseEnter() { MouseEnter.Raise(*this); }
  virtual void Event_MouseExit() { MouseExit.Raise(*this); }
  virtual void Event_GotFocus() { GotFocus.Raise(*this); }
  virtual void Event_LostFocus() { LostFocus.Raise(*this); }

  bool ApplyProperty(std::string_view name, const Value& v) override;

  // Qt events reach the control through here (see QtBridge.h). True: the event is consumed.
  bool BridgeEvent(QEvent* e);
  // Focus events are handled after the widget's own handling, so the control has the last word.
  void BridgeFocusIn(QEvent* e);
  void BridgeFocusOut(QEvent* e);

 protected:
  virtual void Resized(int /*oldWidth*/, int /*oldHeight*/) {}
  void ApplyFont();
  // Whether a key that KeyDown let through may be handled by the widget (TextField's LimitText).
  virtual bool AcceptsTypedKey(const String&) { return true; }
  // A key pressed with Ctrl, Alt or Meta: a command, which never reaches KeyDown or KeyUp.
  // True: consumed. By default the widget's own handling decides.
  virtual bool CommandKeyOverride(QKeyEvent*) { return false; }
  virtual bool CommandKeyPress(QKeyEvent*) { return false; }

 private:
  QPointer<QWidget> widget_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true, tabStop_ = true;
  String textFont_ = QStringLiteral("System");
  double textSize_ = 0;
  int textUnit_ = 0;
  bool bold_ = false, italic_ = false, underline_ = false;
  bool logicalFocus_ = false;
  bool mouseCaptured_ = false;
  bool mouseInside_ = false;
};

// What windows and panels share: the controls they own, found by name and by index.
class ControlHost {
 public:
  virtual ~ControlHost();

  // Creates a control of class T in this host and registers it under name.
  template <class T, class... A>
  T& New(const String& name, A&&... args) {
    auto owned = std::make_unique<T>(*this, std::forward<A>(args)...);
    T& c = *owned;
    AddControl(std::move(owned), name);
    c.AfterConstruct();
    return c;
  }

  void AddControl(std::unique_ptr<fw::Control> control, const String& name);
  fw::Control* ControlByName(const String& name) const;
  // The control registered under name, typed as T; a missing one raises NilObjectException.
  template <class T>
  T& Find(const String& name) const {
    auto* c = dynamic_cast<T*>(ControlByName(name));
    if (!c) throw NilObjectException(QStringLiteral("no control %1").arg(name));
    return *c;
  }
  int ControlCount() const { return int(controls_.size()); }
  fw::Control* ControlAt(int index) const;

  // Construction hooks, run once while the host is built.
  virtual void Layout() {}
  virtual void CreateControls() {}

  void Invalidate(bool eraseBackground = true);
  virtual QWidget* ContentWidget() const = 0;

 protected:
  // Builds the host: Layout, then CreateControls, then the Qt tab order.
  void BuildHost();
  // Raises Open on each control in creation order, a panel's own controls before the panel.
  void RaiseOpenEvents();
  void DestroyControls();

 private:
  void ApplyTabOrder();
  std::vector<std::unique_ptr<fw::Control>> controls_;
};

// A panel of controls built from its own design and placed in a window like a control.
class ContainerControl : public RectControl, public ControlHost {
 public:
  explicit ContainerControl(ControlHost& host);
  ~ContainerControl() override;

  bool HasBackColor() const { return hasBackColor_; }
  void SetHasBackColor(bool b);
  Color BackColor() const { return backColor_; }
  void SetBackColor(Color c);

  bool ApplyProperty(std::string_view name, const Value& v) override;
  QWidget* ContentWidget() const override { return Widget(); }
  void AfterConstruct() override { BuildHost(); }
  // A panel repaints as one control does.
  void Invalidate(bool eraseBackground = true) { RectControl::Invalidate(eraseBackground); }
  void Event_Open() override { RectControl::Event_Open(); }

 protected:
  // The edge-lock rule: children locked right move, children locked on both sides stretch.
  void Resized(int oldWidth, int oldHeight) override;

 private:
  void ApplyBackground();
  bool hasBackColor_ = false;
  Color backColor_{};
};

// The faces tried for a design's font, the design's own first, then the fallbacks the fixed boxes fit.
QStringList FontFamiliesFor(const String& face);

// Maps a Qt key event to the framework's one-character key; empty for keys that have none. Keys
// are never made from control characters in text (Ctrl+C's text is character 3), and a dead key
// is no character of its own.
String KeyStringFor(int qtKey, const QString& text);

// Ctrl, Alt or Meta held: the key is a command, not a character.
bool IsCommandKey(Qt::KeyboardModifiers modifiers);

}  // namespace fw
