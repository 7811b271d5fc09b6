#include "controls/TabedDateField.h"

#include "controls/DateText.h"
#include "framework/Date.h"
#include "framework/System.h"

using namespace fw;

OwnTypingField::KeyClass TabedDateField::ClassOf(int code) const {
  if (code >= 47 && code <= 57) return KeyClass::Inserted;  // "/" and the digits
  if (code >= 32 && code <= 126) return KeyClass::Beeped;
  return KeyClass::Ignored;
}

bool TabedDateField::CheckText() {
  Date d;
  if (!ParseDate(Text(), d)) {
    Beep();
    return false;
  }
  d.SetYear(ApplyYearRule(d.Year()));
  // Rewritten before the focus moves, so the field is left holding the rewritten text.
  SetText(d.ShortDate());
  return true;
}
