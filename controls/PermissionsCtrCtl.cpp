#include "controls/PermissionsCtrCtl.h"

#include <utility>

#include "framework/Accessibility.h"
#include "framework/DesignRecords.h"
#include "framework/Text.h"

using fw::Design;
using fw::String;

namespace {

const Design kPanelDesign = {
    {"InitialParent", String()},
    {"Width", 594},
    {"Height", 90},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 0},
    {"Visible", true},
    {"Enabled", true},
    {"AutoDeactivate", true},
    {"HelpTag", String()},
    {"UseFocusRing", false},
    {"HasBackColor", false},
    {"BackColor", fw::RGBHex(0xB3B3B3)},
    {"AcceptFocus", false},
    {"AcceptTabs", true},
    {"EraseBackground", true},
    {"Transparent", true},
};

// The three digit fields differ only by name, place and tab index.
Design DigitFieldDesign(const char* name, int left, int top, int tabIndex) {
  return fw::TextFieldDesign(
      {.Place = {name, left, top, 35, 24, tabIndex}, .LimitText = 1, .Enabled = false, .Alignment = 2});
}

Design PanelLabelDesign(const fw::PlaceRecord& place, const char* text, int textAlign, bool bold = false) {
  return fw::LabelDesign({.Place = place, .Text = String::fromUtf8(text), .TextAlign = textAlign, .Bold = bold});
}

// The menus get their rows when they open; the design's row 0 comes before any row exists.
Design MenuDesign(const char* name, int left, int tabIndex, const String& helpTag) {
  return fw::Join({fw::PlaceEntries({name, left, 60, 150, 20, tabIndex}),
                   {{"TabStop", true},
                    {"InitialValue", String()},
                    {"ListIndex", 0},
                    {"Visible", true},
                    {"HelpTag", helpTag},
                    {"AutoDeactivate", true},
                    {"Enabled", true}},
                   fw::FontEntries("Verdana", false),
                   fw::DataEntries(),
                   {{"InitialParent", String()}}});
}

const Design kUserPermTxtFldDesign = DigitFieldDesign("UserPermTxtFld", 127, 24, 0);
const Design kGroupPermTxtFldDesign = DigitFieldDesign("GroupPermTxtFld", 285, 24, 1);
const Design kOthersPermTxtFldDesign = DigitFieldDesign("OthersPermTxtFld", 449, 23, 2);
const Design kUserPermLblDesign = PanelLabelDesign({"UserPermLbl", 107, 0, 76, 20, 3}, "Utilisateur", 1);
const Design kUserPermPupMnuDesign =
    MenuDesign("UserPermPupMnu", 67, 4, QStringLiteral("Sélectionne la permission de l'utilisateur."));
const Design kGrouppermLblDesign = PanelLabelDesign({"GrouppermLbl", 277, 0, 56, 20, 5}, "Groupe", 1);
const Design kOthersPermLblDesign = PanelLabelDesign({"OthersPermLbl", 439, -1, 56, 20, 6}, "Autres", 1);
const Design kPermissionsLblDesign =
    PanelLabelDesign({"PermissionsLbl", 25, 23, 100, 24, 7}, "Permissions : ", 0, true);
const Design kGroupPermPupMnuDesign =
    MenuDesign("GroupPermPupMnu", 229, 8, QStringLiteral("Sélectionne la permission du groupe."));
const Design kOthersPermPupMnuDesign =
    MenuDesign("OthersPermPupMnu", 391, 9, QStringLiteral("Sélectionne la permission des autres utilisateurs."));
const Design kSetPermissionsTimerDesign = {
    {"Mode", 0},
    {"Period", 200},
};

constexpr double kFieldTextSize = 12, kMenuTextSize = 10;

// The digit a field shows, or nothing when it holds anything but one digit 0 to 7.
std::optional<int> DigitOf(const String& text) {
  if (text.size() != 1 || text[0] < u'0' || text[0] > u'7') return std::nullopt;
  return text[0].unicode() - u'0';
}

}  // namespace

void PermissionsCtrCtl::Layout() { fw::ApplyDesign(*this, kPanelDesign); }

void PermissionsCtrCtl::CreateControls() { CreateControls0(); }

void PermissionsCtrCtl::CreateControls0() {
  auto field = [this](const char* name, const Design& design) {
    auto& f = New<fw::TextField>(String::fromLatin1(name));
    f.SetTextSize(kFieldTextSize);
    f.SetTextUnit(0);
    fw::ApplyDesign(f, design);
  };
  auto label = [this](const char* name, const Design& design) {
    auto& l = New<fw::Label>(String::fromLatin1(name));
    l.SetTextSize(kFieldTextSize);
    l.SetTextUnit(0);
    fw::ApplyDesign(l, design);
  };
  auto menu = [this](const char* name, const Design& design, void (PermissionsCtrCtl::*handler)(PermissionsPupMnu&)) {
    auto& m = New<PermissionsPupMnu>(String::fromLatin1(name));
    m.SetTextSize(kMenuTextSize);
    m.SetTextUnit(0);
    fw::ApplyDesign(m, design);
    m.Change.Bind(this, handler);
  };

  field("UserPermTxtFld", kUserPermTxtFldDesign);
  field("GroupPermTxtFld", kGroupPermTxtFldDesign);
  field("OthersPermTxtFld", kOthersPermTxtFldDesign);
  label("UserPermLbl", kUserPermLblDesign);
  menu("UserPermPupMnu", kUserPermPupMnuDesign, &PermissionsCtrCtl::UserPermPupMnu_Change);
  label("GrouppermLbl", kGrouppermLblDesign);
  label("OthersPermLbl", kOthersPermLblDesign);
  label("PermissionsLbl", kPermissionsLblDesign);
  menu("GroupPermPupMnu", kGroupPermPupMnuDesign, &PermissionsCtrCtl::GroupPermPupMnu_Change);
  menu("OthersPermPupMnu", kOthersPermPupMnuDesign, &PermissionsCtrCtl::OthersPermPupMnu_Change);

  auto& timer = New<fw::Timer>(QStringLiteral("SetPermissionsTimer"));
  fw::ApplyDesign(timer, kSetPermissionsTimerDesign);
  timer.Action.Bind(this, &PermissionsCtrCtl::SetPermissionsTimer_Action);
  NameForAccess();
}

void PermissionsCtrCtl::NameForAccess() {
  // A menu would otherwise be announced by the row it shows.
  const struct {
    fw::Label& column;
    PermissionsPupMnu& menu;
    fw::TextField& digit;
  } columns[] = {{UserPermLbl(), UserPermPupMnu(), UserPermTxtFld()},
                 {GrouppermLbl(), GroupPermPupMnu(), GroupPermTxtFld()},
                 {OthersPermLbl(), OthersPermPupMnu(), OthersPermTxtFld()}};
  for (const auto& c : columns) {
    fw::SetAccessibleName(c.menu, c.column.Text());
    fw::SetAccessibleName(c.digit, c.column.Text() + QStringLiteral(" (chiffre)"));
  }
}

fw::TextField& PermissionsCtrCtl::UserPermTxtFld() const { return Find<fw::TextField>("UserPermTxtFld"); }
fw::TextField& PermissionsCtrCtl::GroupPermTxtFld() const { return Find<fw::TextField>("GroupPermTxtFld"); }
fw::TextField& PermissionsCtrCtl::OthersPermTxtFld() const { return Find<fw::TextField>("OthersPermTxtFld"); }
fw::Label& PermissionsCtrCtl::UserPermLbl() const { return Find<fw::Label>("UserPermLbl"); }
PermissionsPupMnu& PermissionsCtrCtl::UserPermPupMnu() const { return Find<PermissionsPupMnu>("UserPermPupMnu"); }
fw::Label& PermissionsCtrCtl::GrouppermLbl() const { return Find<fw::Label>("GrouppermLbl"); }
fw::Label& PermissionsCtrCtl::OthersPermLbl() const { return Find<fw::Label>("OthersPermLbl"); }
fw::Label& PermissionsCtrCtl::PermissionsLbl() const { return Find<fw::Label>("PermissionsLbl"); }
PermissionsPupMnu& PermissionsCtrCtl::GroupPermPupMnu() const { return Find<PermissionsPupMnu>("GroupPermPupMnu"); }
PermissionsPupMnu& PermissionsCtrCtl::OthersPermPupMnu() const { return Find<PermissionsPupMnu>("OthersPermPupMnu"); }
fw::Timer& PermissionsCtrCtl::SetPermissionsTimer() const { return Find<fw::Timer>("SetPermissionsTimer"); }

void PermissionsCtrCtl::MenuChanged(PermissionsPupMnu& menu, fw::TextField& field) {
  if (ProtectChange) return;
  // A menu without a selected row stands beside an empty field.
  int index = menu.ListIndex();
  field.SetText(index < 0 ? String() : fw::Str(index));
  // Showing a file writes nothing: its digits written back could undo another program's chmod.
  if (showing_) return;
  chosen_ |= &menu == &UserPermPupMnu() ? 4 : &menu == &GroupPermPupMnu() ? 2 : 1;
  SetPermissionsTimer().SetMode(fw::Timer::ModeSingle);
}

void PermissionsCtrCtl::UserPermPupMnu_Change(PermissionsPupMnu& sender) { MenuChanged(sender, UserPermTxtFld()); }
void PermissionsCtrCtl::GroupPermPupMnu_Change(PermissionsPupMnu& sender) { MenuChanged(sender, GroupPermTxtFld()); }
void PermissionsCtrCtl::OthersPermPupMnu_Change(PermissionsPupMnu& sender) { MenuChanged(sender, OthersPermTxtFld()); }

void PermissionsCtrCtl::SetPermissionsTimer_Action(fw::Timer&) {
  fw::FolderItemPtr file = FolderItemCopy;
  std::optional<fw::Outcome> o = WriteChoice();
  if (!o || !file) return;
  // The panel shows what the file now holds: the digits not chosen may have changed meanwhile, and
  // digits the file did not take must not stay on show as if it had.
  ShowDigits();
  if (!*o) WriteFailed.Raise(*this, file, *o);
}

std::optional<fw::Outcome> PermissionsCtrCtl::ChangePermissions() {
  auto owner = DigitOf(UserPermTxtFld().Text());
  auto group = DigitOf(GroupPermTxtFld().Text());
  auto others = DigitOf(OthersPermTxtFld().Text());
  if (!FolderItemCopy) return std::nullopt;
  // A blank or half-blank panel names no mode: writing one would invent bits.
  if (!owner || !group || !others) return std::nullopt;
  return FolderItemCopy->SetPermissions(64 * *owner + 8 * *group + *others);
}

std::optional<fw::Outcome> PermissionsCtrCtl::WriteChoice() {
  const int chosen = std::exchange(chosen_, 0);
  std::optional<int> digits[3] = {DigitOf(UserPermTxtFld().Text()), DigitOf(GroupPermTxtFld().Text()),
                                  DigitOf(OthersPermTxtFld().Text())};
  if (!FolderItemCopy || chosen == 0) return std::nullopt;
  // A blank or half-blank panel shows no file: a choice made there names no mode.
  if (!digits[0] || !digits[1] || !digits[2]) return std::nullopt;
  // The digits not chosen are the file's as it is now, so that another program's change to them
  // since the display stands; a file that cannot be read fails the write with its own reason.
  std::optional<int> now = FolderItemCopy->Permissions();
  int mode = 0;
  for (int i = 0; i < 3; ++i) {
    const int shift = 6 - 3 * i;
    const bool choice = (chosen & (4 >> i)) != 0;
    mode |= (choice || !now ? *digits[i] : (*now >> shift) & 7) << shift;
  }
  return FolderItemCopy->SetPermissions(mode);
}

void PermissionsCtrCtl::FlushPendingWrite() {
  if (SetPermissionsTimer().Mode() == fw::Timer::ModeOff) return;
  SetPermissionsTimer().SetMode(fw::Timer::ModeOff);
  fw::FolderItemPtr file = FolderItemCopy;
  std::optional<fw::Outcome> o = WriteChoice();
  if (o && !*o) WriteFailed.Raise(*this, file, *o);
}

void PermissionsCtrCtl::ClearMenus() {
  // A choice still waiting for its write goes to its file before the digits are blanked.
  FlushPendingWrite();
  ProtectChange = true;
  for (int i = 0; i < ControlCount(); ++i) {
    fw::Control* c = ControlAt(i);
    if (auto* f = dynamic_cast<fw::TextField*>(c)) f->SetText(String());
    else if (auto* m = dynamic_cast<fw::PopupMenu*>(c)) m->SetListIndex(-1);
  }
  ControlHost::Invalidate(true);
  ProtectChange = false;
}

String PermissionsCtrCtl::PermissionsReport() const {
  return QStringLiteral("Utilisateur : ") + UserPermTxtFld().Text() + QStringLiteral(" - Groupe : ") +
         GroupPermTxtFld().Text() + QStringLiteral(" - Autres : ") + OthersPermTxtFld().Text();
}

void PermissionsCtrCtl::SetFolderCopy(const fw::FolderItemPtr& item) {
  // A choice still waiting for its write goes to the file it was made for, not the next one.
  if (item != FolderItemCopy) FlushPendingWrite();
  FolderItemCopy = item;
}

void PermissionsCtrCtl::SetFieldPermissions() {
  fw::Deref(FolderItemCopy);
  // A choice still waiting goes to its file before the panel shows the file anew.
  FlushPendingWrite();
  ShowDigits();
}

void PermissionsCtrCtl::ShowDigits() {
  std::optional<int> mode = fw::Deref(FolderItemCopy).Permissions();
  if (!mode) {
    // Gone or unreadable since it was listed: show nothing rather than stale digits.
    ClearMenus();
    return;
  }
  int m = *mode;
  showing_ = true;
  UserPermPupMnu().SetListIndex(m / 64 % 8);
  GroupPermPupMnu().SetListIndex(m / 8 % 8);
  OthersPermPupMnu().SetListIndex(m % 8);
  showing_ = false;
}

bool PermissionsCtrCtl::ApplyProperty(std::string_view name, const fw::Value& v) {
  if (name == "ProtectChange") return ProtectChange = fw::AsBool(v, name), true;
  return fw::ContainerControl::ApplyProperty(name, v);
}
