#include "controls/LinkingStaticText.h"

#include "framework/System.h"

void LinkingStaticText::Event_Open() {
  mColorOrig = TextColor();
  Open.Raise(*this);
}

void LinkingStaticText::Event_MouseExit() { ShowClickable(false); }

void LinkingStaticText::Event_MouseEnter() { ShowClickable(true); }

void LinkingStaticText::Event_MouseUp(int, int) {
  // The look the last event left decides, not where the button came up.
  if (!Underline()) return;
  fw::ShowURL(Text());
  ShowClickable(false);
}

void LinkingStaticText::Event_MouseDrag(int x, int y) {
  // Inclusive on all four sides.
  bool inside = x >= 0 && x <= Width() && y >= 0 && y <= Height();
  if (Underline() && !inside) ShowClickable(false);
  else if (!Underline() && inside) ShowClickable(true);
}

bool LinkingStaticText::Event_MouseDown(int, int) {
  ShowClickable(true);
  return true;  // claims the press, so its drags and release come here
}

void LinkingStaticText::ShowClickable(bool clickable) {
  if (clickable) {
    SetUnderline(true);
    SetTextColor(fw::RGB(0, 0, 255, 0));
  } else {
    SetUnderline(false);
    SetTextColor(mColorOrig);
  }
}

bool LinkingStaticText::ApplyProperty(std::string_view name, const fw::Value& v) {
  if (name == "mColorOrig") return mColorOrig = fw::AsColor(v, name), true;
  return fw::Label::ApplyProperty(name, v);
}
