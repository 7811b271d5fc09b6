// The design lists that several windows and panels write: the entries every control's list opens
// with, the font entries, and the whole lists of labels and plain text fields. Each kind of control
// adds its own entries to the shared ones in its fixed order.
#pragma once

#include <initializer_list>

#include "framework/Core.h"

namespace fw {

// Where a control sits and how it is reached.
struct PlaceRecord {
  const char* Name;
  int Left, Top, Width, Height;
  int TabIndex;
  bool LockLeft = true, LockTop = true, LockRight = false, LockBottom = false;
};
// Name, Index (no control array), Left, Top, Width, Height, the four locks, TabPanelIndex 0, TabIndex.
Design PlaceEntries(const PlaceRecord& p);
// TextFont, Bold, Italic False, Underline False.
Design FontEntries(const char* font, bool bold);
// DataSource and DataField, both empty.
Design DataEntries();
// The lists one after the other.
Design Join(std::initializer_list<Design> parts);

struct LabelRecord {
  PlaceRecord Place;
  String Text{};
  Color TextColor{0, 0, 0};
  int TextAlign = 0;
  bool Multiline = false;
  bool Bold = false;
  const char* TextFont = "Verdana";
};
Design LabelDesign(const LabelRecord& r);

// The entries that text fields of every kind share between their place and their font.
Design FieldEntries(bool enabled, const String& helpTag);
// Mask, ReadOnly, LimitText, AcceptTabs, Alignment and AutomaticallyCheckSpelling.
Design FieldTextEntries(int limitText, int alignment);

struct TextFieldRecord {
  PlaceRecord Place;
  String HelpTag{};
  int LimitText = 0;
  bool Enabled = true;
  int Alignment = 0;
  const char* TextFont = "Verdana";
};
Design TextFieldDesign(const TextFieldRecord& r);

}  // namespace fw
