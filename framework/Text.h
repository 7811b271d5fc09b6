// The framework's text functions. Positions are 1-based where the names say so; counts are in characters.
#pragma once

#include "framework/Core.h"

namespace fw {

int Len(const String& s);
// A count below zero gives the empty text, one beyond the length the whole text.
String Left(const String& s, int count);
String Right(const String& s, int count);
String Mid(const String& s, int start, int count = -1);
// First occurrence of what at or after start (1-based; 0 means from the beginning); 0 when none.
int InStr(int start, const String& s, const String& what);
inline int InStr(const String& s, const String& what) { return InStr(0, s, what); }
// The number at the start of the text (after leading blanks); 0 when it does not start with one.
double Val(const String& s);
String Str(long long n);
String Chr(int code);
// One-character key compared by its code; -1 for anything else.
int KeyCode(const String& key);
// Double to Int32 the way the framework converts: toward zero, saturated.
int ToInt32(double d);

}  // namespace fw
