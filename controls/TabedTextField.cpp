#include "controls/TabedTextField.h"

#include "framework/Text.h"

using namespace fw;

bool IsValidateKey(const String& key) { return key == Chr(9) || key == Chr(13) || key == Chr(3); }

bool TabedTextField::Event_KeyDown(const String& key) {
  if (IsValidateKey(key)) {
    if (ChampSuivant) ChampSuivant->SetFocus();
    return true;
  }
  return KeyDown.Raise(*this, key);
}
