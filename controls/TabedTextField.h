// A text field whose Tab, Return and Enter move the focus to the field the owner names next,
// whatever the window's tab order.
#pragma once

#include "framework/TextField.h"

// Tab, Return or keypad Enter.
bool IsValidateKey(const fw::String& key);

class TabedTextField : public fw::TextField {
 public:
  using fw::TextField::TextField;

  // The validate keys move the focus here; with none set they are swallowed and do nothing.
  // Not owned: every control belongs to its window, so the fields of a chain live and die together.
  fw::TextField* ChampSuivant = nullptr;

  // Validate keys are consumed; every other key goes to the owner's KeyDown as usual.
  bool Event_KeyDown(const fw::String& key) override;
};
