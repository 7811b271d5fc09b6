// An entry field for a date: digits and "/" only; a validate key accepts a date, applies the
// year rule and rewrites it in the short date form, and beeps at anything else.
#pragma once

#include "controls/OwnTypingField.h"

class TabedDateField : public OwnTypingField {
 public:
  using OwnTypingField::OwnTypingField;

 protected:
  KeyClass ClassOf(int code) const override;
  bool CheckText() override;
};
