// What FolderItem's sources share to reach a file safely: a descriptor that names one object
// without opening it for reading or writing, and the path under /proc that stands for it in the
// calls that take no descriptor.
#pragma once

#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <QByteArray>

#include "framework/FolderItem.h"

namespace fw::detail {

class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor(Descriptor&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
  Descriptor& operator=(Descriptor&& o) noexcept {
    if (this != &o) {
      Reset();
      fd_ = o.fd_;
      o.fd_ = -1;
    }
    return *this;
  }
  ~Descriptor() { Reset(); }

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  // "/proc/self/fd/N": the very object of the descriptor, whatever its name now names.
  QByteArray ProcPath() const { return "/proc/self/fd/" + QByteArray::number(fd_); }

 private:
  int fd_ = -1;
};

// utimensat and chmod on the descriptor's object: 0 or the errno. Where the kernel has no form of
// the call for such a descriptor, they go through ProcPath.
int SetTimes(const Descriptor& file, const struct timespec times[2]);
int SetMode(const Descriptor& file, mode_t mode);

// The failure of a call made through ProcPath: /proc missing is said as such, not as a missing file.
Outcome ProcCallFailure(int err);

}  // namespace fw::detail
