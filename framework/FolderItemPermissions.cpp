#include <sys/stat.h>

#include <cerrno>

#include "framework/Errors.h"
#include "framework/FolderItem.h"
#include "framework/FolderItemPermissions.h"

namespace fw {

namespace {
int permissionWrites = 0;
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kModeBits = 07777;

Outcome Failed(int err) { return Outcome::Failure(err, FrenchReason(err)); }
}  // namespace

Outcome FolderItem::SetPermissions(int mode) {
  struct stat st;
  if (::stat(path_.constData(), &st) != 0) return Failed(errno);
  const mode_t wanted = (st.st_mode & kModeBits & ~kPermissionBits) | (mode_t(mode) & kPermissionBits);
  if ((st.st_mode & kModeBits) == wanted) return Outcome::Success();

  ++permissionWrites;
  detail::CountFileWrite();
  if (::chmod(path_.constData(), wanted) != 0) return Failed(errno);
  if (::stat(path_.constData(), &st) != 0) return Failed(errno);
  // Some file systems take the call and keep their own bits; the kernel may also drop set-group-ID.
  if ((st.st_mode & kModeBits) != wanted)
    return Outcome::Failure(EIO, QStringLiteral("Le système de fichiers n'a pas gardé les permissions demandées"));
  return Outcome::Success();
}

namespace seams {
int PermissionWrites() { return permissionWrites; }
void ResetPermissionWrites() { permissionWrites = 0; }
}  // namespace seams

}  // namespace fw
