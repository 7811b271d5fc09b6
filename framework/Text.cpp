#include "framework/Text.h"

#include <climits>
#include <cmath>

namespace fw {

int Len(const String& s) { return int(s.size()); }

String Left(const String& s, int count) {
  if (count <= 0) return {};
  return s.left(count);
}

String Right(const String& s, int count) {
  if (count <= 0) return {};
  return s.right(count);
}

String Mid(const String& s, int start, int count) {
  if (start < 1) start = 1;
  if (start > Len(s)) return {};
  if (count < 0) return s.mid(start - 1);
  return s.mid(start - 1, count);
}

int InStr(int start, const String& s, const String& what) {
  int from = start <= 0 ? 0 : start - 1;
  if (from > Len(s)) return 0;
  int i = int(s.indexOf(what, from));
  return i < 0 ? 0 : i + 1;
}

double Val(const String& s) {
  // Leading blanks, an optional sign, digits with an optional fraction and exponent.
  int i = 0, n = Len(s);
  while (i < n && (s[i] == u' ' || s[i] == u'\t')) ++i;
  int begin = i;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
  int digits = 0;
  while (i < n && s[i].isDigit() && s[i].unicode() < 128) ++i, ++digits;
  if (i < n && s[i] == u'.') {
    ++i;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (s[i] == u'e' || s[i] == u'E')) {
    int j = i + 1;
    if (j < n && (s[j] == u'+' || s[j] == u'-')) ++j;
    int e = 0;
    while (j < n && s[j].isDigit() && s[j].unicode() < 128) ++j, ++e;
    if (e) i = j;
  }
  return s.mid(begin, i - begin).toDouble();
}

String Str(long long n) { return QString::number(n); }

String Chr(int code) { return QString(QChar(char16_t(code))); }

int KeyCode(const String& key) { return key.size() == 1 ? key[0].unicode() : -1; }

int ToInt32(double d) {
  if (std::isnan(d)) return 0;
  if (d >= double(INT_MAX)) return INT_MAX;
  if (d <= double(INT_MIN)) return INT_MIN;
  return int(d);
}

}  // namespace fw
