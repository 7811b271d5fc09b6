// Kinds of file known by name. Converting a type to its String form registers it under its Name;
// releasing the type withdraws it. Drop filters name registered types.
#pragma once

#include <QStringList>
#include <memory>

#include "framework/Core.h"

namespace fw {

class FileType {
 public:
  FileType() = default;
  ~FileType();
  FileType(const FileType&) = delete;
  FileType& operator=(const FileType&) = delete;

  String Name;
  // File-name extensions with their dots, separated by ";".
  String Extensions;
  // Four-character codes.
  String MacType;
  String MacCreator;

  // Registers (or registers again, with the current texts) and gives the Name.
  String ToString();
  operator String() { return ToString(); }

 private:
  bool registered_ = false;
};
using FileTypePtr = std::shared_ptr<FileType>;

namespace FileTypeRegistry {
bool IsRegistered(const String& name);
// The lower-case extensions, without their dots, of the registered types named in a filter
// ("text/plain;image/gif;"); names that are not registered add nothing.
QStringList ExtensionsFor(const String& filter);
// Whether a file name's extension (after its last ".", any letter case) is one of them.
bool Accepts(const String& filter, const String& fileName);
}  // namespace FileTypeRegistry

}  // namespace fw
