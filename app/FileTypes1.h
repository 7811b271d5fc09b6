// The five kinds of file the list accepts, registered at start-up, and their names as a filter.
#pragma once

#include <array>

#include "framework/FileType.h"

namespace FileTypes1 {

extern fw::FileTypePtr pText;
extern fw::FileTypePtr pImageXPng;
extern fw::FileTypePtr pImageGif;
extern fw::FileTypePtr pImageJpeg;
extern fw::FileTypePtr pApplicationPdf;

// Makes, fills and registers the five types, in the order above.
void Initialize();
// "text/plain;image/x-png;image/gif;image/jpeg;application/pdf;"
fw::String All();
// The five slots, in the order above.
std::array<fw::FileTypePtr*, 5> Slots();
// Static finalisation: releases the five types in the order above, each withdrawing its registration.
void Finalize();

}  // namespace FileTypes1
