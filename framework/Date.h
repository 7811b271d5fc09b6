// A local date and time, with the system's short date and long time forms.
#pragma once

#include <cstdint>

#include "framework/Core.h"

namespace fw {

class Date {
 public:
  // A new date holds the current local date and time.
  Date();
  static Date FromFields(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
  // From seconds since the epoch (UTC) and nanoseconds, shown in local time.
  static Date FromEpoch(int64_t seconds, long nanoseconds = 0);

  int Year() const { return year_; }
  int Month() const { return month_; }
  int Day() const { return day_; }
  int Hour() const { return hour_; }
  int Minute() const { return minute_; }
  int Second() const { return second_; }
  long Nanosecond() const { return nanos_; }
  // Setting a field out of its range carries over into the next larger one (25 hours: one day, one hour).
  void SetYear(int v);
  void SetMonth(int v);
  void SetDay(int v);
  void SetHour(int v);
  void SetMinute(int v);
  void SetSecond(int v);

  // Two-digit day and month and a four-digit year joined by "/" in the locale's order.
  String ShortDate() const;
  // 24-hour HH:mm:ss.
  String LongTime() const;

  // Seconds since the epoch for this local date and time; false when it cannot be represented.
  // A date keeps its first conversion, so one date written to many files costs one time-zone lookup.
  bool ToEpoch(int64_t& seconds) const;

  friend bool operator==(const Date& a, const Date& b) {
    return a.year_ == b.year_ && a.month_ == b.month_ && a.day_ == b.day_ && a.hour_ == b.hour_ &&
           a.minute_ == b.minute_ && a.second_ == b.second_;
  }

 private:
  struct Fields {};
  explicit Date(Fields) {}
  void Normalize();
  int year_ = 2000, month_ = 1, day_ = 1, hour_ = 0, minute_ = 0, second_ = 0;
  long nanos_ = 0;
  // The last conversion of these fields: 0 none yet, 1 done, -1 not representable.
  mutable int epochState_ = 0;
  mutable int64_t epoch_ = 0;
};

// Order of day, month and year in the locale (LC_ALL, LC_TIME, LANG): "dmy", "mdy" or "ymd".
// Where the locale is C or POSIX, the French order serves.
std::string DateOrder();

// One to four digits per number, in the locale's order, "/" between them. The year is given as typed.
// True when the text is a date; the date then holds it at midnight.
bool ParseDate(const String& text, Date& date);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

}  // namespace fw
