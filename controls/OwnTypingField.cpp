#include "controls/OwnTypingField.h"

#include <algorithm>

#include "controls/TabedTextField.h"
#include "framework/System.h"
#include "framework/Text.h"

using namespace fw;

OwnTypingField::OwnTypingField(ControlHost& host) : TextField(host) { SetKeysOnly(true); }

bool OwnTypingField::Event_KeyDown(const String& key) {
  if (IsValidateKey(key) && CheckText() && ChampSuivant) ChampSuivant->SetFocus();
  return true;
}

void OwnTypingField::Event_KeyUp(const String& key) {
  const String backspace = Chr(8), left = Chr(28), right = Chr(29), up = Chr(30), down = Chr(31);
  const KeyClass cls = ClassOf(KeyCode(key));
  int& p = CharPos;
  p = std::clamp(p, 0, Len(Text()));

  if (cls == KeyClass::Inserted) {
    String t = Text();
    int l = Len(t);
    if (l < LimitText()) {
      SetText(fw::Left(t, p) + key + fw::Right(t, l - p));
      ++p;
    }
  }

  if (key == backspace && p > 0) {
    String t = Text();
    int l = Len(t);
    int n = SelLength();
    if (n == 0) {
      SetText(fw::Left(t, p - 1) + fw::Right(t, l - p));
      --p;
    } else if (p >= n) {
      // The n characters just before the caret, which are the selected ones when the selection
      // ends at the caret.
      SetText(fw::Left(t, p - n) + fw::Right(t, l - p));
      p -= n;
      SetSelLength(0);
    }
  }

  if (key == up) p = 0;
  if (key == down) p = Len(Text());
  if (key == left && p > 0) --p;
  if (key == right && p < Len(Text())) ++p;

  // With the whole text selected, Right goes to its end and Left to its start; Up always clears.
  int selected = SelLength(), l = Len(Text());
  if (selected == l && key == right) {
    p = l;
    SetSelStart(p);
  } else if ((selected == l && key == left) || key == up) {
    p = 0;
    SetSelStart(0);
    SetSelLength(0);
  }

  if (cls == KeyClass::Beeped) Beep();
  SetSelStart(p);
  KeyUp.Raise(*this, key);
}

bool OwnTypingField::Event_MouseDown(int x, int y) {
  CharPos = InsertionPosAtXY(x, y);
  return false;
}

void OwnTypingField::Event_GotFocus() {
  if (SelectAllText) {
    SetSelStart(0);
    SetSelLength(Len(Text()));
    CharPos = 0;
  } else {
    CharPos = Len(Text());
    SetSelStart(CharPos);
  }
  GotFocus.Raise(*this);
}

bool OwnTypingField::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "SelectAllText") return SelectAllText = AsBool(v, name), true;
  return TextField::ApplyProperty(name, v);
}
