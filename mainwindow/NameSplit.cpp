#include "mainwindow/NameSplit.h"

#include "framework/Text.h"

fw::String BaseName(const fw::String& name) {
  int dot = fw::InStr(name, QStringLiteral("."));
  return dot == 0 ? name : fw::Left(name, dot - 1);
}

fw::String ExtensionPart(const fw::String& name) {
  int dot = fw::InStr(name, QStringLiteral("."));
  return dot == 0 ? fw::String() : fw::Mid(name, dot);
}
