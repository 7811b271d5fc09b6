// How the window splits a file name: the base name before the first ".", the extension part from it on.
#pragma once

#include "framework/Core.h"

// The characters before the first "."; a name without "." is its own base name, so that the name
// field followed by the extension field always gives the name back.
fw::String BaseName(const fw::String& name);
// The characters from the first "." on, the "." included; empty for a name without ".".
fw::String ExtensionPart(const fw::String& name);
