#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/Errors.h"
#include "framework/FolderItem.h"
#include "support/ReadOnlyFolder.h"
#include "support/Support.h"

using namespace fw;

namespace {

const char kFinderInfo[] = "user.com.apple.FinderInfo";
const QByteArray kContent("\x00\x01binary\xff\xfe content\n", 19);

QByteArray ReadAll(const QByteArray& path) {
  std::ifstream in(path.constData(), std::ios::binary);
  std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return QByteArray::fromStdString(s);
}

bool PathExists(const QByteArray& path) {
  struct stat st;
  return ::lstat(path.constData(), &st) == 0;
}

struct timespec MTime(const QByteArray& path) {
  struct stat st {};
  ::stat(path.constData(), &st);
  return st.st_mtim;
}

struct timespec ATime(const QByteArray& path) {
  struct stat st {};
  ::stat(path.constData(), &st);
  return st.st_atim;
}

// The file's Finder info; empty, with present false, when it has none.
QByteArray FinderInfo(const QByteArray& path, bool* present = nullptr) {
  char buf[256];
  ssize_t n = ::getxattr(path.constData(), kFinderInfo, buf, sizeof buf);
  if (present) *present = n >= 0;
  return n < 0 ? QByteArray() : QByteArray(buf, int(n));
}

QByteArray MakeFinderInfo(const QByteArray& type, const QByteArray& creator, int flags) {
  QByteArray info(32, '\0');
  info.replace(0, 4, type.leftJustified(4, '\0', true));
  info.replace(4, 4, creator.leftJustified(4, '\0', true));
  info[8] = char(flags >> 8);
  info[9] = char(flags & 0xFF);
  return info;
}

class FolderItemTest : public ::testing::Test {
 protected:
  void SetUp() override { seams::ResetFileWriteCalls(); }
  void TearDown() override { seams::RefuseNoReplace(false); }

  // Skips the test where the file system refuses user extended attributes.
  bool XattrsRefused() {
    QByteArray probe = tmp.MakeFile(".probe");
    int rc = ::setxattr(probe.constData(), "user.probe", "x", 1, 0);
    ::unlink(probe.constData());
    return rc != 0;
  }

  testsupport::TempFolder tmp;
};

TEST_F(FolderItemTest, RenameMovesTheFileAndEveryHolderSeesIt) {
  QByteArray old = tmp.MakeFile("photo.png", kContent);
  FolderItemPtr item = FolderItem::FromNativePath(old);
  // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): a second holder is the point
  FolderItemPtr row = item;  // a list row and the edited file hold the same object

  Outcome out = item->SetName(QStringLiteral("été.jpg"));
  ASSERT_TRUE(out) << out.Reason.toStdString();
  QByteArray now = tmp.Path() + "/" + QStringLiteral("été.jpg").toUtf8();
  EXPECT_EQ(row->NativePath(), now);
  EXPECT_EQ(row->Name(), QStringLiteral("été.jpg"));
  EXPECT_FALSE(PathExists(old));
  EXPECT_EQ(ReadAll(now), kContent);
}

// Each way a rename can go: the no-replace flag, or the fallback of a file system that refuses it.
struct RenameKind {
  const char* what;
  bool refuseFlag;
  int kind;  // 0 regular file, 1 folder, 2 symbolic link
};
const RenameKind kRenameKinds[] = {
    {"file", false, 0},          {"folder", false, 1},          {"link", false, 2},
    {"file, fallback", true, 0}, {"folder, fallback", true, 1}, {"link, fallback", true, 2},
};

QByteArray MakeKind(const testsupport::TempFolder& tmp, const QByteArray& name, int kind) {
  QByteArray path = tmp.Path() + "/" + name;
  if (kind == 0) return tmp.MakeFile(name, kContent);
  if (kind == 1) ::mkdir(path.constData(), 0755);
  if (kind == 2) (void)::symlink("elsewhere", path.constData());
  return path;
}

TEST_F(FolderItemTest, RenameNeverReplacesAnotherFile) {
  for (const auto& c : kRenameKinds) {
    SCOPED_TRACE(c.what);
    testsupport::TempFolder folder;
    seams::RefuseNoReplace(c.refuseFlag);
    QByteArray mine = MakeKind(folder, "mine", c.kind);
    QByteArray other = folder.MakeFile("taken.txt", "other file\n");
    FolderItemPtr item = FolderItem::FromNativePath(mine);

    Outcome out = item->SetName("taken.txt");
    EXPECT_FALSE(out);
    EXPECT_EQ(out.Errno, EEXIST);
    EXPECT_FALSE(out.Reason.isEmpty());
    EXPECT_EQ(ReadAll(other), "other file\n");
    EXPECT_TRUE(PathExists(mine));
    EXPECT_EQ(item->NativePath(), mine);
    if (c.kind == 1) {
      // A plain rename would replace an empty folder.
      ASSERT_EQ(::mkdir((folder.Path() + "/empty").constData(), 0755), 0);
      EXPECT_EQ(item->SetName("empty").Errno, EEXIST);
      EXPECT_TRUE(PathExists(mine));
    }

    // A free name still works the same way.
    Outcome free = item->SetName("free");
    EXPECT_TRUE(free) << free.Reason.toStdString();
    EXPECT_FALSE(PathExists(mine));
    EXPECT_TRUE(PathExists(folder.Path() + "/free"));
    EXPECT_EQ(item->Name(), "free");
    if (c.kind == 0) {
      EXPECT_EQ(ReadAll(folder.Path() + "/free"), kContent);
    }
    if (c.kind == 2) {
      struct stat st;
      ASSERT_EQ(::lstat((folder.Path() + "/free").constData(), &st), 0);
      EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link itself is renamed";
    }
  }
}

TEST_F(FolderItemTest, UnsafeNamesAreRefusedBeforeAnyCall) {
  QByteArray path = tmp.MakeFile("a.txt", kContent);
  ::mkdir((tmp.Path() + "/sub").constData(), 0755);
  const String names[] = {
      QString(),           QStringLiteral("sub/a.txt"),
      QStringLiteral("/"), QStringLiteral("a") + QChar(0) + QStringLiteral("b"),
      QStringLiteral("."), QStringLiteral(".."),
  };
  FolderItemPtr item = FolderItem::FromNativePath(path);
  for (const String& name : names) {
    SCOPED_TRACE(name.toStdString());
    Outcome out = item->SetName(name);
    EXPECT_FALSE(out);
    EXPECT_EQ(out.Errno, EINVAL);
    EXPECT_FALSE(out.Reason.isEmpty());
    EXPECT_EQ(item->NativePath(), path);
  }
  EXPECT_EQ(seams::FileWriteCalls(), 0);
  EXPECT_EQ(ReadAll(path), kContent);
  EXPECT_FALSE(PathExists(tmp.Path() + "/sub/a.txt"));

  // A name longer than the file system allows is refused by the system, and nothing moves.
  Outcome out = item->SetName(QString(300, QLatin1Char('x')));
  EXPECT_EQ(out.Errno, ENAMETOOLONG);
  EXPECT_EQ(ReadAll(path), kContent);
}

TEST_F(FolderItemTest, SameNameCallsNothingAndKeepsBytesThatAreNotUtf8) {
  const QByteArray names[] = {"plain.txt", "caf\xe9 \xff.txt"};
  for (const QByteArray& name : names) {
    SCOPED_TRACE(name.toStdString());
    QByteArray path = tmp.MakeFile(name, kContent);
    FolderItemPtr item = FolderItem::FromNativePath(path);
    seams::ResetFileWriteCalls();
    Outcome out = item->SetName(item->Name());
    EXPECT_TRUE(out) << out.Reason.toStdString();
    EXPECT_EQ(seams::FileWriteCalls(), 0);
    EXPECT_EQ(item->NameBytes(), name);
    EXPECT_EQ(ReadAll(path), kContent);
    // The temporary folder's clean-up cannot remove names that are not UTF-8.
    ::unlink(path.constData());
  }
}

TEST_F(FolderItemTest, FileGoneSinceChosenReadsEmptyAndEveryWriteFails) {
  QByteArray path = tmp.MakeFile("gone.txt");
  FolderItemPtr item = FolderItem::FromNativePath(path);
  ::unlink(path.constData());

  EXPECT_FALSE(item->Exists());
  EXPECT_FALSE(item->CreationDate().has_value());
  EXPECT_FALSE(item->ModificationDate().has_value());
  EXPECT_FALSE(item->Permissions().has_value());
  EXPECT_TRUE(item->ExtensionVisible());
  EXPECT_TRUE(item->MacCreator().isEmpty());

  const Date d = Date::FromFields(2011, 5, 12, 10, 15, 30);
  const std::pair<const char*, Outcome> writes[] = {
      {"name", item->SetName("new.txt")},
      {"same name", item->SetName("gone.txt")},
      {"modification date", item->SetModificationDate(d)},
      {"creation date", item->SetCreationDate(d)},
      {"hide extension", item->SetExtensionVisible(false)},
      {"show extension", item->SetExtensionVisible(true)},
  };
  for (const auto& [what, out] : writes) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(out);
    EXPECT_EQ(out.Errno, ENOENT);
    EXPECT_EQ(out.Reason, QStringLiteral("Fichier introuvable"));
  }
  EXPECT_FALSE(PathExists(tmp.Path() + "/new.txt"));
}

TEST_F(FolderItemTest, RenameInReadOnlyFolderFails) {
  QByteArray path = tmp.MakeFile("a.txt", kContent);
  Outcome out;
  {
    testsupport::ReadOnlyFolder locked(tmp.Path());
    if (!locked.Holds()) GTEST_SKIP() << testsupport::ReadOnlyFolder::WhyNot().toStdString();
    out = FolderItem::FromNativePath(path)->SetName("b.txt");
  }
  EXPECT_FALSE(out);
  // Write permission refused to a user; the immutable flag refuses root.
  EXPECT_TRUE(out.Errno == EACCES || out.Errno == EPERM) << out.Errno;
  EXPECT_EQ(out.Reason, FrenchReason(out.Errno));
  EXPECT_EQ(ReadAll(path), kContent);
  EXPECT_FALSE(PathExists(tmp.Path() + "/b.txt"));
}

TEST_F(FolderItemTest, ModificationDateIsWrittenReadBackOrLeftAsItWas) {
  struct statfs fs {};
  ::statfs(tmp.Path().constData(), &fs);
  const bool ext4 = fs.f_type == 0xEF53;  // holds dates from 1901 to 2446
  struct Case {
    const char* what;
    Date date;
    bool fitsEverywhere;
  };
  const Case cases[] = {
      {"summer", Date::FromFields(2011, 5, 12, 10, 15, 30), true},
      {"winter", Date::FromFields(2020, 12, 31, 23, 59, 59), true},
      {"before the epoch in UTC", Date::FromFields(1970, 1, 1, 0, 30, 0), true},
      {"year 100", Date::FromFields(100, 3, 1, 12, 0, 0), !ext4},
      {"year 9999", Date::FromFields(9999, 12, 31, 12, 0, 0), !ext4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QByteArray path = tmp.MakeFile("dated.txt", kContent);
    FolderItemPtr item = FolderItem::FromNativePath(path);
    timespec atime = ATime(path);
    timespec mtime = MTime(path);
    std::optional<Date> before = item->ModificationDate();
    ASSERT_TRUE(before);

    Outcome out = item->SetModificationDate(c.date);
    std::optional<Date> after = item->ModificationDate();
    ASSERT_TRUE(after);
    if (out) {
      EXPECT_EQ(after->ShortDate() + " " + after->LongTime(), c.date.ShortDate() + " " + c.date.LongTime());
    } else {
      // Put back to the nanosecond: the failure means the file is as it was.
      EXPECT_EQ(out.Reason, QStringLiteral("Date non prise en charge par le système de fichiers"));
      EXPECT_EQ(MTime(path).tv_sec, mtime.tv_sec);
      EXPECT_EQ(MTime(path).tv_nsec, mtime.tv_nsec);
      EXPECT_TRUE(*after == *before);
    }
    if (c.fitsEverywhere || ext4) {
      EXPECT_EQ(bool(out), c.fitsEverywhere);
    }
    EXPECT_EQ(ATime(path).tv_sec, atime.tv_sec);
    EXPECT_EQ(ATime(path).tv_nsec, atime.tv_nsec);
    EXPECT_EQ(ReadAll(path), kContent);
  }
}

// Paris time, pinned by the test set-up: 02:30 does not exist on 28 March 2021 and comes twice on 31 October.
TEST_F(FolderItemTest, ALocalTimeTheClocksSkipIsRefusedWithoutAWrite) {
  QByteArray path = tmp.MakeFile("heure.txt", kContent);
  FolderItemPtr item = FolderItem::FromNativePath(path);
  timespec before = MTime(path);
  seams::ResetFileWriteCalls();
  Outcome out = item->SetModificationDate(Date::FromFields(2021, 3, 28, 2, 30, 0));
  EXPECT_FALSE(out);
  EXPECT_EQ(out.Reason, QStringLiteral("Cette heure n'existe pas ce jour-là (changement d'heure)"));
  EXPECT_EQ(seams::FileWriteCalls(), 0);
  EXPECT_EQ(MTime(path).tv_sec, before.tv_sec);
  EXPECT_EQ(MTime(path).tv_nsec, before.tv_nsec);

  for (const Date& d : {Date::FromFields(2021, 3, 28, 3, 0, 0), Date::FromFields(2021, 10, 31, 2, 30, 0)}) {
    ASSERT_TRUE(item->SetModificationDate(d)) << d.ShortDate().toStdString() << " " << d.LongTime().toStdString();
    EXPECT_EQ(item->ModificationDate()->LongTime(), d.LongTime());
  }
}

TEST_F(FolderItemTest, CreationDateIsReadAndNeverSet) {
  QByteArray path = tmp.MakeFile("born.txt", kContent);
  FolderItemPtr item = FolderItem::FromNativePath(path);
  std::optional<Date> born = item->CreationDate();
  if (!born) GTEST_SKIP() << "this file system records no birth time";
  int64_t bornSecs = 0, nowSecs = 0;
  ASSERT_TRUE(born->ToEpoch(bornSecs));
  ASSERT_TRUE(Date().ToEpoch(nowSecs));
  EXPECT_LE(std::abs(nowSecs - bornSecs), 60);

  timespec mtime = MTime(path);
  Outcome out = item->SetCreationDate(Date::FromFields(2001, 2, 3, 4, 5, 6));
  EXPECT_FALSE(out);
  EXPECT_FALSE(out.Reason.isEmpty());
  EXPECT_EQ(seams::FileWriteCalls(), 0);
  EXPECT_TRUE(*item->CreationDate() == *born);
  EXPECT_EQ(MTime(path).tv_sec, mtime.tv_sec);
  EXPECT_EQ(MTime(path).tv_nsec, mtime.tv_nsec);
  EXPECT_EQ(ReadAll(path), kContent);
}

TEST_F(FolderItemTest, ExtensionVisibilityRoundTripKeepsTheRestOfTheFinderInfo) {
  if (XattrsRefused()) GTEST_SKIP() << "this file system refuses user extended attributes";
  // A file without Finder info shows its extension; hiding it creates the attribute, showing removes it.
  QByteArray plain = tmp.MakeFile("plain.txt", kContent);
  FolderItemPtr item = FolderItem::FromNativePath(plain);
  EXPECT_TRUE(item->ExtensionVisible());
  ASSERT_TRUE(item->SetExtensionVisible(false));
  EXPECT_FALSE(item->ExtensionVisible());
  EXPECT_EQ(FinderInfo(plain), MakeFinderInfo({}, {}, 0x0010));
  ASSERT_TRUE(item->SetExtensionVisible(true));
  EXPECT_TRUE(item->ExtensionVisible());
  bool present = true;
  FinderInfo(plain, &present);
  EXPECT_FALSE(present);
  EXPECT_EQ(ReadAll(plain), kContent);

  // Handmade Finder info: only the hidden-extension bit changes.
  QByteArray mac = tmp.MakeFile("mac.txt", kContent);
  QByteArray info = MakeFinderInfo("TEXT", "ttxt", 0x0410);
  info[31] = '\x7f';
  ASSERT_EQ(::setxattr(mac.constData(), kFinderInfo, info.constData(), 32, 0), 0);
  FolderItemPtr macItem = FolderItem::FromNativePath(mac);
  EXPECT_FALSE(macItem->ExtensionVisible());
  ASSERT_TRUE(macItem->SetExtensionVisible(true));
  QByteArray shown = info;
  shown[9] = '\0';
  EXPECT_EQ(FinderInfo(mac), shown);
  seams::ResetFileWriteCalls();
  EXPECT_TRUE(macItem->SetExtensionVisible(true));
  EXPECT_EQ(seams::FileWriteCalls(), 0);
  ASSERT_TRUE(macItem->SetExtensionVisible(false));
  EXPECT_EQ(FinderInfo(mac), info);
  EXPECT_EQ(ReadAll(mac), kContent);
}

TEST_F(FolderItemTest, MacCreatorComesFromTheFinderInfo) {
  if (XattrsRefused()) GTEST_SKIP() << "this file system refuses user extended attributes";
  struct Case {
    const char* what;
    QByteArray attribute;  // empty: none
    String creator;
  };
  const Case cases[] = {
      {"none", {}, {}},
      {"all zero", QByteArray(32, '\0'), {}},
      {"plain", MakeFinderInfo("TEXT", "ttxt", 0), QStringLiteral("ttxt")},
      {"with blank", MakeFinderInfo("PNGf", "ogl ", 0x0010), QStringLiteral("ogl ")},
      {"Mac Roman", MakeFinderInfo("TEXT", "\xa9Mac", 0), QStringLiteral("©Mac")},
      {"too short", QByteArray("TEXTtt"), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QByteArray path = tmp.MakeFile(c.what);
    if (!c.attribute.isEmpty()) {
      ASSERT_EQ(::setxattr(path.constData(), kFinderInfo, c.attribute.constData(), size_t(c.attribute.size()), 0), 0);
    }
    EXPECT_EQ(FolderItem::FromNativePath(path)->MacCreator(), c.creator);
  }
}

TEST_F(FolderItemTest, SymbolicLinkIsRenamedItselfAndOtherwiseActsOnItsTarget) {
  QByteArray target = tmp.MakeFile("target.txt", kContent);
  QByteArray link = tmp.Path() + "/link.txt";
  ASSERT_EQ(::symlink("target.txt", link.constData()), 0);
  FolderItemPtr item = FolderItem::FromNativePath(link);
  ASSERT_EQ(::chmod(target.constData(), 0640), 0);
  EXPECT_EQ(item->Permissions(), 0640);

  const Date d = Date::FromFields(2011, 5, 12, 10, 15, 30);
  ASSERT_TRUE(item->SetModificationDate(d));
  EXPECT_TRUE(*FolderItem::FromNativePath(target)->ModificationDate() == d);

  if (!XattrsRefused()) {
    ASSERT_TRUE(item->SetExtensionVisible(false));
    EXPECT_FALSE(FolderItem::FromNativePath(target)->ExtensionVisible());
    EXPECT_EQ(FinderInfo(target), MakeFinderInfo({}, {}, 0x0010));
  }

  ASSERT_TRUE(item->SetName("renamed.txt"));
  QByteArray renamed = tmp.Path() + "/renamed.txt";
  struct stat st;
  ASSERT_EQ(::lstat(renamed.constData(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadAll(target), kContent);
  EXPECT_TRUE(*item->ModificationDate() == d);
}

}  // namespace
