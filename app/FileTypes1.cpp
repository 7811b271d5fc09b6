#include "app/FileTypes1.h"

namespace FileTypes1 {

fw::FileTypePtr pText;
fw::FileTypePtr pImageXPng;
fw::FileTypePtr pImageGif;
fw::FileTypePtr pImageJpeg;
fw::FileTypePtr pApplicationPdf;

std::array<fw::FileTypePtr*, 5> Slots() { return {&pText, &pImageXPng, &pImageGif, &pImageJpeg, &pApplicationPdf}; }

void Initialize() {
  static const struct {
    const char *name, *extensions, *macType, *macCreator;
  } table[] = {
      {"text/plain", ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt", "TEXT", "????"},
      {"image/x-png", ".png", "PNGf", "ogle"},
      {"image/gif", ".gif", "GIFf", "prvw"},
      {"image/jpeg", ".jfif;.jpe;.jpeg;.jpg", "JPEG", "prvw"},
      {"application/pdf", ".pdf", "PDF ", "prvw"},
  };
  auto typeSlots = Slots();
  for (size_t i = 0; i < typeSlots.size(); ++i) {
    auto type = std::make_shared<fw::FileType>();
    *typeSlots[i] = type;
    type->Name = QString::fromLatin1(table[i].name);
    type->Extensions = QString::fromLatin1(table[i].extensions);
    type->MacType = QString::fromLatin1(table[i].macType);
    type->MacCreator = QString::fromLatin1(table[i].macCreator);
    type->ToString();
  }
}

fw::String All() { return QStringLiteral("text/plain;image/x-png;image/gif;image/jpeg;application/pdf;"); }

void Finalize() {
  for (fw::FileTypePtr* slot : Slots()) slot->reset();
}

}  // namespace FileTypes1
