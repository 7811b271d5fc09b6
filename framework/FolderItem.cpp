#include "framework/FolderItem.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "framework/Errors.h"

namespace fw {

namespace {

std::atomic<int> fileWriteCalls{0};
bool refuseNoReplace = false;

// The Finder info as the Mac keeps it: 32 bytes, big-endian; creator at 4–7, flags at 8–9.
const char kFinderInfo[] = "user.com.apple.FinderInfo";
constexpr int kFinderInfoSize = 32;
constexpr int kHiddenExtension = 0x0010;

Outcome FailureFor(int err) { return Outcome::Failure(err, FrenchReason(err)); }

int RenameNoReplace(const char* from, const char* to) {
  if (refuseNoReplace) {
    errno = EINVAL;
    return -1;
  }
  detail::CountFileWrite();
#ifdef RENAME_NOREPLACE
  return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
#else
  return int(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 1u));
#endif
}

// For file systems that refuse the no-replace flag: still never replaces a file. Anything but a
// folder (a symbolic link too: link() does not follow it) gets its new name as a second link first,
// which fails when the name is taken; a folder, which a plain rename could only put in place of an
// empty folder, is checked right before the rename. Returns 0 or the errno.
int RenameWithoutFlag(const char* from, const char* to, bool linkable) {
  if (linkable) {
    detail::CountFileWrite();
    if (::link(from, to) == 0) {
      detail::CountFileWrite();
      if (::unlink(from) == 0) return 0;
      int err = errno;
      // Leave the file with its one old name rather than two.
      detail::CountFileWrite();
      ::unlink(to);
      return err;
    }
    int err = errno;
    // Only a file system without hard links goes on to the checked rename.
    // NOLINTNEXTLINE(misc-redundant-expression): the two codes are one on Linux, two elsewhere.
    if (err != EPERM && err != ENOTSUP && err != EOPNOTSUPP && err != EMLINK) return err;
  }
  struct stat st;
  if (::lstat(to, &st) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  detail::CountFileWrite();
  return ::rename(from, to) == 0 ? 0 : errno;
}

// 0 with the attribute's bytes, ENODATA when the file has none, or the errno of the failure.
int ReadFinderInfo(const QByteArray& path, QByteArray& out) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    ssize_t size = ::getxattr(path.constData(), kFinderInfo, nullptr, 0);
    if (size < 0) return errno;
    out.resize(qsizetype(size));
    ssize_t got = ::getxattr(path.constData(), kFinderInfo, out.data(), size_t(out.size()));
    if (got >= 0) {
      out.resize(qsizetype(got));
      return 0;
    }
    // ERANGE: the attribute grew between the two calls.
    if (errno != ERANGE) return errno;
  }
  return ERANGE;
}

bool IsNotSupported(int err) { return err == ENOTSUP || err == EOPNOTSUPP; }

int FinderFlags(const QByteArray& info) {
  if (info.size() < 10) return 0;
  return (uchar(info[8]) << 8) | uchar(info[9]);
}

// Creator codes are Mac OS Roman text.
const char16_t kMacRomanHigh[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
    0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
    0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
    0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265,
    0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF,
    0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
    0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044,
    0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9,
    0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

String FromMacRoman(const QByteArray& bytes) {
  String s;
  for (char c : bytes) {
    uchar b = uchar(c);
    s += b < 0x80 ? QChar(b) : QChar(kMacRomanHigh[b - 0x80]);
  }
  return s;
}

}  // namespace

namespace detail {
void CountFileWrite() { ++fileWriteCalls; }
}  // namespace detail

namespace seams {
int FileWriteCalls() { return fileWriteCalls; }
void ResetFileWriteCalls() { fileWriteCalls = 0; }
void RefuseNoReplace(bool on) { refuseNoReplace = on; }
}  // namespace seams

FolderItemPtr FolderItem::FromNativePath(const QByteArray& path) {
  QByteArray p = path;
  while (p.size() > 1 && p.endsWith('/')) p.chop(1);
  return FolderItemPtr(new FolderItem(p));
}

FolderItemPtr FolderItem::FromPath(const String& path) { return FromNativePath(path.toUtf8()); }

String FolderItem::DisplayPath() const { return QString::fromUtf8(path_); }

QByteArray FolderItem::NameBytes() const {
  int slash = int(path_.lastIndexOf('/'));
  return slash < 0 ? path_ : path_.mid(slash + 1);
}

String FolderItem::Name() const { return QString::fromUtf8(NameBytes()); }

Outcome FolderItem::SetName(const String& name) {
  // The name shown stands for the name's own bytes, so bytes that are not UTF-8 stay as they are.
  return SetNameBytes(!name.isEmpty() && name == Name() ? NameBytes() : name.toUtf8());
}

Outcome FolderItem::SetNameBytes(const QByteArray& bytes) {
  if (bytes.isEmpty()) return Outcome::Failure(EINVAL, QStringLiteral("Le nom ne peut pas être vide"));
  if (bytes.contains('/')) return Outcome::Failure(EINVAL, QStringLiteral("Le nom ne peut pas contenir « / »"));
  if (bytes.contains('\0'))
    return Outcome::Failure(EINVAL, QStringLiteral("Le nom ne peut pas contenir de caractère nul"));
  if (bytes == "." || bytes == "..")
    return Outcome::Failure(EINVAL, QStringLiteral("« . » et « .. » ne peuvent pas servir de nom"));

  struct stat st;
  if (::lstat(path_.constData(), &st) != 0) return FailureFor(errno);
  if (bytes == NameBytes()) return Outcome::Success();

  int slash = int(path_.lastIndexOf('/'));
  QByteArray target = (slash < 0 ? QByteArray() : path_.left(slash + 1)) + bytes;
  int err = RenameNoReplace(path_.constData(), target.constData()) == 0 ? 0 : errno;
  // EINVAL or ENOSYS: the file system or the kernel does not know the flag.
  if (err == EINVAL || err == ENOSYS)
    err = RenameWithoutFlag(path_.constData(), target.constData(), !S_ISDIR(st.st_mode));
  if (err != 0) return FailureFor(err);

  path_ = target;
  struct stat now;
  if (::lstat(path_.constData(), &now) != 0) {
    int e = errno;
    return Outcome::Failure(e, QStringLiteral("Le fichier renommé est introuvable"));
  }
  return Outcome::Success();
}

bool FolderItem::Exists() const {
  struct stat st;
  return ::lstat(path_.constData(), &st) == 0;
}

bool FolderItem::Directory() const {
  struct stat st;
  return ::stat(path_.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

FolderItemPtr FolderItem::Parent() const {
  int slash = int(path_.lastIndexOf('/'));
  if (slash < 0) return FromNativePath(".");
  if (slash == 0) return path_.size() > 1 ? FromNativePath("/") : nullptr;
  return FromNativePath(path_.left(slash));
}

FolderItemPtr FolderItem::Child(const String& name) const {
  QByteArray base = path_.endsWith('/') ? path_ : path_ + '/';
  return FromNativePath(base + name.toUtf8());
}

bool FolderItem::ExtensionVisible() const {
  QByteArray info;
  if (ReadFinderInfo(path_, info) != 0) return true;
  return (FinderFlags(info) & kHiddenExtension) == 0;
}

Outcome FolderItem::SetExtensionVisible(bool visible) {
  QByteArray info;
  int err = ReadFinderInfo(path_, info);
  const bool had = err == 0;
  if (IsNotSupported(err)) {
    // Without Finder info the extension shows already; hiding it needs the attribute.
    if (visible) return Outcome::Success();
    return Outcome::Failure(
        err, QStringLiteral("Le système de fichiers n'accepte pas les informations du Finder (attributs étendus)"));
  }
  if (err != 0 && err != ENODATA) return FailureFor(err);
  if (((FinderFlags(info) & kHiddenExtension) == 0) == visible) return Outcome::Success();

  if (info.size() < kFinderInfoSize) info.append(kFinderInfoSize - info.size(), '\0');
  int flags = FinderFlags(info);
  flags = visible ? flags & ~kHiddenExtension : flags | kHiddenExtension;
  info[8] = char(flags >> 8);
  info[9] = char(flags & 0xFF);

  int rc;
  detail::CountFileWrite();
  if (visible && info.size() == kFinderInfoSize && info.count('\0') == kFinderInfoSize) {
    rc = ::removexattr(path_.constData(), kFinderInfo);
  } else {
    // Create or replace as read, so a change made meanwhile by someone else is not overwritten.
    rc = ::setxattr(path_.constData(), kFinderInfo, info.constData(), size_t(info.size()),
                    had ? XATTR_REPLACE : XATTR_CREATE);
  }
  if (rc != 0) {
    int e = errno;
    if (IsNotSupported(e))
      return Outcome::Failure(
          e, QStringLiteral("Le système de fichiers n'accepte pas les informations du Finder (attributs étendus)"));
    if (e == EEXIST || e == ENODATA)
      return Outcome::Failure(e, QStringLiteral("Les informations du Finder ont changé pendant l'écriture"));
    return FailureFor(e);
  }
  if (ExtensionVisible() != visible)
    return Outcome::Failure(EIO, QStringLiteral("Le système de fichiers n'a pas gardé les informations du Finder"));
  return Outcome::Success();
}

std::optional<Date> FolderItem::CreationDate() const {
  struct statx sx;
  if (::statx(AT_FDCWD, path_.constData(), 0, STATX_BTIME, &sx) != 0) return std::nullopt;
  if (!(sx.stx_mask & STATX_BTIME)) return std::nullopt;
  return Date::FromEpoch(sx.stx_btime.tv_sec, long(sx.stx_btime.tv_nsec));
}

Outcome FolderItem::SetCreationDate(const Date&) {
  struct stat st;
  if (::stat(path_.constData(), &st) != 0) return FailureFor(errno);
  return Outcome::Failure(ENOTSUP, QStringLiteral("Linux ne permet pas de modifier la date de création d'un fichier"));
}

std::optional<Date> FolderItem::ModificationDate() const {
  struct stat st;
  if (::stat(path_.constData(), &st) != 0) return std::nullopt;
  return Date::FromEpoch(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

Outcome FolderItem::SetModificationDate(const Date& d) {
  int64_t seconds = 0;
  if (!d.ToEpoch(seconds))
    return Outcome::Failure(EINVAL, d.Year() >= 1 && d.Day() <= DaysInMonth(d.Year(), d.Month())
                                        ? QStringLiteral("Cette heure n'existe pas ce jour-là (changement d'heure)")
                                        : QStringLiteral("Date non valide"));
  // A local time the clocks skip (the hour lost when summer time starts) would come back as another.
  if (Date::FromEpoch(seconds) != d)
    return Outcome::Failure(EINVAL, QStringLiteral("Cette heure n'existe pas ce jour-là (changement d'heure)"));
  struct stat before;
  if (::stat(path_.constData(), &before) != 0) return FailureFor(errno);

  long nanos = d.Nanosecond() >= 0 && d.Nanosecond() < 1000000000L ? d.Nanosecond() : 0;
  struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), nanos}};
  detail::CountFileWrite();
  if (::utimensat(AT_FDCWD, path_.constData(), times, 0) != 0) return FailureFor(errno);

  struct stat after;
  if (::stat(path_.constData(), &after) != 0) return FailureFor(errno);
  if (int64_t(after.st_mtim.tv_sec) != seconds) {
    // The file system clamped the date: give the file back the date it had.
    struct timespec back[2] = {{0, UTIME_OMIT}, before.st_mtim};
    detail::CountFileWrite();
    ::utimensat(AT_FDCWD, path_.constData(), back, 0);
    return Outcome::Failure(ERANGE, QStringLiteral("Date non prise en charge par le système de fichiers"));
  }
  return Outcome::Success();
}

std::optional<int> FolderItem::Permissions() const {
  struct stat st;
  if (::stat(path_.constData(), &st) != 0) return std::nullopt;
  return int(st.st_mode & 07777);
}

String FolderItem::MacCreator() const {
  QByteArray info;
  if (ReadFinderInfo(path_, info) != 0 || info.size() < 8) return {};
  QByteArray code = info.mid(4, 4);
  if (code.count('\0') == 4) return {};
  return FromMacRoman(code);
}

}  // namespace fw
