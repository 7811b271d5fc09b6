// Dates and times typed key by key on a real keyboard layout, with Shift released before or after
// the key it modifies: on US ":" needs Shift, on French AZERTY every digit and "/" do.
#include "realx/RealXFixture.h"

namespace realx {
namespace {

struct TypingCase {
  const char* name;
  Layout layout;
  ShiftOrder order;
};
void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class TypingTest : public RealXTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypingTest, EachCharacterComesOnceAndTheDateWrittenIsTheOneTyped) {
  QByteArray path = ListFile("notes.txt");
  UseLayout(GetParam().layout);
  TabedDateField& date = w->ModifDateTxtFld();
  TabedTimeField& time = w->ModifTimeTxtFld();

  ClickEnd(date);
  Erase(10);
  Type("15/08/2024", GetParam().layout, GetParam().order);
  EXPECT_EQ(date.Text(), "15/08/2024");
  Keys({"Tab"});
  EXPECT_EQ(Focused(), time.LineEdit());
  EXPECT_EQ(date.Text(), "15/08/2024");
  EXPECT_EQ(MTime(path), LocalEpoch(2024, 8, 15, 8, 0, 0));

  Erase(8);
  Type("10:20:30", GetParam().layout, GetParam().order);
  EXPECT_EQ(time.Text(), "10:20:30");
  Keys({"Tab"});
  EXPECT_EQ(time.Text(), "10:20:30");
  EXPECT_EQ(MTime(path), LocalEpoch(2024, 8, 15, 10, 20, 30));
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, TypingTest,
                         ::testing::Values(TypingCase{"UsShiftReleasedFirst", Layout::Us, ShiftOrder::ReleasedFirst},
                                           TypingCase{"UsShiftReleasedLast", Layout::Us, ShiftOrder::ReleasedLast},
                                           TypingCase{"AzertyShiftReleasedFirst", Layout::Fr,
                                                      ShiftOrder::ReleasedFirst},
                                           TypingCase{"AzertyShiftReleasedLast", Layout::Fr, ShiftOrder::ReleasedLast}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace realx

namespace realx {
namespace {

// AZERTY's circumflex is a dead key: it and the letter after it give one character, once.
TEST_F(RealXTest, ADeadKeyAndItsLetterGiveOneCharacterOnce) {
  QByteArray path = ListFile("notes.txt");
  UseLayout(Layout::Fr);
  fw::TextField& name = w->FileNameTxtFld();
  ClickEnd(name);
  // Keycode 34 is the dead circumflex on AZERTY, 26 the letter e.
  Xdo({"keydown", "34", "keyup", "34", "keydown", "26", "keyup", "26"});
  EXPECT_EQ(name.Text(), QString::fromUtf8("notesê"));
  Keys({"Tab"});
  EXPECT_FALSE(Exists(path));
  EXPECT_TRUE(Exists(In("notes\xc3\xaa.txt"))) << "the file was not renamed notesê.txt";
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());
}

}  // namespace
}  // namespace realx
