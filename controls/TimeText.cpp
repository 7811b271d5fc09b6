#include "controls/TimeText.h"

#include "framework/Text.h"

using namespace fw;

TimeParts SplitTimeText(const String& text) {
  TimeParts t;
  int p1 = InStr(text, ":");
  int p2 = p1 > 0 ? InStr(p1 + 1, text, ":") : 0;
  t.Colons = p1 == 0 ? 0 : p2 == 0 ? 1 : 2;
  t.Hour = ToInt32(Val(Left(text, p1 - 1)));
  t.Minute = ToInt32(Val(Mid(text, p1 + 1, 2)));
  t.Second = ToInt32(Val(Right(text, Len(text) - p2)));
  return t;
}

bool TimeTextValid(const TimeParts& t) { return t.Colons == 2 && t.Hour < 24 && t.Minute < 60 && t.Second < 60; }
