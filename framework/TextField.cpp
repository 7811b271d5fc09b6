#include "framework/TextField.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QPalette>
#include <algorithm>

#include "framework/QtBridge.h"
#include "framework/Text.h"

namespace fw {

namespace {
// The platform asks the focused widget whether it takes input-method text before it hands key
// events to an input method; QLineEdit's answer ignores the widget attribute, so it is given here.
class FieldEdit : public detail::Bridged<QLineEdit> {
 public:
  bool keysOnly = false;
  using QLineEdit::inputMethodQuery;
  QVariant inputMethodQuery(Qt::InputMethodQuery q) const override {
    if (keysOnly && q == Qt::ImEnabled) return false;
    return QLineEdit::inputMethodQuery(q);
  }
};
}  // namespace

TextField::TextField(ControlHost& host) : RectControl(host, new FieldEdit()) {
  LineEdit()->setFocusPolicy(Qt::StrongFocus);
}

QLineEdit* TextField::LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

String TextField::Text() const { return LineEdit()->text(); }
void TextField::SetText(const String& t) { LineEdit()->setText(t); }

int TextField::SelStart() const {
  QLineEdit* e = LineEdit();
  return e->hasSelectedText() ? int(e->selectionStart()) : int(e->cursorPosition());
}

void TextField::SetSelStart(int pos) {
  QLineEdit* e = LineEdit();
  e->setCursorPosition(std::clamp(pos, 0, int(e->text().size())));
}

int TextField::SelLength() const { return int(LineEdit()->selectedText().size()); }

void TextField::SetSelLength(int n) {
  QLineEdit* e = LineEdit();
  int start = SelStart();
  n = std::clamp(n, 0, int(e->text().size()) - start);
  if (n == 0) e->setCursorPosition(start);
  else e->setSelection(start, n);
}

int TextField::InsertionPosAtXY(int x, int /*y*/) const {
  QLineEdit* e = LineEdit();
  return std::clamp(int(e->cursorPositionAt(QPoint(x, e->height() / 2))), 0, int(e->text().size()));
}

void TextField::SetAlignment(int a) {
  alignment_ = a;
  Qt::Alignment q = Qt::AlignLeft;
  if (a == 2) q = Qt::AlignHCenter;
  else if (a == 3) q = Qt::AlignRight;
  LineEdit()->setAlignment(q | Qt::AlignVCenter);
}

bool TextField::ReadOnly() const { return LineEdit()->isReadOnly(); }
void TextField::SetReadOnly(bool b) { LineEdit()->setReadOnly(b); }

void TextField::SetKeysOnly(bool on) {
  static_cast<FieldEdit*>(LineEdit())->keysOnly = on;
  if (LineEdit()->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

void TextField::SetTextColor(Color c) { textColor_ = c, ApplyColors(); }
void TextField::SetBackColor(Color c) { backColor_ = c, ApplyColors(); }

void TextField::ApplyColors() {
  QPalette p = LineEdit()->palette();
  p.setColor(QPalette::Text, QColor(textColor_.Red, textColor_.Green, textColor_.Blue));
  p.setColor(QPalette::Base, QColor(backColor_.Red, backColor_.Green, backColor_.Blue));
  LineEdit()->setPalette(p);
}

void TextField::Cut() { LineEdit()->cut(); }
void TextField::Copy() { LineEdit()->copy(); }
void TextField::Paste() { LineEdit()->paste(); }
void TextField::Undo() { LineEdit()->undo(); }
void TextField::Clear() { LineEdit()->del(); }
void TextField::SelectAll() { LineEdit()->selectAll(); }

bool TextField::AcceptsTypedKey(const String& key) {
  if (limitText_ <= 0 || ReadOnly()) return true;
  int code = key.isEmpty() ? 0 : key[0].unicode();
  if (code < 32 || code == 127) return true;  // editing and navigation keys
  return Len(Text()) - SelLength() + Len(key) <= limitText_;
}

bool TextField::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "Text") return SetText(AsString(v, name)), true;
  if (name == "LimitText") return SetLimitText(AsInt(v, name)), true;
  if (name == "Alignment") return SetAlignment(AsInt(v, name)), true;
  if (name == "ReadOnly") return SetReadOnly(AsBool(v, name)), true;
  if (name == "TextColor") return SetTextColor(AsColor(v, name)), true;
  if (name == "BackColor") return SetBackColor(AsColor(v, name)), true;
  if (name == "Password") return LineEdit()->setEchoMode(AsBool(v, name) ? QLineEdit::Password : QLineEdit::Normal), true;
  if (name == "CueText") return LineEdit()->setPlaceholderText(AsString(v, name)), true;
  if (name == "Border") return LineEdit()->setFrame(AsBool(v, name)), true;
  if (name == "AcceptTabs" || name == "AutomaticallyCheckSpelling") return AsBool(v, name), true;
  if (name == "Format" || name == "Mask") return AsString(v, name), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
