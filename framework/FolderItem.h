// A reference to a file by its path. Reads go to the file system each time; every write
// reports its outcome and reads back what the file now holds.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <QByteArray>
#include <functional>
#include <memory>
#include <optional>

#include "framework/Core.h"
#include "framework/Date.h"

namespace fw {

class Picture;
class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;

// The outcome of a write: success, or the errno and a French reason. A failure means the file
// is as it was, unless the reason says what changed.
struct [[nodiscard]] Outcome {
  bool Ok = true;
  int Errno = 0;
  String Reason;
  explicit operator bool() const { return Ok; }
  static Outcome Success() { return {}; }
  static Outcome Failure(int err, const String& reason) { return {false, err, reason}; }
  // The system's reason for err, in French.
  static Outcome Failure(int err);
};

namespace detail {
class Descriptor;
}

// A FolderItem stands for the objects its path named when it was made: the name itself (the link,
// for a symbolic link) and the file its metadata belongs to (for a link, the file it named then).
// Every write acts on those very objects or fails; nothing that was put in their place since is
// touched, nor followed. Reads show what the path holds now.
class FolderItem {
 public:
  // The path is kept as the bytes the file system knows it by.
  static FolderItemPtr FromNativePath(const QByteArray& path);
  static FolderItemPtr FromPath(const String& path);

  QByteArray NativePath() const { return path_; }
  // The path for showing, decoded as UTF-8.
  String DisplayPath() const;

  // The name shown: the last part of the path, decoded as UTF-8.
  String Name() const;
  QByteArray NameBytes() const;
  // Renames the file on disk without ever replacing another file. A symbolic link is renamed itself.
  // The new name is refused before any call when it is empty, ".", ".." or holds "/" or a NUL;
  // a name equal to the shown one changes nothing. On success the path follows the file.
  Outcome SetName(const String& name);
  // The same with the name's own bytes, for names that are not all UTF-8.
  Outcome SetNameBytes(const QByteArray& name);

  bool Exists() const;
  bool Directory() const;
  FolderItemPtr Parent() const;
  FolderItemPtr Child(const String& name) const;

  // The Finder's hidden-extension flag, kept in the file's Finder info. A file without Finder info,
  // or one that cannot be read, shows its extension.
  bool ExtensionVisible() const;
  Outcome SetExtensionVisible(bool visible);

  // Empty when the file system records no birth time or the file cannot be read.
  std::optional<Date> CreationDate() const;
  // Linux has no call that sets a birth time: this write always fails, with that reason.
  Outcome SetCreationDate(const Date& d);
  std::optional<Date> ModificationDate() const;
  // Keeps the access time. A date the file system cannot hold, or a local time that does not exist
  // (skipped by a change of the clocks), fails and leaves the file's date as it was.
  Outcome SetModificationDate(const Date& d);

  // The mode's permission bits and the bits above them (set-user-ID, set-group-ID, sticky).
  std::optional<int> Permissions() const;
  // Sets the nine permission bits from mode; the bits above them stay as the file has them. A change
  // the kernel would make only by dropping set-group-ID (a caller outside the file's group) is
  // refused before any call.
  Outcome SetPermissions(int mode);

  // The four-character creator code of the Finder info; empty when there is none.
  String MacCreator() const;

  std::shared_ptr<Picture> OpenAsPicture() const;

 private:
  // Inode 0 names no file on Linux: it stands for none, so a row pays for no optional's flag.
  struct FileId {
    dev_t Device = 0;
    ino_t Inode = 0;
    bool Known() const { return Inode != 0; }
  };
  // Only FromNativePath makes items; the key lets it do so through make_shared, in one allocation.
  struct MadeHere {
    explicit MadeHere() = default;
  };

 public:
  FolderItem(MadeHere, QByteArray path);

 private:
  // The name, opened without following it and checked against the one remembered; st is what it holds now.
  Outcome OpenName(detail::Descriptor& name, struct stat& st) const;
  // The file the metadata belongs to, opened and checked; st is what it holds now.
  Outcome OpenMetadata(detail::Descriptor& file, struct stat& st) const;

  QByteArray path_;
  FileId nameId_;
  FileId fileId_;
};

namespace seams {
// How many writing system calls (rename, link, unlink, utimensat, chmod, setxattr, removexattr) were made,
// put-backs after a failed read-back included.
int FileWriteCalls();
void ResetFileWriteCalls();
// While on, renames behave as on a file system that refuses the no-replace flag.
void RefuseNoReplace(bool on);
// While on, dates and modes are written through /proc, as on a kernel without the descriptor forms.
void WriteThroughProc(bool on);
// Runs between a rename's check of the name and the move, as another process could; empty: none.
void BetweenCheckAndRename(std::function<void()> hook);
}  // namespace seams

namespace detail {
// Every writing system call on a file goes through this count.
void CountFileWrite();
}  // namespace detail

}  // namespace fw
