#include <gtest/gtest.h>

#include "framework/FileType.h"

using namespace fw;

namespace {

FileTypePtr Make(const char* name, const char* extensions) {
  auto t = std::make_shared<FileType>();
  t->Name = name;
  t->Extensions = extensions;
  t->MacType = "TEXT";
  t->MacCreator = "????";
  return t;
}

TEST(FileType, RegisteredByItsStringFormAndWithdrawnWhenReleased) {
  auto text = Make("test/plain", ".txt;.C");
  auto jpeg = Make("test/jpeg", ".jpeg;.jpg");
  EXPECT_FALSE(FileTypeRegistry::IsRegistered("test/plain")) << "made is not registered";
  EXPECT_EQ(String(*text), "test/plain");
  jpeg->ToString();

  const String filter = "test/plain;test/unknown;test/jpeg;";
  EXPECT_EQ(FileTypeRegistry::ExtensionsFor(filter), QStringList({"txt", "c", "jpeg", "jpg"}));
  const struct {
    const char* file;
    bool accepted;
  } cases[] = {{"notes.txt", true}, {"PHOTO.JPG", true}, {"a.b.c", true},   {"archive.txt.gz", false},
               {"README", false},   {"x.tx", false},     {"pic.Jpeg", true}};
  for (const auto& c : cases) EXPECT_EQ(FileTypeRegistry::Accepts(filter, c.file), c.accepted) << c.file;

  text.reset();
  EXPECT_FALSE(FileTypeRegistry::IsRegistered("test/plain"));
  EXPECT_EQ(FileTypeRegistry::ExtensionsFor(filter), QStringList({"jpeg", "jpg"}));
  EXPECT_FALSE(FileTypeRegistry::Accepts(filter, "notes.txt"));
}

TEST(FileType, ReleasingOneOfTwoTypesOfTheSameNameLeavesTheOther) {
  auto first = Make("test/same", ".one");
  auto second = Make("test/same", ".two");
  first->ToString();
  second->ToString();
  EXPECT_EQ(FileTypeRegistry::ExtensionsFor("test/same"), QStringList({"two"}));
  second.reset();
  EXPECT_EQ(FileTypeRegistry::ExtensionsFor("test/same"), QStringList({"one"}));
}

TEST(FileType, ALookupRightAfterAChangeOfTheRegistrySeesTheChange) {
  auto type = Make("test/changing", ".old");
  type->ToString();
  const String filter = "test/changing;";
  EXPECT_TRUE(FileTypeRegistry::Accepts(filter, "a.old"));
  type->Extensions = ".new";
  EXPECT_TRUE(FileTypeRegistry::Accepts(filter, "a.old")) << "the texts count once registered again";
  type->ToString();
  EXPECT_FALSE(FileTypeRegistry::Accepts(filter, "a.old"));
  EXPECT_TRUE(FileTypeRegistry::Accepts(filter, "a.new"));
  auto later = Make("test/later", ".late");
  EXPECT_FALSE(FileTypeRegistry::Accepts("test/changing;test/later;", "b.late"));
  later->ToString();
  EXPECT_TRUE(FileTypeRegistry::Accepts("test/changing;test/later;", "b.late"));
}

}  // namespace
