// The pictures the program reads from its bundle's Resources folder. Each is read on the first
// call that finds it and kept for the rest of the run; while none was found, each call looks again.
#pragma once

#include "framework/FolderItem.h"
#include "framework/Picture.h"

// The application icon, 128 x 128.
fw::PicturePtr Tassilumbre128();
// The icon of the apply-to-all buttons.
fw::PicturePtr Tous();

// The bundle's Resources folder: the executable's folder's parent holds it. Nil when there is none.
fw::FolderItemPtr GetApplicationBundleResources();

// For tests: empties both cache slots.
void ForgetBundlePictures();
