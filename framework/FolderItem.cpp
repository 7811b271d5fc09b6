#include "framework/FolderItem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace fw {

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

std::optional<int> FolderItem::Permissions() const {
  struct stat st;
  if (::stat(path_.constData(), &st) != 0) return std::nullopt;
  return int(st.st_mode & 07777);
}

}  // namespace fw
