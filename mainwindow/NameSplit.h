// How the window splits a file name: the base name before the first ".", the extension part from it on.
#pragma once

#include "framework/Core.h"

// The characters before the first "."; a name without "." is its own base name, so that the name
// field followed by the extension field always gives the name back.
fw::String BaseName(const fw::String& name);
// The characters from the first "." on, the "." included; empty for a name without ".".
fw::String ExtensionPart(const fw::String& name);
// The name bytes for a base name and an extension part typed for the file now named oldName: a part
// whose text is what that part of oldName shows keeps its bytes, so bytes that are not UTF-8 survive
// a change of the other part.
QByteArray ComposedName(const QByteArray& oldName, const fw::String& base, const fw::String& extension);
