// A static text that acts as a web link: its own text is the address it opens.
#pragma once

#include "framework/Label.h"

class LinkingStaticText : public fw::Label {
 public:
  using fw::Label::Label;

  // The plain colour, captured when the label opens; un-highlighting restores it.
  fw::Color mColorOrig{0, 0, 0};

  // Raised to the owner once the plain colour is captured; the framework's Open stops here.
  fw::Event<void()> Open;

  void Event_Open() override;
  void Event_MouseExit() override;
  void Event_MouseEnter() override;
  void Event_MouseUp(int x, int y) override;
  void Event_MouseDrag(int x, int y) override;
  bool Event_MouseDown(int x, int y) override;

  // True: underlined and blue; False: plain. The highlighted state is Underline itself.
  void ShowClickable(bool clickable);

  bool ApplyProperty(std::string_view name, const fw::Value& v) override;
};
