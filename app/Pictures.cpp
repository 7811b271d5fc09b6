#include "app/Pictures.h"

#include <cstdio>
#include <set>

#include "framework/Application.h"

namespace {

// A packager who moves the executable away from its Resources folder hears of it once per picture,
// rather than finding the buttons and the footer quietly without their pictures.
void ReportMissing(const fw::String& fileName, const fw::FolderItemPtr& resources) {
  static std::set<fw::String> reported;
  if (!reported.insert(fileName).second) return;
  fw::FolderItemPtr exe = fw::ExecutableFile();
  QByteArray where = resources ? resources->NativePath() : QByteArray("(no folder)");
  std::fprintf(stderr,
               "brenvaltique: picture %s not found in %s; the folder that holds the executable's folder must hold "
               "Resources/, as in MacOS/brenvaltique beside Resources/ (executable: %s)\n",
               fileName.toLocal8Bit().constData(), where.constData(),
               exe ? exe->NativePath().constData() : "(unknown)");
  std::fflush(stderr);
}

fw::PicturePtr tassilumbre128Slot;
fw::PicturePtr tousSlot;

fw::PicturePtr Cached(fw::PicturePtr& slot, const fw::String& fileName) {
  if (slot) return slot;
  fw::FolderItemPtr resources = GetApplicationBundleResources();
  if (!resources) {
    ReportMissing(fileName, nullptr);
    return nullptr;
  }
  slot = fw::Deref(resources->Child(fileName)).OpenAsPicture();
  if (!slot) ReportMissing(fileName, resources);
  return slot;
}

}  // namespace

fw::FolderItemPtr GetApplicationBundleResources() {
  fw::FolderItemPtr exe = fw::ExecutableFile();
  fw::FolderItemPtr folder = exe ? exe->Parent() : nullptr;
  fw::FolderItemPtr bundle = folder ? folder->Parent() : nullptr;
  return bundle ? bundle->Child(QStringLiteral("Resources")) : nullptr;
}

fw::PicturePtr Tassilumbre128() { return Cached(tassilumbre128Slot, QStringLiteral("Tassilumbre128.png")); }

fw::PicturePtr Tous() { return Cached(tousSlot, QStringLiteral("Tous.png")); }

void ForgetBundlePictures() {
  tassilumbre128Slot.reset();
  tousSlot.reset();
}
