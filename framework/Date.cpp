#include "framework/Date.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>
#include <cstdlib>

namespace fw {

namespace {

// Days from 0000-03-01 style civil arithmetic (proleptic Gregorian, any year).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yoe + era * 400 + (m <= 2));
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12) return 0;
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

Date::Date() {
  QDateTime now = QDateTime::currentDateTime();
  *this = FromEpoch(now.toSecsSinceEpoch(), long(now.time().msec()) * 1000000L);
}

Date Date::FromFields(int year, int month, int day, int hour, int minute, int second) {
  Date d{Fields{}};
  d.year_ = year, d.month_ = month, d.day_ = day, d.hour_ = hour, d.minute_ = minute, d.second_ = second;
  d.Normalize();
  return d;
}

Date Date::FromEpoch(int64_t seconds, long nanoseconds) {
  QDateTime t = QDateTime::fromSecsSinceEpoch(seconds, Qt::LocalTime);
  Date d{Fields{}};
  QDate qd = t.date();
  QTime qt = t.time();
  d.year_ = qd.year(), d.month_ = qd.month(), d.day_ = qd.day();
  d.hour_ = qt.hour(), d.minute_ = qt.minute(), d.second_ = qt.second();
  d.nanos_ = nanoseconds;
  return d;
}

void Date::Normalize() {
  epochState_ = 0;
  // Months carry into years first, then everything below the month through a count of seconds.
  int64_t months = int64_t(year_) * 12 + (month_ - 1);
  int y = int(FloorDiv(months, 12));
  int m = int(months - int64_t(y) * 12) + 1;
  int64_t days = DaysFromCivil(y, m, 1) + (day_ - 1);
  int64_t secs = int64_t(hour_) * 3600 + int64_t(minute_) * 60 + second_;
  days += FloorDiv(secs, 86400);
  secs -= FloorDiv(secs, 86400) * 86400;
  CivilFromDays(days, year_, month_, day_);
  hour_ = int(secs / 3600), minute_ = int(secs / 60 % 60), second_ = int(secs % 60);
}

void Date::SetYear(int v) {
  year_ = v;
  Normalize();
}
void Date::SetMonth(int v) {
  month_ = v;
  Normalize();
}
void Date::SetDay(int v) {
  day_ = v;
  Normalize();
}
void Date::SetHour(int v) {
  hour_ = v;
  Normalize();
}
void Date::SetMinute(int v) {
  minute_ = v;
  Normalize();
}
void Date::SetSecond(int v) {
  second_ = v;
  Normalize();
}

std::string DateOrder() {
  const char* vars[] = {"LC_ALL", "LC_TIME", "LANG"};
  std::string name;
  for (const char* v : vars) {
    const char* s = std::getenv(v);
    if (s && *s) {
      name = s;
      break;
    }
  }
  std::string base = name.substr(0, name.find_first_of(".@"));
  if (base.empty() || base == "C" || base == "POSIX") return "dmy";
  QString fmt = QLocale(QString::fromStdString(base)).dateFormat(QLocale::ShortFormat);
  std::string order;
  for (QChar c : fmt) {
    char k = c == u'd' ? 'd' : c == u'M' ? 'm' : c == u'y' ? 'y' : 0;
    if (k && order.find(k) == std::string::npos) order += k;
  }
  if (order != "dmy" && order != "mdy" && order != "ymd") return "dmy";
  return order;
}

String Date::ShortDate() const {
  QString dd = QStringLiteral("%1").arg(day_, 2, 10, QLatin1Char('0'));
  QString mm = QStringLiteral("%1").arg(month_, 2, 10, QLatin1Char('0'));
  QString yy = year_ < 0 ? QString::number(year_) : QStringLiteral("%1").arg(year_, 4, 10, QLatin1Char('0'));
  std::string order = DateOrder();
  QStringList parts;
  for (char k : order) parts << (k == 'd' ? dd : k == 'm' ? mm : yy);
  return parts.join(QLatin1Char('/'));
}

String Date::LongTime() const {
  return QStringLiteral("%1:%2:%3")
      .arg(hour_, 2, 10, QLatin1Char('0'))
      .arg(minute_, 2, 10, QLatin1Char('0'))
      .arg(second_, 2, 10, QLatin1Char('0'));
}

bool Date::ToEpoch(int64_t& seconds) const {
  if (epochState_ == 0) {
    epochState_ = -1;
    QDate qd(year_, month_, day_);
    if (qd.isValid()) {
      QDateTime t(qd, QTime(hour_, minute_, second_), Qt::LocalTime);
      // A time that a daylight-saving change skips names no moment: writing the next hour instead
      // would store a time the user did not ask for.
      if (t.isValid() && t.time() == QTime(hour_, minute_, second_) && t.date() == qd)
        epoch_ = t.toSecsSinceEpoch(), epochState_ = 1;
    }
  }
  if (epochState_ < 0) return false;
  seconds = epoch_;
  return true;
}

bool ParseDate(const String& text, Date& date) {
  QStringList parts = text.split(QLatin1Char('/'));
  if (parts.size() != 3) return false;
  int nums[3];
  for (int i = 0; i < 3; ++i) {
    const QString& p = parts[i];
    if (p.isEmpty() || p.size() > 4) return false;
    for (QChar c : p)
      if (c < u'0' || c > u'9') return false;
    nums[i] = p.toInt();
  }
  int d = 0, m = 0, y = 0;
  std::string order = DateOrder();
  for (int i = 0; i < 3; ++i) (order[i] == 'd' ? d : order[i] == 'm' ? m : y) = nums[i];
  if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return false;
  date = Date::FromFields(y, m, d);
  return true;
}

}  // namespace fw
