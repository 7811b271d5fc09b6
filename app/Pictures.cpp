#include "app/Pictures.h"

#include "framework/Application.h"

namespace {

fw::PicturePtr tassilumbre128Slot;
fw::PicturePtr tousSlot;

fw::PicturePtr Cached(fw::PicturePtr& slot, const fw::String& fileName) {
  if (slot) return slot;
  fw::FolderItemPtr resources = GetApplicationBundleResources();
  if (!resources) return nullptr;
  slot = fw::Deref(resources->Child(fileName)).OpenAsPicture();
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
