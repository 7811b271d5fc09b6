#include "framework/FileType.h"

#include <algorithm>
#include <vector>

#include "framework/Trace.h"

namespace fw {

namespace {

struct Registration {
  const FileType* owner;
  String name;
  QStringList extensions;
  String macType, macCreator;
};

// Never destroyed: a type still held at process exit withdraws itself from it.
std::vector<Registration>& Registry() {
  static auto* r = new std::vector<Registration>;
  return *r;
}

// The extensions of the filter asked for last, while the registry stays as it was: a drop asks
// once for each of its files, and a drop may carry a hundred thousand.
struct Lookup {
  String filter;
  QStringList extensions;
  bool valid = false;
};
Lookup& LastLookup() {
  static auto* l = new Lookup;
  return *l;
}

void Withdraw(const FileType* owner) {
  auto& r = Registry();
  r.erase(std::remove_if(r.begin(), r.end(), [owner](const Registration& e) { return e.owner == owner; }), r.end());
  LastLookup().valid = false;
}

QStringList NormalisedExtensions(const String& extensions) {
  QStringList out;
  for (String e : extensions.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    e = e.trimmed().toLower();
    while (e.startsWith(QLatin1Char('.'))) e.remove(0, 1);
    if (!e.isEmpty()) out << e;
  }
  return out;
}

}  // namespace

FileType::~FileType() {
  if (!registered_) return;
  Withdraw(this);
  seams::Trace(QStringLiteral("FileType withdrawn ") + Name);
}

String FileType::ToString() {
  Withdraw(this);
  Registry().push_back({this, Name, NormalisedExtensions(Extensions), MacType, MacCreator});
  if (!registered_) seams::Trace(QStringLiteral("FileType registered ") + Name);
  registered_ = true;
  return Name;
}

namespace FileTypeRegistry {

bool IsRegistered(const String& name) {
  const auto& r = Registry();
  return std::any_of(r.begin(), r.end(), [&](const Registration& e) { return e.name == name; });
}

QStringList ExtensionsFor(const String& filter) {
  Lookup& last = LastLookup();
  if (last.valid && last.filter == filter) return last.extensions;
  QStringList out;
  for (const String& name : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    // The latest registration of a name is the one that counts.
    const auto& r = Registry();
    auto it = std::find_if(r.rbegin(), r.rend(), [&](const Registration& e) { return e.name == name.trimmed(); });
    if (it == r.rend()) continue;
    for (const String& e : it->extensions)
      if (!out.contains(e)) out << e;
  }
  last = {filter, out, true};
  return out;
}

bool Accepts(const String& filter, const String& fileName) {
  int dot = int(fileName.lastIndexOf(QLatin1Char('.')));
  if (dot < 0) return false;
  return ExtensionsFor(filter).contains(fileName.mid(dot + 1).toLower());
}

}  // namespace FileTypeRegistry

}  // namespace fw
