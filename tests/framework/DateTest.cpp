#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "framework/Date.h"

using namespace fw;

namespace {

// Sets the locale variables for one test and puts the previous ones back.
class LocaleEnv {
 public:
  LocaleEnv(const char* all, const char* time, const char* lang) {
    Set("LC_ALL", all);
    Set("LC_TIME", time);
    Set("LANG", lang);
  }
  ~LocaleEnv() {
    for (auto& [name, value] : saved_) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }

 private:
  void Set(const char* name, const char* value) {
    const char* old = getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST(Dates, ShortDateAndParseDateFollowTheLocaleOrderFrenchForCAndPosix) {
  const struct {
    const char *all, *time, *lang;
    const char* shortDate;  // 12 May 2011
  } cases[] = {
      {"C.UTF-8", nullptr, nullptr, "12/05/2011"},
      {"POSIX", nullptr, nullptr, "12/05/2011"},
      {nullptr, nullptr, nullptr, "12/05/2011"},
      {"fr_FR.UTF-8", nullptr, nullptr, "12/05/2011"},
      {"en_US.UTF-8", "fr_FR.UTF-8", nullptr, "05/12/2011"},  // LC_ALL comes first
      {"", "en_US.UTF-8", "fr_FR.UTF-8", "05/12/2011"},       // then LC_TIME
      {nullptr, nullptr, "de_DE.UTF-8", "12/05/2011"},        // then LANG
      {nullptr, nullptr, "ja_JP.UTF-8", "2011/05/12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shortDate);
    SCOPED_TRACE(c.all ? c.all : c.time ? c.time : c.lang ? c.lang : "unset");
    LocaleEnv env(c.all, c.time, c.lang);
    Date may12 = Date::FromFields(2011, 5, 12, 14, 5, 9);
    EXPECT_EQ(may12.ShortDate(), c.shortDate);
    EXPECT_EQ(may12.LongTime(), "14:05:09");
    Date parsed;
    ASSERT_TRUE(ParseDate(c.shortDate, parsed));
    EXPECT_EQ(parsed, Date::FromFields(2011, 5, 12));
  }
}

TEST(Dates, ParseDateTakesOneToFourDigitsAndGivesTheYearAsTyped) {
  LocaleEnv env("C.UTF-8", nullptr, nullptr);
  const struct {
    const char* text;
    int year, month, day;  // year 0 when the text is no date
  } cases[] = {
      {"1/2/3", 3, 2, 1},
      {"12/05/0011", 11, 5, 12},
      {"29/02/2012", 2012, 2, 29},
      {"31/12/9999", 9999, 12, 31},
      {"29/02/2011", 0, 0, 0},
      {"31/04/2011", 0, 0, 0},
      {"0/1/2011", 0, 0, 0},
      {"1/13/2011", 0, 0, 0},
      {"12/05/20111", 0, 0, 0},
      {"12/05", 0, 0, 0},
      {"1/2/3/4", 0, 0, 0},
      {" 1/2/3", 0, 0, 0},
      {"", 0, 0, 0},
      {"12.05.2011", 0, 0, 0},
      {"+1/2/3", 0, 0, 0},
      {"1/-2/2011", 0, 0, 0},
      {"1/2/-3", 0, 0, 0},
      {"1/2/ 3", 0, 0, 0},
      {"\u0661/\u0662/\u0663", 0, 0, 0},  // digits of another script
  };
  for (const auto& c : cases) {
    Date d = Date::FromFields(1999, 9, 9);
    bool ok = ParseDate(c.text, d);
    EXPECT_EQ(ok, c.year != 0) << c.text;
    if (ok) {
      EXPECT_EQ(d, Date::FromFields(c.year, c.month, c.day)) << c.text;
    }
  }
}

// A date keeps its conversion; any change of a field must convert it anew.
TEST(Dates, ToEpochFollowsEveryChangeOfTheDate) {
  Date d = Date::FromFields(2011, 5, 12, 10, 20, 30);
  int64_t first = 0, now = 0;
  ASSERT_TRUE(d.ToEpoch(first));
  const struct {
    void (Date::*set)(int);
    int value;
    int64_t shift;
  } changes[] = {
      {&Date::SetSecond, 31, 1},
      {&Date::SetMinute, 21, 61},
      {&Date::SetHour, 11, 3661},
      {&Date::SetDay, 13, 90061},
  };
  for (const auto& c : changes) {
    (d.*c.set)(c.value);
    ASSERT_TRUE(d.ToEpoch(now));
    EXPECT_EQ(now - first, c.shift) << c.value;
  }
  Date copy = d;
  ASSERT_TRUE(copy.ToEpoch(now));
  EXPECT_EQ(now - first, 90061);

  // Year 0 is no date of the calendar; a later year is.
  Date outside = Date::FromFields(0, 1, 1);
  EXPECT_FALSE(outside.ToEpoch(now));
  outside.SetYear(2011);
  EXPECT_TRUE(outside.ToEpoch(now));
}

}  // namespace

// CTest runs the tests in Europe/Paris, where 29 March 2026 goes from 02:00 straight to 03:00.
TEST(DateEpoch, ATimeSkippedByTheClockChangeNamesNoMoment) {
  int64_t s = 0;
  EXPECT_FALSE(fw::Date::FromFields(2026, 3, 29, 2, 30, 0).ToEpoch(s));
  ASSERT_TRUE(fw::Date::FromFields(2026, 3, 29, 3, 30, 0).ToEpoch(s));
  EXPECT_EQ(fw::Date::FromEpoch(s).LongTime(), "03:30:00");
}
