#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

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
      {0644, 0674, 0674},   {0644, 0, 0},
      {04755, 0775, 04775},  // set-user-ID kept
      {02755, 0700, 02700}, {01755, 0644, 01644},
      {0644, 07777, 0777},  // bits above the nine in the value are not written
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

// Outside the file's group and without CAP_FSETID, the kernel carries out a chmod only by dropping
// set-group-ID: such a write is refused before any call. Run in a child that becomes nobody.
TEST(FolderItemPermissions, ASetGroupIdFileIsNotStrippedByAUserOutsideItsGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root, to become another user";
  const passwd* pw = ::getpwnam("nobody");
  if (!pw) GTEST_SKIP() << "no user nobody";
  const uid_t uid = pw->pw_uid;
  const gid_t gid = pw->pw_gid;
  const gid_t fileGroup = 0;  // a group nobody is not in
  struct Case {
    const char* what;
    bool inGroup;
    bool refused;
    int after;
  };
  const Case cases[] = {
      {"outside the group", false, true, 02755},
      {"in the group as a supplementary group", true, false, 02750},
  };
  testsupport::TempFolder tmp;
  ::chmod(tmp.Path().constData(), 0755);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QByteArray path = tmp.MakeFile(c.inGroup ? "in" : "out");
    ASSERT_EQ(::chown(path.constData(), uid, fileGroup), 0);
    ASSERT_EQ(::chmod(path.constData(), 02755), 0);
    ASSERT_EQ(ModeOf(path), 02755);
    FolderItemPtr item = FolderItem::FromNativePath(path);

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::vector<gid_t> groups{gid};
      if (c.inGroup) groups.push_back(fileGroup);
      if (::setgroups(groups.size(), groups.data()) != 0 || ::setresgid(gid, gid, gid) != 0 ||
          ::setresuid(uid, uid, uid) != 0)
        ::_exit(10);
      seams::ResetFileWriteCalls();
      Outcome o = item->SetPermissions(0750);
      if (o.Ok) ::_exit(0);
      const bool asked = o.Errno == EPERM && o.Reason.contains(QStringLiteral("set-group-ID"));
      ::_exit(seams::FileWriteCalls() == 0 && asked ? 1 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 10) << "could not become nobody";
    EXPECT_EQ(WEXITSTATUS(status), c.refused ? 1 : 0);
    EXPECT_EQ(ModeOf(path), c.after) << std::oct << ModeOf(path);
  }
}

}  // namespace
