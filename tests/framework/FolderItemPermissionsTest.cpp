#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "framework/FolderItem.h"
#include "support/Support.h"

using namespace fw;

namespace {

int ModeOf(const QByteArray& path) {
  struct stat st;
  return ::stat(path.constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// Makes the file and gives it the mode exactly (the umask and MakeFile's chmod drop nothing here).
QByteArray MakeWithMode(const testsupport::TempFolder& tmp, const QByteArray& name, int mode) {
  QByteArray path = tmp.MakeFile(name);
  ::chmod(path.constData(), mode_t(mode));
  return path;
}

TEST(FolderItemPermissions, WriteChangesOnlyTheNinePermissionBits) {
  struct Case {
    int before, written, after;
  };
  const Case cases[] = {
      {0644, 0674, 0674},   {0644, 0, 0},         {04755, 0775, 04775},  // set-user-ID kept
      {02755, 0700, 02700}, {01755, 0644, 01644}, {0644, 07777, 0777},   // bits above the nine in the value are not written
  };
  testsupport::TempFolder tmp;
  int n = 0;
  for (const auto& c : cases) {
    QByteArray path = MakeWithMode(tmp, "f" + QByteArray::number(n++), c.before);
    ASSERT_EQ(ModeOf(path), c.before);
    seams::ResetFileWriteCalls();
    Outcome o = FolderItem::FromNativePath(path)->SetPermissions(c.written);
    EXPECT_TRUE(o.Ok) << std::oct << c.before << " " << c.written << " " << o.Reason.toStdString();
    EXPECT_EQ(ModeOf(path), c.after) << std::oct << c.before << " " << c.written;
    EXPECT_EQ(seams::FileWriteCalls(), 1);
  }
}

TEST(FolderItemPermissions, SameModeMakesNoSystemCall) {
  testsupport::TempFolder tmp;
  QByteArray path = MakeWithMode(tmp, "f", 04755);
  seams::ResetFileWriteCalls();
  auto item = FolderItem::FromNativePath(path);
  EXPECT_TRUE(item->SetPermissions(0755).Ok);
  EXPECT_EQ(seams::FileWriteCalls(), 0);
  EXPECT_EQ(ModeOf(path), 04755);
}

TEST(FolderItemPermissions, MissingFileFailsWithItsReason) {
  testsupport::TempFolder tmp;
  QByteArray path = tmp.MakeFile("gone");
  ::unlink(path.constData());
  Outcome o = FolderItem::FromNativePath(path)->SetPermissions(0600);
  EXPECT_FALSE(o.Ok);
  EXPECT_EQ(o.Errno, ENOENT);
  EXPECT_EQ(o.Reason, "Fichier introuvable");
}

}  // namespace
