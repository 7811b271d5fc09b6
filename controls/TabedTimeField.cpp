#include "controls/TabedTimeField.h"

#include "controls/TimeText.h"
#include "framework/System.h"

using namespace fw;

OwnTypingField::KeyClass TabedTimeField::ClassOf(int code) const {
  if (code >= 48 && code <= 58) return KeyClass::Inserted;  // the digits and ":"
  if (code >= 32 && code <= 126) return KeyClass::Beeped;
  return KeyClass::Ignored;
}

// A text with fewer than two ":", the empty text included, beeps like any other rejected time.
bool TabedTimeField::CheckText() {
  if (TimeTextValid(Text())) return true;
  Beep();
  return false;
}
