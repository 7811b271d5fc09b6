// Control keys and pastes as a real keyboard, a real mouse and another program's selections send
// them: a command key is a command (no validate, no focus move, no write), and a paste that breaks
// a field's rules is refused whole while one that keeps them is taken.
#include "realx/RealXFixture.h"

namespace realx {
namespace {

// ---- Ctrl+C, Ctrl+V and Ctrl+M in the name and date fields.

struct CtrlCase {
  const char* name;
  Field field;
  const char* key;
  // Before the key: the whole text selected by the mouse (selectAll), or an edit typed at the end
  // (erase characters, then type) so that a write would show on disk.
  bool selectAll;
  int erase;
  const char* typed;
  const char* clipboardBefore;
  const char* fieldAfter;
  const char* clipboardAfter;
};
void PrintTo(const CtrlCase& c, std::ostream* os) { *os << c.name; }

class CtrlKeyTest : public RealXTest, public ::testing::WithParamInterface<CtrlCase> {};

TEST_P(CtrlKeyTest, IsTheEditCommandAndNeitherValidatesNorMovesTheFocusNorWrites) {
  const CtrlCase& c = GetParam();
  QByteArray path = ListFile("notes.txt");
  fw::TextField& field = FieldOf(*w, c.field);
  std::unique_ptr<Child> owner = OfferSelection(Selection::Clipboard, c.clipboardBefore);
  ASSERT_TRUE(owner) << "xclip did not take the clipboard";

  ClickEnd(field);
  if (c.selectAll) DragSelectAll(field);
  Erase(c.erase);
  if (c.field == Field::Name) Xdo({"type", c.typed});
  else if (*c.typed) Type(c.typed);
  Chord("Control_L", c.key);

  EXPECT_EQ(field.Text(), QString::fromUtf8(c.fieldAfter));
  EXPECT_EQ(Focused(), field.LineEdit()) << "the focus left the field";
  EXPECT_EQ(ReadSelection(Selection::Clipboard), QByteArray(c.clipboardAfter));
  EXPECT_TRUE(Exists(path)) << "the file was renamed";
  EXPECT_EQ(MTime(path), kOld) << "the file's date was written";
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CtrlKeyTest,
    ::testing::Values(CtrlCase{"NameCtrlC", Field::Name, "c", true, 0, "", "avant", "notes", "notes"},
                      CtrlCase{"NameCtrlV", Field::Name, "v", true, 0, "", "brouillon", "brouillon", "brouillon"},
                      CtrlCase{"NameCtrlM", Field::Name, "m", false, 0, "x", "avant", "notesx", "avant"},
                      CtrlCase{"DateCtrlC", Field::ModifDate, "c", true, 0, "", "avant", "01/01/2001", "01/01/2001"},
                      CtrlCase{"DateCtrlV", Field::ModifDate, "v", true, 0, "", "15/08/2024", "15/08/2024",
                               "15/08/2024"},
                      // Return here would rewrite 1999 as 2100 and write it.
                      CtrlCase{"DateCtrlM", Field::ModifDate, "m", false, 4, "1999", "avant", "01/01/1999", "avant"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Paste by Shift+Insert (the clipboard) and by the middle button (the primary selection).

struct PasteCase {
  const char* name;
  bool middleButton;
  Field field;
  const char* text;
  bool taken;
  const char* fieldAfter;
  // After the field is left by Tab: the file's name, and its modification date (0: unchanged).
  const char* nameAfter;
  time_t dateAfter;
};
void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.name; }

class PasteTest : public RealXTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteTest, TakesWhatKeepsTheFieldsRulesAndRefusesTheRestWhole) {
  const PasteCase& c = GetParam();
  QByteArray path = ListFile("notes.txt");
  fw::TextField& field = FieldOf(*w, c.field);
  QString before = field.Text();

  if (c.middleButton) {
    // Offered once the field has the focus, so that no selection of ours replaces it.
    ClickEnd(field);
    std::unique_ptr<Child> owner = OfferSelection(Selection::Primary, c.text);
    ASSERT_TRUE(owner) << "xclip did not take the primary selection";
    ClickEnd(field, 2);
    EXPECT_EQ(Focused(), field.LineEdit());
  } else {
    std::unique_ptr<Child> owner = OfferSelection(Selection::Clipboard, c.text);
    ASSERT_TRUE(owner) << "xclip did not take the clipboard";
    ClickEnd(field);
    if (c.taken) DragSelectAll(field);
    Chord("Shift_L", "Insert");
  }
  EXPECT_EQ(field.Text(), c.taken ? QString::fromUtf8(c.fieldAfter) : before);
  EXPECT_EQ(fw::seams::BeepCount() > 0, !c.taken) << "a refused paste beeps, a taken one does not";

  Keys({"Tab"});
  EXPECT_NE(Focused(), field.LineEdit());
  EXPECT_TRUE(Exists(In(c.nameAfter))) << "the file is not named " << c.nameAfter;
  EXPECT_EQ(MTime(In(c.nameAfter)), c.dateAfter ? c.dateAfter : kOld);
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Pastes, PasteTest,
    ::testing::Values(
        // A signed hour would be written as 21:00 the day before.
        PasteCase{"ShiftInsertSignedTimeRefused", false, Field::ModifTime, "-3:00:00", false, "", "notes.txt", 0},
        PasteCase{"ShiftInsertDateTaken", false, Field::ModifDate, "15/08/2024", true, "15/08/2024", "notes.txt",
                  LocalEpoch(2024, 8, 15, 8, 0, 0)},
        // Past the extension's ten characters.
        PasteCase{"MiddleButtonLongExtensionRefused", true, Field::Extension, "abcdefghijklmnopqrstuvwx", false, "",
                  "notes.txt", 0},
        PasteCase{"MiddleButtonNameTaken", true, Field::Name, "-bis", true, "notes-bis", "notes-bis.txt", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace realx
