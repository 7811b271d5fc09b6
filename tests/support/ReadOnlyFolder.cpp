#include "support/ReadOnlyFolder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

bool SetImmutable(const QByteArray& path, bool on) {
  int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return ok;
}

ReadOnlyFolder::ReadOnlyFolder(QByteArray path) : path_(std::move(path)) {
  ::chmod(path_.constData(), 0555);
  if (::geteuid() == 0) immutable_ = SetImmutable(path_, true);
}

ReadOnlyFolder::~ReadOnlyFolder() {
  if (immutable_) SetImmutable(path_, false);
  ::chmod(path_.constData(), 0755);
}

bool ReadOnlyFolder::Holds() const {
  QByteArray probe = path_ + "/.read-only-probe";
  int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) return true;
  ::close(fd);
  ::unlink(probe.constData());
  return false;
}

}  // namespace testsupport
