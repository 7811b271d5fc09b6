// Localised texts. The program carries no translation tables, so a key's text is its default
// unless a test has put one in the table.
#pragma once

#include "framework/Core.h"

namespace fw {

// The key's text for the language ("fr", "fr_FR"; empty: the user's current one), or the default.
String GetLocalizedString(const String& key, const String& defaultText, const String& language);

namespace seams {
void SetLocalizedString(const String& key, const String& language, const String& text);
void ClearLocalizedStrings();
}  // namespace seams

}  // namespace fw
