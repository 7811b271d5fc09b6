// A folder in which no name can be added, removed or changed, for as long as the object lives.
#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// Sets or clears the immutable flag of a file or folder; false where the file system or the
// process's capabilities refuse it.
bool SetImmutable(const QByteArray& path, bool on);

class ReadOnlyFolder {
 public:
  // Takes the write permission away; root, which ignores it, also gets the immutable flag, where
  // the file system and the process's capabilities allow it.
  explicit ReadOnlyFolder(QByteArray path);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // True when a new file cannot be made there: the folder really refuses changes.
  bool Holds() const;
  // Why it does not hold, for a skipped test.
  static QString WhyNot() {
    return QStringLiteral("this user can still change the folder (root without the immutable flag)");
  }

 private:
  QByteArray path_;
  bool immutable_ = false;
};

}  // namespace testsupport
