#include "FieldsFixture.h"
#include "controls/TimeText.h"

namespace {

const Qt::Key kValidateKeys[] = {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Enter};

TEST_F(Fields, ValidateKeysFollowTheChainNotTheTabOrder) {
  for (Qt::Key k : kValidateKeys) {
    SCOPED_TRACE(k);
    w.Name().SetText("photo");
    w.Date().SetText("12/05/2011");
    w.Time().SetText("10:15:00");
    w.Ext().SetFocus();
    Key(k);  // backwards, to the first field
    EXPECT_TRUE(Focused(w.Name()));
    Key(k);  // skipping Ext, which comes next in the tab order
    EXPECT_TRUE(Focused(w.Date()));
    Key(k);
    EXPECT_TRUE(Focused(w.Time()));
    Key(k);  // a plain field can end the chain
    EXPECT_TRUE(Focused(w.Plain()));
    EXPECT_EQ(w.Name().Text(), "photo");
    EXPECT_EQ(w.Ext().Text(), "");
    EXPECT_EQ(w.Date().Text(), "12/05/2011");
    EXPECT_EQ(w.Time().Text(), "10:15:00");
    EXPECT_EQ(Beeps(), 0);
  }
}

TEST_F(Fields, TextFieldTypesAsUsualAndLetsItsOwnerVetoOtherKeys) {
  w.Name().SetFocus();
  Type("ab");
  EXPECT_EQ(w.Name().Text(), "ab");

  QStringList seen;
  w.Name().KeyDown.Bind([&](fw::Object&, const fw::String& key) {
    seen << key;
    return key == "x";
  });
  Type("xy");
  Key(Qt::Key_Tab);
  EXPECT_EQ(w.Name().Text(), "aby");
  EXPECT_EQ(seen, QStringList({"x", "y"}));  // the validate key is the field's own
  EXPECT_TRUE(Focused(w.Date()));
}

TEST_F(Fields, ValidateKeyWithoutNextFieldIsSwallowed) {
  w.Name().ChampSuivant = nullptr;
  w.Date().ChampSuivant = nullptr;
  w.Time().ChampSuivant = nullptr;
  for (Qt::Key k : kValidateKeys) {
    SCOPED_TRACE(k);
    w.Name().SetFocus();
    Key(k);
    EXPECT_TRUE(Focused(w.Name()));
    EXPECT_EQ(w.Name().Text(), "");

    Enter(w.Date(), "1/2/11");
    Key(k);
    EXPECT_TRUE(Focused(w.Date()));
    EXPECT_EQ(w.Date().Text(), "01/02/2011");  // the check and the rewrite still run

    Enter(w.Time(), "10:15:00");
    Key(k);
    EXPECT_TRUE(Focused(w.Time()));
    EXPECT_EQ(w.Time().Text(), "10:15:00");
  }
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(Fields, DateFieldAppliesTheYearRuleAndRewritesTheShortDate) {
  const struct {
    const char* typed;
    const char* rewritten;
  } cases[] = {
      {"12/05/0", "12/05/2000"},    {"12/05/11", "12/05/2011"},   {"12/05/99", "12/05/2099"},
      {"12/05/100", "12/05/0100"},  {"12/05/101", "12/05/2100"},  {"12/05/1999", "12/05/2100"},
      {"12/05/2000", "12/05/2000"}, {"12/05/2150", "12/05/2150"}, {"1/2/2011", "01/02/2011"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Enter(w.Date(), c.typed);
    Key(Qt::Key_Return);
    EXPECT_EQ(w.Date().Text(), c.rewritten);
    EXPECT_TRUE(Focused(w.Time()));
  }
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(Fields, DateFieldLosingTheFocusOnItsOwnHoldsItsText) {
  int rewrites = 0;
  w.Date().LostFocus.Bind([&](fw::Object& f) { rewrites += static_cast<TabedDateField&>(f).Text() == "12/05/2011"; });
  Enter(w.Date(), "12/05/11");
  Key(Qt::Key_Tab);
  EXPECT_EQ(rewrites, 1);  // the owner's focus-loss handler already sees the rewritten date

  Enter(w.Date(), "12/05/11");
  Click(w.Plain(), 0);
  EXPECT_TRUE(Focused(w.Plain()));
  EXPECT_EQ(w.Date().Text(), "12/05/11");  // no check, no rewrite, no beep when left by a click
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(Fields, RejectedDateBeepsAndKeepsTextCaretAndFocus) {
  for (const char* text : {"", "32/01/2011", "29/02/2011", "12/05", "12/05/20111", "12//2011", "12-05-2011"}) {
    SCOPED_TRACE(text);
    Enter(w.Date(), text);
    int before = Beeps();
    Key(Qt::Key_Tab);
    EXPECT_EQ(Beeps(), before + 1);
    EXPECT_EQ(w.Date().Text(), text);
    EXPECT_EQ(Caret(w.Date()), int(strlen(text)));
    EXPECT_TRUE(Focused(w.Date()));
  }
}

TEST_F(Fields, TimeFieldChecksHoursMinutesAndSecondsWithoutRewriting) {
  const struct {
    const char* text;
    bool passes;
  } cases[] = {
      {"23:59:59", true}, {"24:00:00", false}, {"12:60:00", false}, {"12:00:60", false},
      {"12:30", false},   {"12:345:00", true}, {"12::", true},      {":00:00", true},
      {"7:5:3", true},    {"", false},         {"1230", false},     {"99999999999:00:00", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Enter(w.Time(), c.text);
    int before = Beeps();
    Key(Qt::Key_Enter);
    EXPECT_EQ(Focused(w.Plain()), c.passes);
    EXPECT_EQ(Beeps(), before + (c.passes ? 0 : 1));
    EXPECT_EQ(w.Time().Text(), c.text);
  }
}

// The main window builds dates from time texts through the same split, unchecked.
TEST(TimeText, SplitsAtTheFirstAndSecondColon) {
  const struct {
    const char* text;
    int hour, minute, second, colons;
  } cases[] = {
      {"14:05:09", 14, 5, 9, 2}, {"9:5:30", 9, 5, 30, 2}, {"12:345:00", 12, 34, 0, 2},
      {"12::", 12, 0, 0, 2},     {"1:2:3:4", 1, 2, 3, 2}, {"10:30", 10, 30, 10, 1},
      {"1230", 0, 12, 1230, 0},  {"", 0, 0, 0, 0},        {"a:b:c", 0, 0, 0, 2},
  };
  for (const auto& c : cases) {
    TimeParts t = SplitTimeText(c.text);
    EXPECT_EQ(t.Hour, c.hour) << c.text;
    EXPECT_EQ(t.Minute, c.minute) << c.text;
    EXPECT_EQ(t.Second, c.second) << c.text;
    EXPECT_EQ(t.Colons, c.colons) << c.text;
  }
}

}  // namespace
