// An entry field for a time of day: digits and ":" only; a validate key accepts hours below 24
// and minutes and seconds below 60, and beeps at anything else. The text is never rewritten.
#pragma once

#include "controls/OwnTypingField.h"

class TabedTimeField : public OwnTypingField {
 public:
  using OwnTypingField::OwnTypingField;

 protected:
  KeyClass ClassOf(int code) const override;
  bool CheckText() override;
};
