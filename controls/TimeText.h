// A time of day typed as hours, minutes and seconds separated by ":".
// The time field checks it on a validate key; the main window reads it the same way.
#pragma once

#include "framework/Core.h"

struct TimeParts {
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  // How many ":" the split found: 0, 1, or 2 for two or more.
  int Colons = 0;
  // False when a part holds anything but digits before its end or its first ":".
  bool Numeric = true;
};

// Hours are everything before the first ":", minutes the two characters after it (a ":" among
// them ends the number), seconds everything after the second ":". With one ":" the seconds are
// read from the whole text; with none, the hours are 0 and the minutes are the first two
// characters. A part is read up to a ":" in it; an empty part reads 0, and a part that holds
// anything but digits (a sign, a blank, a letter) is no number: the text is then no time.
TimeParts SplitTimeText(const fw::String& text);

// Two ":" at least, every part a number, hours below 24, minutes and seconds below 60.
bool TimeTextValid(const TimeParts& parts);
inline bool TimeTextValid(const fw::String& text) { return TimeTextValid(SplitTimeText(text)); }
