// A one-line text field.
#pragma once

#include "framework/Control.h"

class QLineEdit;
class QKeyEvent;

namespace fw {

class TextField : public RectControl {
 public:
  explicit TextField(ControlHost& host);

  String Text() const;
  void SetText(const String& t);
  // The most characters that the user may bring into the field, by typing or any other way
  // (paste, drop, input method); 0 is no limit. Text set from code is never cut.
  int LimitText() const { return limitText_; }
  void SetLimitText(int n) { limitText_ = n; }
  // Start of the selection, or the caret when nothing is selected (0-based).
  int SelStart() const;
  // Puts the caret at that position (clamped to the text) and selects nothing.
  void SetSelStart(int pos);
  int SelLength() const;
  // Selects that many characters from SelStart (clamped to the text).
  void SetSelLength(int n);
  // The character position under the point, 0 to the text's length.
  int InsertionPosAtXY(int x, int y) const;
  // Alignment code: 0 default (left), 1 left, 2 centre, 3 right.
  int Alignment() const { return alignment_; }
  void SetAlignment(int a);
  bool ReadOnly() const;
  void SetReadOnly(bool b);
  Color TextColor() const { return textColor_; }
  void SetTextColor(Color c);
  Color BackColor() const { return backColor_; }
  void SetBackColor(Color c);

  // The widget's own editing commands, for the Edit menu.
  void Cut();
  void Copy();
  void Paste();
  void Undo();
  void Clear();
  void SelectAll();

  bool ApplyProperty(std::string_view name, const Value& v) override;
  QLineEdit* LineEdit() const;

  // The one rule for every change the user makes to the text, whatever its path: typing, paste
  // (Edit menu, keys, middle button, context menu), a drop, an input method. A change is refused
  // when it brings in a character the field does not take, or makes the text longer than
  // LimitText. Text set from code passes unchecked, and a change that only takes away from such
  // a text is allowed.
  bool ChangeAllowed(const String& before, const String& after) const;

 protected:
  bool AcceptsTypedKey(const String& key) override;
  // Whether a character may stand in the text: all but control characters here.
  virtual bool AllowsCharacter(QChar c) const;
  // The most characters any path may bring the text to; below 0, no limit. Here LimitText, with 0
  // as no limit.
  virtual int MostCharacters() const { return limitText_ > 0 ? limitText_ : -1; }
  // Commands never reach the widget's own key handling: the menus take theirs first, and of the
  // rest only the standard edit commands act (copy, cut, paste, select all, undo).
  bool CommandKeyOverride(QKeyEvent* e) override;
  bool CommandKeyPress(QKeyEvent* e) override;
  // For fields that do their own typing from key events: text composed by an input method
  // (dead keys, compose sequences) would reach the text without any key event, so none is taken.
  void SetKeysOnly(bool on);

 private:
  void ApplyColors();
  int limitText_ = 0;
  int alignment_ = 0;
  Color textColor_{0, 0, 0};
  Color backColor_{255, 255, 255};
};

}  // namespace fw
