#include "controls/TimeText.h"

#include "framework/Text.h"

using namespace fw;

namespace {
// A part's number: its digits up to a ":" (which ends the number, as in "12:5:30"), none reading 0.
// Anything else in them (a sign, a blank, a letter, a point) makes the part no number at all, so
// that no negative or signed part can pass as a time.
int PartNumber(const String& part, bool& numeric) {
  const qsizetype colon = part.indexOf(QLatin1Char(':'));
  const String digits = colon < 0 ? part : part.left(colon);
  for (QChar c : digits)
    if (c < u'0' || c > u'9') numeric = false;
  return ToInt32(Val(digits));
}
}  // namespace

TimeParts SplitTimeText(const String& text) {
  TimeParts t;
  int p1 = InStr(text, ":");
  int p2 = p1 > 0 ? InStr(p1 + 1, text, ":") : 0;
  t.Colons = p1 == 0 ? 0 : p2 == 0 ? 1 : 2;
  t.Hour = PartNumber(Left(text, p1 - 1), t.Numeric);
  t.Minute = PartNumber(Mid(text, p1 + 1, 2), t.Numeric);
  t.Second = PartNumber(Right(text, Len(text) - p2), t.Numeric);
  return t;
}

bool TimeTextValid(const TimeParts& t) {
  return t.Colons == 2 && t.Numeric && t.Hour < 24 && t.Minute < 60 && t.Second < 60;
}
