// The design lists that labels and plain text fields share wherever they are placed: one list of
// entries in their fixed order, with the values that set a control apart as parameters.
#pragma once

#include "framework/Core.h"

struct LabelRecord {
  const char* Name;
  int Left, Top, Width, Height;
  int TabIndex;
  fw::String Text;
  fw::Color TextColor{0, 0, 0};
  int TextAlign = 0;
  bool Multiline = false;
  bool Bold = false;
  bool LockLeft = true, LockTop = true, LockRight = false, LockBottom = false;
};
fw::Design LabelDesign(const LabelRecord& r);

struct TextFieldRecord {
  const char* Name;
  int Left, Top, Width;
  int TabIndex;
  fw::String HelpTag;
  int LimitText = 0;
  bool Enabled = true;
  int Alignment = 0;
};
fw::Design TextFieldDesign(const TextFieldRecord& r);
