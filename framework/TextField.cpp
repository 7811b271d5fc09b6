#include "framework/TextField.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPalette>
#include <QSet>
#include <QValidator>
#include <algorithm>

#include "framework/QtBridge.h"
#include "framework/System.h"
#include "framework/Text.h"

namespace fw {

namespace {

// The field's line edit, with the gate (TextGate below) on every change the user makes to it.
class FieldEdit : public detail::Bridged<QLineEdit> {
 public:
  FieldEdit();
  bool keysOnly = false;
  // Set while the text is set from code, which the gate does not judge.
  bool fromCode = false;
  // The text as it stands, and every text held since the text was last set from code: undo and
  // redo only go back to those, so they pass as they are.
  QString current;
  QSet<QString> held;
  // The last text the gate refused. Most paths take a refused change back themselves; those that
  // set the text whole (assistive technologies) do not, and the field then takes it back.
  QString refused;
  bool hasRefused = false;

  // The platform asks the focused widget whether it takes input-method text before it hands key
  // events to an input method; QLineEdit's answer ignores the widget attribute, so it is given here.
  using QLineEdit::inputMethodQuery;
  QVariant inputMethodQuery(Qt::InputMethodQuery q) const override {
    if (keysOnly && q == Qt::ImEnabled) return false;
    return QLineEdit::inputMethodQuery(q);
  }

 protected:
  // Files dropped on a field are not typed into it; only the file list takes them.
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (e->mimeData()->hasUrls()) return e->ignore();
    QLineEdit::dragEnterEvent(e);
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (e->mimeData()->hasUrls()) return e->ignore();
    QLineEdit::dragMoveEvent(e);
  }
  // A drop goes in at the point of the drop, in one piece. Judged before it is accepted, so that
  // a refused drop leaves the dragged text with its source.
  void dropEvent(QDropEvent* e) override {
    if (e->mimeData()->hasUrls()) return e->ignore();
    auto* f = dynamic_cast<TextField*>(ctl);
    QString str = e->mimeData()->text();
    if (f && !str.isNull() && !isReadOnly()) {
      int pos = cursorPositionAt(e->position().toPoint());
      QString after = current.left(pos) + str + current.mid(pos);
      if (!f->ChangeAllowed(current, after)) {
        Beep();
        e->ignore();
        QDragLeaveEvent leave;
        QLineEdit::dragLeaveEvent(&leave);
        return;
      }
    }
    QLineEdit::dropEvent(e);
  }
};

class TextGate : public QValidator {
 public:
  explicit TextGate(FieldEdit* edit) : QValidator(edit), edit_(edit) {}
  State validate(QString& input, int&) const override {
    auto* f = dynamic_cast<TextField*>(edit_->ctl);
    edit_->hasRefused = false;
    if (!f || edit_->fromCode || input == edit_->current || edit_->held.contains(input)) return Acceptable;
    if (f->ChangeAllowed(edit_->current, input)) return Acceptable;
    // The line edit takes the change back whole.
    edit_->refused = input;
    edit_->hasRefused = true;
    Beep();
    return Invalid;
  }

 private:
  FieldEdit* edit_;
};

FieldEdit::FieldEdit() {
  setValidator(new TextGate(this));
  QObject::connect(this, &QLineEdit::textChanged, this, [this](const QString& t) {
    if (hasRefused && !fromCode && t == refused) {
      hasRefused = false;
      fromCode = true;
      setText(current);
      fromCode = false;
      return;
    }
    current = t;
    held.insert(t);
  });
}

}  // namespace

TextField::TextField(ControlHost& host) : RectControl(host, new FieldEdit()) {
  LineEdit()->setFocusPolicy(Qt::StrongFocus);
}

QLineEdit* TextField::LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

String TextField::Text() const { return LineEdit()->text(); }
void TextField::SetText(const String& t) {
  auto* e = static_cast<FieldEdit*>(LineEdit());
  e->held.clear();
  e->fromCode = true;
  e->setText(t);
  e->fromCode = false;
  e->current = e->text();
  e->held.insert(e->current);
}

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

bool TextField::AllowsCharacter(QChar c) const {
  const char16_t u = c.unicode();
  return u >= 32 && !(u >= 127 && u < 160);
}

bool TextField::ChangeAllowed(const String& before, const String& after) const {
  auto refused = [this](const String& t) {
    int n = 0;
    for (QChar c : t) n += !AllowsCharacter(c);
    return n;
  };
  if (refused(after) > refused(before)) return false;
  const int most = MostCharacters();
  return most < 0 || Len(after) <= most || Len(after) <= Len(before);
}

bool TextField::CommandKeyOverride(QKeyEvent* e) {
  // Not claimed: the menus' shortcuts (Edit, Alt+letter) come first.
  e->ignore();
  return true;
}

bool TextField::CommandKeyPress(QKeyEvent* e) {
  if (e->matches(QKeySequence::Copy)) Copy();
  else if (e->matches(QKeySequence::Cut)) Cut();
  else if (e->matches(QKeySequence::Paste)) Paste();
  else if (e->matches(QKeySequence::SelectAll)) SelectAll();
  else if (e->matches(QKeySequence::Undo)) Undo();
  e->accept();
  return true;
}

bool TextField::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "Text") return SetText(AsString(v, name)), true;
  if (name == "LimitText") return SetLimitText(AsInt(v, name)), true;
  if (name == "Alignment") return SetAlignment(AsInt(v, name)), true;
  if (name == "ReadOnly") return SetReadOnly(AsBool(v, name)), true;
  if (name == "TextColor") return SetTextColor(AsColor(v, name)), true;
  if (name == "BackColor") return SetBackColor(AsColor(v, name)), true;
  if (name == "Password")
    return LineEdit()->setEchoMode(AsBool(v, name) ? QLineEdit::Password : QLineEdit::Normal), true;
  if (name == "CueText") return LineEdit()->setPlaceholderText(AsString(v, name)), true;
  if (name == "Border") return LineEdit()->setFrame(AsBool(v, name)), true;
  if (name == "AcceptTabs" || name == "AutomaticallyCheckSpelling") return AsBool(v, name), true;
  if (name == "Format" || name == "Mask") return AsString(v, name), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
