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

QByteArray ComposedName(const QByteArray& oldName, const fw::String& base, const fw::String& extension) {
  // "." is one byte in UTF-8 and never part of another character, nor of a replaced byte.
  qsizetype dot = oldName.indexOf('.');
  QByteArray oldBase = dot < 0 ? oldName : oldName.left(dot);
  QByteArray oldExt = dot < 0 ? QByteArray() : oldName.mid(dot);
  QByteArray newBase = base == QString::fromUtf8(oldBase) ? oldBase : base.toUtf8();
  QByteArray newExt = extension == QString::fromUtf8(oldExt) ? oldExt : extension.toUtf8();
  return newBase + newExt;
}
