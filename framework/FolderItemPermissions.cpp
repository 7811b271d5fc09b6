#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

#include "framework/FolderItem.h"
#include "framework/FolderItemAccess.h"

namespace fw {

namespace {
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kModeBits = 07777;

bool HasCapability(int cap) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  if (::syscall(SYS_capget, &header, data) != 0) return false;
  return (data[cap / 32].effective >> (cap % 32)) & 1u;
}

// Whether id has a mapping in this process's user namespace ("inside outside count" lines).
bool Mapped(const char* mapFile, unsigned long id) {
  std::ifstream in(mapFile);
  if (!in) return true;  // no user namespaces: every id is mapped
  unsigned long inside = 0, outside = 0, count = 0;
  while (in >> inside >> outside >> count)
    if (id >= inside && id - inside < count) return true;
  return false;
}

// The kernel's own test on chmod: a caller outside the file's group (its file system group ID, which
// follows the effective one here, and its supplementary groups) keeps set-group-ID only with
// CAP_FSETID, and only when the file's owner and group are mapped in its user namespace.
bool KeepsSetGroupId(const struct stat& st) {
  if (::getegid() == st.st_gid) return true;
  int n = ::getgroups(0, nullptr);
  std::vector<gid_t> groups(size_t(n > 0 ? n : 0));
  if (n > 0 && ::getgroups(n, groups.data()) == n)
    for (gid_t g : groups)
      if (g == st.st_gid) return true;
  return HasCapability(CAP_FSETID) && Mapped("/proc/self/uid_map", st.st_uid) &&
         Mapped("/proc/self/gid_map", st.st_gid);
}

// A chmod that the kernel would carry out only by dropping set-group-ID (set-user-ID is never
// dropped by chmod). A caller that may not chmod the file at all is left to the call's own refusal.
bool WouldDropSetGroupId(const struct stat& st, mode_t wanted) {
  if (!(wanted & S_ISGID)) return false;
  if (::geteuid() != st.st_uid && !HasCapability(CAP_FOWNER)) return false;
  return !KeepsSetGroupId(st);
}

QString Octal(mode_t mode) { return QString::number(mode & kModeBits, 8).rightJustified(3, QLatin1Char('0')); }
}  // namespace

Outcome FolderItem::SetPermissions(int mode) {
  detail::Descriptor file;
  struct stat st;
  Outcome o = OpenMetadata(file, st);
  if (!o) return o;
  const mode_t before = st.st_mode & kModeBits;
  const mode_t wanted = (before & ~kPermissionBits) | (mode_t(mode) & kPermissionBits);
  if (before == wanted) return Outcome::Success();
  if (WouldDropSetGroupId(st, wanted))
    return Outcome::Failure(EPERM,
                            QStringLiteral("Le système retirerait au fichier son bit set-group-ID, car vous "
                                           "n'êtes pas membre de son groupe : permissions laissées telles quelles"));

  detail::CountFileWrite();
  if (int err = detail::SetMode(file, wanted)) return detail::ProcCallFailure(err);
  if (::fstat(file.Get(), &st) != 0) return Outcome::Failure(errno);
  if ((st.st_mode & kModeBits) == wanted) return Outcome::Success();

  // Some file systems take the call and keep bits of their own: the file gets its mode back.
  detail::CountFileWrite();
  if (detail::SetMode(file, before) == 0 && ::fstat(file.Get(), &st) == 0 && (st.st_mode & kModeBits) == before)
    return Outcome::Failure(EIO, QStringLiteral("Le système de fichiers n'a pas gardé les permissions demandées"));
  return Outcome::Failure(EIO, QStringLiteral("Le système de fichiers n'a pas gardé les permissions demandées : "
                                              "le fichier a maintenant les permissions %1")
                                   .arg(Octal(st.st_mode)));
}

}  // namespace fw
