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
#include "framework/FolderItemAccess.h"

namespace fw {

namespace {

std::atomic<int> fileWriteCalls{0};
bool refuseNoReplace = false;
std::function<void()> betweenCheckAndRename;

// The Finder info as the Mac keeps it: 32 bytes, big-endian; creator at 4–7, flags at 8–9.
const char kFinderInfo[] = "user.com.apple.FinderInfo";
constexpr int kFinderInfoSize = 32;
constexpr int kHiddenExtension = 0x0010;

const QString kReplaced = QStringLiteral("Le fichier a été remplacé depuis son ajout à la liste");
const QString kTargetReplaced =
    QStringLiteral("Le fichier désigné par le lien a été remplacé depuis son ajout à la liste");
const QString kNotThereWhenAdded = QStringLiteral("Ce fichier n'existait pas lors de son ajout à la liste");
const QString kNoFinderInfo =
    QStringLiteral("Le système de fichiers n'accepte pas les informations du Finder (attributs étendus)");
// Returned inside this file by the rename helpers when the name no longer holds the file that was added.
constexpr int kNameReplaced = -1;

QByteArray DirOf(const QByteArray& path) {
  int slash = int(path.lastIndexOf('/'));
  if (slash < 0) return ".";
  if (slash == 0) return "/";
  return path.left(slash);
}

bool SameObject(const struct stat& st, dev_t dev, ino_t ino) { return st.st_dev == dev && st.st_ino == ino; }

// 0 when name in dir is, without following it, the object dev/ino; else kNameReplaced or the errno.
int CheckName(int dir, const char* name, dev_t dev, ino_t ino) {
  struct stat st {};
  if (::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  return SameObject(st, dev, ino) ? 0 : kNameReplaced;
}

// Opens what the link behind linkFd names, read from that very link (a link's text never changes),
// relative to the folder of path. The caller checks what it got.
int OpenLinkTarget(int linkFd, off_t sizeHint, const QByteArray& path, detail::Descriptor& out) {
  QByteArray text(qsizetype(sizeHint > 0 && sizeHint < 65536 ? sizeHint : 255) + 1, '\0');
  for (;;) {
    ssize_t n = ::readlinkat(linkFd, "", text.data(), size_t(text.size()));
    if (n < 0) return errno;
    if (n < text.size()) {
      text.resize(qsizetype(n));
      break;
    }
    if (text.size() > 65536) return ENAMETOOLONG;
    text.resize(text.size() * 2);
  }
  int fd;
  if (text.startsWith('/')) {
    fd = ::open(text.constData(), O_PATH | O_CLOEXEC);
  } else {
    detail::Descriptor dir(::open(DirOf(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dir.Valid()) return errno;
    fd = ::openat(dir.Get(), text.constData(), O_PATH | O_CLOEXEC);
  }
  if (fd < 0) return errno;
  out = detail::Descriptor(fd);
  return 0;
}

int RenameNoReplace(int dir, const char* from, const char* to) {
  if (refuseNoReplace) {
    errno = EINVAL;
    return -1;
  }
  detail::CountFileWrite();
#ifdef RENAME_NOREPLACE
  return ::renameat2(dir, from, dir, to, RENAME_NOREPLACE);
#else
  return int(::syscall(SYS_renameat2, dir, from, dir, to, 1u));
#endif
}

// For file systems that refuse the no-replace flag: still never replaces a file. Anything but a
// folder (a symbolic link too: linkat() does not follow it) gets its new name as a second link
// first, which fails when the name is taken; a folder, which a plain rename could only put in place
// of an empty folder, is checked right before the rename. The old name is checked again before it
// goes. Returns 0, the errno, or kNameReplaced.
int RenameWithoutFlag(int dir, const char* from, const char* to, bool linkable, dev_t dev, ino_t ino) {
  if (linkable) {
    detail::CountFileWrite();
    if (::linkat(dir, from, dir, to, 0) == 0) {
      int err = CheckName(dir, from, dev, ino);
      if (err == 0) {
        detail::CountFileWrite();
        if (::unlinkat(dir, from, 0) == 0) return 0;
        err = errno;
      }
      // Leave the file with its one old name rather than two.
      detail::CountFileWrite();
      ::unlinkat(dir, to, 0);
      return err;
    }
    int err = errno;
    // Only a file system without hard links goes on to the checked rename.
    // NOLINTNEXTLINE(misc-redundant-expression): the two codes are one on Linux, two elsewhere.
    if (err != EPERM && err != ENOTSUP && err != EOPNOTSUPP && err != EMLINK) return err;
  }
  struct stat st {};
  if (::fstatat(dir, to, &st, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  detail::CountFileWrite();
  return ::renameat(dir, from, dir, to) == 0 ? 0 : errno;
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

Outcome Outcome::Failure(int err) { return Failure(err, FrenchReason(err)); }

namespace detail {
void CountFileWrite() { ++fileWriteCalls; }

// Both descriptor forms are recent (utimensat's in 5.8, fchmodat2 in 6.6): after one refusal, /proc serves.
std::atomic<bool> timesByDescriptor{true};
std::atomic<bool> modeByDescriptor{true};

namespace {
#if defined(SYS_fchmodat2)
constexpr long kFchmodat2 = SYS_fchmodat2;
#elif !defined(__alpha__)
constexpr long kFchmodat2 = 452;  // the number every architecture but alpha shares
#else
constexpr long kFchmodat2 = -1;
#endif

bool Unsupported(int err) { return err == ENOSYS || err == EINVAL; }
}  // namespace

int SetTimes(const Descriptor& file, const struct timespec times[2]) {
  if (timesByDescriptor) {
    if (::utimensat(file.Get(), "", times, AT_EMPTY_PATH) == 0) return 0;
    if (!Unsupported(errno)) return errno;
    timesByDescriptor = false;
  }
  return ::utimensat(AT_FDCWD, file.ProcPath().constData(), times, 0) == 0 ? 0 : errno;
}

int SetMode(const Descriptor& file, mode_t mode) {
  if (modeByDescriptor && kFchmodat2 >= 0) {
    if (::syscall(kFchmodat2, file.Get(), "", mode, AT_EMPTY_PATH) == 0) return 0;
    // A sandbox that does not know the call may answer EPERM: /proc decides then.
    if (!Unsupported(errno) && errno != EPERM) return errno;
    if (errno != EPERM) modeByDescriptor = false;
  }
  return ::chmod(file.ProcPath().constData(), mode) == 0 ? 0 : errno;
}

Outcome ProcCallFailure(int err) {
  if (err == ENOENT && ::access("/proc/self/fd", F_OK) != 0)
    return Outcome::Failure(err,
                            QStringLiteral("Le dossier /proc, par lequel passent les écritures, n'est pas disponible"));
  return Outcome::Failure(err);
}
}  // namespace detail

namespace seams {
int FileWriteCalls() { return fileWriteCalls; }
void ResetFileWriteCalls() { fileWriteCalls = 0; }
void RefuseNoReplace(bool on) { refuseNoReplace = on; }
void BetweenCheckAndRename(std::function<void()> hook) { betweenCheckAndRename = std::move(hook); }
void WriteThroughProc(bool on) {
  detail::timesByDescriptor = !on;
  detail::modeByDescriptor = !on;
}
}  // namespace seams

FolderItem::FolderItem(MadeHere, QByteArray path) : path_(std::move(path)) {
  // What the path names now is what this item stands for from here on.
  detail::Descriptor name(::open(path_.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat st {};
  if (!name.Valid() || ::fstat(name.Get(), &st) != 0) return;
  nameId_ = FileId{st.st_dev, st.st_ino};
  if (!S_ISLNK(st.st_mode)) {
    fileId_ = nameId_;
    return;
  }
  detail::Descriptor target;
  if (OpenLinkTarget(name.Get(), st.st_size, path_, target) == 0 && ::fstat(target.Get(), &st) == 0)
    fileId_ = FileId{st.st_dev, st.st_ino};
}

Outcome FolderItem::OpenName(detail::Descriptor& name, struct stat& st) const {
  detail::Descriptor fd(::open(path_.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  if (!fd.Valid()) return Outcome::Failure(errno);
  if (::fstat(fd.Get(), &st) != 0) return Outcome::Failure(errno);
  if (!nameId_.Known()) return Outcome::Failure(ESTALE, kNotThereWhenAdded);
  if (!SameObject(st, nameId_.Device, nameId_.Inode)) return Outcome::Failure(ESTALE, kReplaced);
  name = std::move(fd);
  return Outcome::Success();
}

Outcome FolderItem::OpenMetadata(detail::Descriptor& file, struct stat& st) const {
  detail::Descriptor name;
  Outcome o = OpenName(name, st);
  if (!o) return o;
  if (!S_ISLNK(st.st_mode)) {
    file = std::move(name);
    return Outcome::Success();
  }
  detail::Descriptor target;
  if (int err = OpenLinkTarget(name.Get(), st.st_size, path_, target)) return Outcome::Failure(err);
  if (::fstat(target.Get(), &st) != 0) return Outcome::Failure(errno);
  if (!fileId_.Known() || !SameObject(st, fileId_.Device, fileId_.Inode))
    return Outcome::Failure(ESTALE, kTargetReplaced);
  file = std::move(target);
  return Outcome::Success();
}

FolderItemPtr FolderItem::FromNativePath(const QByteArray& path) {
  QByteArray p = path;
  while (p.size() > 1 && p.endsWith('/')) p.chop(1);
  return std::make_shared<FolderItem>(MadeHere{}, p);
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

  // The rename goes by name, in the folder opened here: the name is checked to hold the file that
  // was added, and the name moved is checked again after the move.
  if (!nameId_.Known()) {
    struct stat st {};
    return ::lstat(path_.constData(), &st) == 0 ? Outcome::Failure(ESTALE, kNotThereWhenAdded)
                                                : Outcome::Failure(errno);
  }
  detail::Descriptor dir(::open(DirOf(path_).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!dir.Valid()) return Outcome::Failure(errno);
  const QByteArray from = NameBytes();
  const dev_t dev = nameId_.Device;
  const ino_t ino = nameId_.Inode;
  struct stat st {};
  if (::fstatat(dir.Get(), from.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) return Outcome::Failure(errno);
  if (!SameObject(st, dev, ino)) return Outcome::Failure(ESTALE, kReplaced);
  if (bytes == from) return Outcome::Success();

  if (betweenCheckAndRename) betweenCheckAndRename();
  int err = RenameNoReplace(dir.Get(), from.constData(), bytes.constData()) == 0 ? 0 : errno;
  // EINVAL or ENOSYS: the file system or the kernel does not know the flag.
  if (err == EINVAL || err == ENOSYS)
    err = RenameWithoutFlag(dir.Get(), from.constData(), bytes.constData(), !S_ISDIR(st.st_mode), dev, ino);
  if (err == kNameReplaced) return Outcome::Failure(ESTALE, kReplaced);
  if (err != 0) return Outcome::Failure(err);

  err = CheckName(dir.Get(), bytes.constData(), dev, ino);
  if (err == kNameReplaced) {
    // Another file took the old name between the check and the move: it goes back under that name.
    bool back = RenameNoReplace(dir.Get(), bytes.constData(), from.constData()) == 0;
    if (!back && (errno == EINVAL || errno == ENOSYS)) {
      struct stat other {};
      back = ::fstatat(dir.Get(), bytes.constData(), &other, AT_SYMLINK_NOFOLLOW) == 0 &&
             RenameWithoutFlag(dir.Get(), bytes.constData(), from.constData(), !S_ISDIR(other.st_mode), other.st_dev,
                               other.st_ino) == 0;
    }
    if (back) return Outcome::Failure(ESTALE, kReplaced);
    return Outcome::Failure(ESTALE,
                            kReplaced + QStringLiteral(" ; le fichier mis à sa place porte maintenant le nom « %1 »")
                                            .arg(QString::fromUtf8(bytes)));
  }
  int slash = int(path_.lastIndexOf('/'));
  path_ = (slash < 0 ? QByteArray() : path_.left(slash + 1)) + bytes;
  if (err != 0) return Outcome::Failure(err, QStringLiteral("Le fichier renommé est introuvable"));
  return Outcome::Success();
}

bool FolderItem::Exists() const {
  struct stat st {};
  return ::lstat(path_.constData(), &st) == 0;
}

bool FolderItem::Directory() const {
  struct stat st {};
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
  detail::Descriptor file;
  struct stat st {};
  Outcome o = OpenMetadata(file, st);
  if (!o) return o;
  const QByteArray path = file.ProcPath();

  QByteArray info;
  int err = ReadFinderInfo(path, info);
  const bool had = err == 0;
  if (IsNotSupported(err)) {
    // Without Finder info the extension shows already; hiding it needs the attribute.
    if (visible) return Outcome::Success();
    return Outcome::Failure(err, kNoFinderInfo);
  }
  if (err != 0 && err != ENODATA) return detail::ProcCallFailure(err);
  if (((FinderFlags(info) & kHiddenExtension) == 0) == visible) return Outcome::Success();

  const QByteArray before = info;
  if (info.size() < kFinderInfoSize) info.append(kFinderInfoSize - info.size(), '\0');
  int flags = FinderFlags(info);
  flags = visible ? flags & ~kHiddenExtension : flags | kHiddenExtension;
  info[8] = char(flags >> 8);
  info[9] = char(flags & 0xFF);
  const bool remove = visible && info.size() == kFinderInfoSize && info.count('\0') == kFinderInfoSize;

  int rc;
  detail::CountFileWrite();
  if (remove) {
    rc = ::removexattr(path.constData(), kFinderInfo);
  } else {
    // Create or replace as read, so a change made meanwhile by someone else is not overwritten.
    rc = ::setxattr(path.constData(), kFinderInfo, info.constData(), size_t(info.size()),
                    had ? XATTR_REPLACE : XATTR_CREATE);
  }
  if (rc != 0) {
    int e = errno;
    if (IsNotSupported(e)) return Outcome::Failure(e, kNoFinderInfo);
    if (e == EEXIST || e == ENODATA)
      return Outcome::Failure(e, QStringLiteral("Les informations du Finder ont changé pendant l'écriture"));
    return detail::ProcCallFailure(e);
  }

  QByteArray now;
  err = ReadFinderInfo(path, now);
  if (remove ? err == ENODATA : err == 0 && now == info) return Outcome::Success();
  // The file system did not keep what was written: the Finder info goes back as it was.
  detail::CountFileWrite();
  rc = had ? ::setxattr(path.constData(), kFinderInfo, before.constData(), size_t(before.size()), 0)
           : ::removexattr(path.constData(), kFinderInfo);
  QByteArray back;
  err = ReadFinderInfo(path, back);
  if (rc == 0 && (had ? err == 0 && back == before : err == ENODATA))
    return Outcome::Failure(EIO, QStringLiteral("Le système de fichiers n'a pas gardé les informations du Finder"));
  return Outcome::Failure(EIO,
                          QStringLiteral("Le système de fichiers n'a pas gardé les informations du Finder, "
                                         "qui n'ont pas pu être remises comme avant : l'extension est "
                                         "maintenant %1")
                              .arg(err == 0 && (FinderFlags(back) & kHiddenExtension) ? QStringLiteral("masquée")
                                                                                      : QStringLiteral("visible")));
}

std::optional<Date> FolderItem::CreationDate() const {
  struct statx sx;
  if (::statx(AT_FDCWD, path_.constData(), 0, STATX_BTIME, &sx) != 0) return std::nullopt;
  if (!(sx.stx_mask & STATX_BTIME)) return std::nullopt;
  return Date::FromEpoch(sx.stx_btime.tv_sec, long(sx.stx_btime.tv_nsec));
}

Outcome FolderItem::SetCreationDate(const Date&) {
  detail::Descriptor file;
  struct stat st {};
  Outcome o = OpenMetadata(file, st);
  if (!o) return o;
  return Outcome::Failure(ENOTSUP, QStringLiteral("Linux ne permet pas de modifier la date de création d'un fichier"));
}

std::optional<Date> FolderItem::ModificationDate() const {
  struct stat st {};
  if (::stat(path_.constData(), &st) != 0) return std::nullopt;
  return Date::FromEpoch(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

Outcome FolderItem::SetModificationDate(const Date& d) {
  int64_t seconds = 0;
  // ToEpoch refuses a local time the clocks skip (the hour lost when summer time starts).
  if (!d.ToEpoch(seconds))
    return Outcome::Failure(EINVAL, d.Year() >= 1 && d.Day() <= DaysInMonth(d.Year(), d.Month())
                                        ? QStringLiteral("Cette heure n'existe pas ce jour-là (changement d'heure)")
                                        : QStringLiteral("Date non valide"));
  detail::Descriptor file;
  struct stat before {};
  Outcome o = OpenMetadata(file, before);
  if (!o) return o;

  long nanos = d.Nanosecond() >= 0 && d.Nanosecond() < 1000000000L ? d.Nanosecond() : 0;
  struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), nanos}};
  detail::CountFileWrite();
  if (int err = detail::SetTimes(file, times)) return detail::ProcCallFailure(err);

  struct stat after {};
  if (::fstat(file.Get(), &after) != 0) return Outcome::Failure(errno);
  if (int64_t(after.st_mtim.tv_sec) == seconds) return Outcome::Success();

  // The file system clamped the date: give the file back the date it had.
  struct timespec back[2] = {{0, UTIME_OMIT}, before.st_mtim};
  detail::CountFileWrite();
  const bool putBack = detail::SetTimes(file, back) == 0 && ::fstat(file.Get(), &after) == 0 &&
                       after.st_mtim.tv_sec == before.st_mtim.tv_sec && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
  if (putBack) return Outcome::Failure(ERANGE, QStringLiteral("Date non prise en charge par le système de fichiers"));
  const Date now = Date::FromEpoch(after.st_mtim.tv_sec, after.st_mtim.tv_nsec);
  return Outcome::Failure(ERANGE, QStringLiteral("Date non prise en charge par le système de fichiers ; le fichier "
                                                 "porte maintenant la date du %1 %2")
                                      .arg(now.ShortDate(), now.LongTime()));
}

std::optional<int> FolderItem::Permissions() const {
  struct stat st {};
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
