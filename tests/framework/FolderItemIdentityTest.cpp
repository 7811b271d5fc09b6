// A FolderItem writes only to what its path named when it was made. Run as root in a folder that
// another user owns, as a folder shared with someone is: that user can swap a listed file for a
// link to any file of the system, and root would follow it.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <iostream>
#include <map>
#include <string>

#include "framework/FolderItem.h"
#include "support/Support.h"

using namespace fw;

namespace {

const QString kReplaced = QStringLiteral("Le fichier a été remplacé depuis son ajout à la liste");
const QString kTargetReplaced =
    QStringLiteral("Le fichier désigné par le lien a été remplacé depuis son ajout à la liste");
const char kFinderInfo[] = "user.com.apple.FinderInfo";
constexpr time_t kOldTime = 946728000;  // a fixed date every fixture file carries

void Age(const QByteArray& path) {
  struct timespec t[2] = {{kOldTime, 0}, {kOldTime, 0}};
  ::utimensat(AT_FDCWD, path.constData(), t, AT_SYMLINK_NOFOLLOW);
}

// Everything a write could change, for every name in the folders given: the name's own object and,
// for a link, what it points to.
std::string Snapshot(const std::vector<QByteArray>& folders) {
  std::string out;
  for (const QByteArray& folder : folders) {
    DIR* d = ::opendir(folder.constData());
    if (!d) return "unreadable " + folder.toStdString();
    std::map<std::string, std::string> rows;
    while (dirent* e = ::readdir(d)) {
      std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      QByteArray path = folder + "/" + QByteArray::fromStdString(name);
      std::string row;
      struct stat st;
      for (int follow = 0; follow < 2; ++follow) {
        int rc = follow ? ::stat(path.constData(), &st) : ::lstat(path.constData(), &st);
        if (rc != 0) {
          row += " -";
          continue;
        }
        row += " ino=" + std::to_string(st.st_ino) + " mode=" + std::to_string(st.st_mode) +
               " mtime=" + std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
      }
      char info[64];
      ssize_t n = ::getxattr(path.constData(), kFinderInfo, info, sizeof info);
      row += n < 0 ? " no-info" : " info=" + std::string(info, size_t(n));
      rows[name] = row;
    }
    ::closedir(d);
    for (const auto& [name, row] : rows) out += folder.toStdString().append("/").append(name).append(row).append("\n");
  }
  return out;
}

class FolderItemIdentityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root, to hand the folder to another user";
    const passwd* pw = ::getpwnam("nobody");
    if (!pw) GTEST_SKIP() << "no user nobody";
    ASSERT_EQ(::chown(shared.Path().constData(), pw->pw_uid, pw->pw_gid), 0);
    ::chmod(shared.Path().constData(), 0755);
    // A file only root may read or change, elsewhere.
    secret = secretFolder.MakeFile("secret", "root only\n", 0600);
    Age(secret);
  }
  void TearDown() override {
    seams::BetweenCheckAndRename({});
    seams::RefuseNoReplace(false);
    seams::WriteThroughProc(false);
  }

  QByteArray In(const QByteArray& name) const { return shared.Path() + "/" + name; }
  QByteArray MakeAged(const QByteArray& name, const QByteArray& content) {
    QByteArray path = shared.MakeFile(name, content, 0644);
    Age(path);
    return path;
  }

  testsupport::TempFolder shared;
  testsupport::TempFolder secretFolder;
  QByteArray secret;
};

struct Write {
  const char* what;
  std::function<Outcome(FolderItem&)> call;
  bool actsOnTheLinkItself;  // a rename moves a dropped link, whatever it points to
};

const Write kWrites[] = {
    {"permissions", [](FolderItem& f) { return f.SetPermissions(0647); }, false},
    {"modification date",
     [](FolderItem& f) { return f.SetModificationDate(Date::FromFields(2011, 5, 12, 10, 15, 30)); }, false},
    {"hidden extension", [](FolderItem& f) { return f.SetExtensionVisible(false); }, false},
    {"creation date", [](FolderItem& f) { return f.SetCreationDate(Date::FromFields(2011, 5, 12, 10, 15, 30)); },
     false},
    {"name", [](FolderItem& f) { return f.SetName("renamed.png"); }, true},
    {"name, without the no-replace flag",
     [](FolderItem& f) {
       seams::RefuseNoReplace(true);
       Outcome o = f.SetName("renamed.png");
       seams::RefuseNoReplace(false);
       return o;
     },
     true},
};

enum class Swap { None, NameForLinkToSecret, NameForOtherFile, TargetForOtherFile, TargetForLinkToSecret };

struct Case {
  const char* what;
  bool droppedLink;
  Swap swap;
};

const Case kCases[] = {
    {"file, nothing swapped", false, Swap::None},
    {"file swapped for a link to a root-only file", false, Swap::NameForLinkToSecret},
    {"file swapped for another file", false, Swap::NameForOtherFile},
    {"link, nothing swapped", true, Swap::None},
    {"link swapped for a link to a root-only file", true, Swap::NameForLinkToSecret},
    {"link swapped for a plain file", true, Swap::NameForOtherFile},
    {"link's file swapped for another file", true, Swap::TargetForOtherFile},
    {"link's file swapped for a link to a root-only file", true, Swap::TargetForLinkToSecret},
};

TEST_F(FolderItemIdentityTest, AWriteReachesOnlyWhatWasAddedOrFailsAndChangesNothing) {
  bool xattrs = true;
  for (bool throughProc : {false, true})
    for (const Write& w : kWrites) {
      for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(w.what) + " / " + c.what + (throughProc ? " / through /proc" : ""));
        seams::WriteThroughProc(throughProc);
        // Fresh objects every time.
        for (const char* name : {"photo.png", "target.png", "old.png", "renamed.png"}) ::unlink(In(name).constData());
        if (c.droppedLink) {
          MakeAged("target.png", "dropped\n");
          ASSERT_EQ(::symlink("target.png", In("photo.png").constData()), 0);
        } else {
          MakeAged("photo.png", "dropped\n");
        }
        FolderItemPtr item = FolderItem::FromNativePath(In("photo.png"));

        const QByteArray swapped = c.swap == Swap::TargetForOtherFile || c.swap == Swap::TargetForLinkToSecret
                                       ? In("target.png")
                                       : In("photo.png");
        if (c.swap != Swap::None) {
          // The added object stays in the folder under another name.
          ASSERT_EQ(::rename(swapped.constData(), In("old.png").constData()), 0);
          if (c.swap == Swap::NameForOtherFile || c.swap == Swap::TargetForOtherFile) {
            MakeAged(swapped.mid(swapped.lastIndexOf('/') + 1), "put in its place\n");
          } else {
            ASSERT_EQ(::symlink(secret.constData(), swapped.constData()), 0);
          }
        }

        const std::string before = Snapshot({shared.Path(), secretFolder.Path()});
        Outcome out = w.call(*item);
        const std::string after = Snapshot({shared.Path(), secretFolder.Path()});

        if (c.swap == Swap::None || (w.actsOnTheLinkItself && c.swap >= Swap::TargetForOtherFile)) {
          // The write reaches the added objects: the fixture alone does not make it fail.
          if (std::string(w.what) == "creation date") continue;
          if (std::string(w.what) == "hidden extension" && !out && out.Errno == ENOTSUP) {
            xattrs = false;
            continue;
          }
          EXPECT_TRUE(out) << out.Reason.toStdString();
          EXPECT_NE(after, before);
          continue;
        }
        EXPECT_FALSE(out);
        EXPECT_EQ(out.Errno, ESTALE);
        EXPECT_EQ(out.Reason, c.swap >= Swap::TargetForOtherFile ? kTargetReplaced : kReplaced);
        EXPECT_EQ(after, before);
        EXPECT_EQ(item->NativePath(), In("photo.png"));
      }
    }
  if (!xattrs) std::cout << "note: no extended attributes here, the Finder info write was not tried\n";
}

TEST_F(FolderItemIdentityTest, ARenameKeepsWhatTheItemStandsFor) {
  MakeAged("photo.png", "dropped\n");
  FolderItemPtr item = FolderItem::FromNativePath(In("photo.png"));
  ASSERT_TRUE(item->SetName("renamed.png"));
  Outcome o = item->SetPermissions(0600);
  ASSERT_TRUE(o) << o.Reason.toStdString();
  struct stat st;
  ASSERT_EQ(::stat(In("renamed.png").constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);

  // The new name is watched as the old one was.
  ASSERT_EQ(::rename(In("renamed.png").constData(), In("old.png").constData()), 0);
  ASSERT_EQ(::symlink(secret.constData(), In("renamed.png").constData()), 0);
  o = item->SetPermissions(0666);
  EXPECT_FALSE(o);
  EXPECT_EQ(o.Reason, kReplaced);
  ASSERT_EQ(::stat(secret.constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

// No call renames by descriptor: the name is checked, then moved. A file swapped in between is moved
// back under its own name, and the rename is reported as failed.
TEST_F(FolderItemIdentityTest, AFileSwappedInJustBeforeTheMoveGoesBackUnderItsName) {
  for (bool refuseFlag : {false, true}) {
    SCOPED_TRACE(refuseFlag ? "without the no-replace flag" : "with the no-replace flag");
    for (const char* name : {"photo.png", "old.png", "renamed.png"}) ::unlink(In(name).constData());
    MakeAged("photo.png", "dropped\n");
    FolderItemPtr item = FolderItem::FromNativePath(In("photo.png"));
    seams::RefuseNoReplace(refuseFlag);
    seams::BetweenCheckAndRename([this] {
      ::rename(In("photo.png").constData(), In("old.png").constData());
      ::symlink(secret.constData(), In("photo.png").constData());
    });
    Outcome o = item->SetName("renamed.png");
    seams::BetweenCheckAndRename({});
    EXPECT_FALSE(o);
    EXPECT_EQ(o.Reason, kReplaced);
    EXPECT_EQ(item->NativePath(), In("photo.png"));
    struct stat st;
    ASSERT_EQ(::lstat(In("photo.png").constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link swapped in has its own name back";
    EXPECT_NE(::lstat(In("renamed.png").constData(), &st), 0);
    ASSERT_EQ(::stat(secret.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
  }
}

TEST_F(FolderItemIdentityTest, AFileThatAppearedAfterTheItemWasMadeIsNotWritten) {
  FolderItemPtr item = FolderItem::FromNativePath(In("later.png"));
  Outcome o = item->SetPermissions(0600);
  EXPECT_FALSE(o);
  EXPECT_EQ(o.Errno, ENOENT);
  MakeAged("later.png", "came later\n");
  for (const Outcome& out : {item->SetPermissions(0600), item->SetName("other.png")}) {
    EXPECT_FALSE(out);
    EXPECT_EQ(out.Reason, QStringLiteral("Ce fichier n'existait pas lors de son ajout à la liste"));
  }
  struct stat st;
  ASSERT_EQ(::stat(In("later.png").constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

}  // namespace
