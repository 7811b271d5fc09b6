#include <gtest/gtest.h>

#include "app/FileTypes1.h"

namespace {

TEST(FileTypes1, TheFiveTypesCarryTheirTextsAndAreRegisteredUntilReleased) {
  EXPECT_EQ(FileTypes1::All(), "text/plain;image/x-png;image/gif;image/jpeg;application/pdf;");
  EXPECT_EQ(FileTypes1::All().size(), 60);
  FileTypes1::Initialize();
  const struct {
    fw::FileTypePtr& type;
    const char *name, *extensions, *macType, *macCreator;
  } table[] = {
      {FileTypes1::pText, "text/plain",
       ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt", "TEXT", "????"},
      {FileTypes1::pImageXPng, "image/x-png", ".png", "PNGf", "ogle"},
      {FileTypes1::pImageGif, "image/gif", ".gif", "GIFf", "prvw"},
      {FileTypes1::pImageJpeg, "image/jpeg", ".jfif;.jpe;.jpeg;.jpg", "JPEG", "prvw"},
      {FileTypes1::pApplicationPdf, "application/pdf", ".pdf", "PDF ", "prvw"},
  };
  for (const auto& t : table) {
    ASSERT_NE(t.type, nullptr) << t.name;
    EXPECT_EQ(t.type->Name, t.name);
    EXPECT_EQ(t.type->Extensions, t.extensions);
    EXPECT_EQ(t.type->MacType, t.macType);
    EXPECT_EQ(t.type->MacCreator, t.macCreator);
    EXPECT_TRUE(fw::FileTypeRegistry::IsRegistered(t.name)) << t.name;
  }
  EXPECT_EQ(FileTypes1::pApplicationPdf->MacType.size(), 4);
  QStringList text = FileTypes1::pText->Extensions.split(';');
  EXPECT_EQ(text.size(), 17);
  EXPECT_EQ(text.first(), ".asc");
  EXPECT_EQ(text.last(), ".txt");

  // The list's drop filter resolves every name of All.
  EXPECT_EQ(fw::FileTypeRegistry::ExtensionsFor(FileTypes1::All()).size(), 17 + 1 + 1 + 4 + 1);
  EXPECT_TRUE(fw::FileTypeRegistry::Accepts(FileTypes1::All(), "Scan.JPG"));
  EXPECT_FALSE(fw::FileTypeRegistry::Accepts(FileTypes1::All(), "film.mov"));

  FileTypes1::Finalize();
  for (const auto& t : table) {
    EXPECT_EQ(t.type, nullptr) << t.name;
    EXPECT_FALSE(fw::FileTypeRegistry::IsRegistered(t.name)) << t.name;
  }
}

}  // namespace
