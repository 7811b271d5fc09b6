#include "app/FileTypes1.h"

#include <iterator>
#include <tuple>

namespace FileTypes1 {

fw::FileTypePtr pText;
fw::FileTypePtr pImageXPng;
fw::FileTypePtr pImageGif;
fw::FileTypePtr pImageJpeg;
fw::FileTypePtr pApplicationPdf;

std::array<fw::FileTypePtr*, 5> Slots() { return {&pText, &pImageXPng, &pImageGif, &pImageJpeg, &pApplicationPdf}; }

namespace {
// The five types, in the order of their slots.
const struct {
  const char *name, *extensions, *macType, *macCreator;
} kTable[] = {
    {"text/plain", ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt", "TEXT", "????"},
    {"image/x-png", ".png", "PNGf", "ogle"},
    {"image/gif", ".gif", "GIFf", "prvw"},
    {"image/jpeg", ".jfif;.jpe;.jpeg;.jpg", "JPEG", "prvw"},
    {"application/pdf", ".pdf", "PDF ", "prvw"},
};
}  // namespace

void Initialize() {
  auto typeSlots = Slots();
  static_assert(std::size(kTable) == std::tuple_size_v<decltype(typeSlots)>);
  for (size_t i = 0; i < typeSlots.size(); ++i) {
    auto type = std::make_shared<fw::FileType>();
    *typeSlots[i] = type;
    type->Name = QString::fromLatin1(kTable[i].name);
    type->Extensions = QString::fromLatin1(kTable[i].extensions);
    type->MacType = QString::fromLatin1(kTable[i].macType);
    type->MacCreator = QString::fromLatin1(kTable[i].macCreator);
    type->ToString();
  }
}

fw::String All() {
  fw::String all;
  for (const auto& t : kTable) all += QLatin1String(t.name) + QLatin1Char(';');
  return all;
}

void Finalize() {
  for (fw::FileTypePtr* slot : Slots()) slot->reset();
}

}  // namespace FileTypes1
