#include "framework/DesignRecords.h"

#include <climits>

namespace fw {

Design PlaceEntries(const PlaceRecord& p) {
  return {{"Name", String::fromLatin1(p.Name)},
          {"Index", INT_MIN},
          {"Left", p.Left},
          {"Top", p.Top},
          {"Width", p.Width},
          {"Height", p.Height},
          {"LockLeft", p.LockLeft},
          {"LockTop", p.LockTop},
          {"LockRight", p.LockRight},
          {"LockBottom", p.LockBottom},
          {"TabPanelIndex", 0},
          {"TabIndex", p.TabIndex}};
}

Design FontEntries(const char* font, bool bold) {
  return {{"TextFont", String::fromLatin1(font)}, {"Bold", bold}, {"Italic", false}, {"Underline", false}};
}

Design DataEntries() { return {{"DataSource", String()}, {"DataField", String()}}; }

Design Join(std::initializer_list<Design> parts) {
  Design all;
  for (const Design& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Design LabelDesign(const LabelRecord& r) {
  return Join({PlaceEntries(r.Place),
               {{"Text", r.Text},
                {"TextAlign", r.TextAlign},
                {"TextColor", r.TextColor},
                {"Multiline", r.Multiline},
                {"Enabled", true},
                {"Visible", true},
                {"Selectable", false},
                {"Transparent", false},
                {"HelpTag", String()},
                {"AutoDeactivate", true}},
               FontEntries(r.TextFont, r.Bold),
               DataEntries(),
               {{"InitialParent", String()}}});
}

Design FieldEntries(bool enabled, const String& helpTag) {
  return {{"TabStop", true},
          {"Border", true},
          {"Password", false},
          {"UseFocusRing", true},
          {"TextColor", Color{0, 0, 0}},
          {"BackColor", Color{255, 255, 255}},
          {"Enabled", enabled},
          {"Format", String()},
          {"Visible", true},
          {"HelpTag", helpTag},
          {"AutoDeactivate", true}};
}

Design FieldTextEntries(int limitText, int alignment) {
  return {{"Mask", String()},    {"ReadOnly", false},      {"LimitText", limitText},
          {"AcceptTabs", false}, {"Alignment", alignment}, {"AutomaticallyCheckSpelling", false}};
}

Design TextFieldDesign(const TextFieldRecord& r) {
  return Join({PlaceEntries(r.Place),
               FieldEntries(r.Enabled, r.HelpTag),
               FontEntries(r.TextFont, false),
               {{"CueText", String()}, {"Text", String()}},
               FieldTextEntries(r.LimitText, r.Alignment),
               DataEntries()});
}

}  // namespace fw
