#include "framework/Localization.h"

#include <QLocale>
#include <map>
#include <utility>

namespace fw {

namespace {
std::map<std::pair<String, String>, String>& Table() {
  static std::map<std::pair<String, String>, String> t;
  return t;
}
}  // namespace

String GetLocalizedString(const String& key, const String& defaultText, const String& language) {
  const auto& t = Table();
  if (t.empty()) return defaultText;
  String lang = language.isEmpty() ? QLocale().name() : language;
  // "fr_FR" falls back to "fr".
  for (const String& l : {lang, lang.section(QLatin1Char('_'), 0, 0)}) {
    auto it = t.find({key, l});
    if (it != t.end()) return it->second;
  }
  return defaultText;
}

namespace seams {
void SetLocalizedString(const String& key, const String& language, const String& text) {
  Table()[{key, language}] = text;
}
void ClearLocalizedStrings() { Table().clear(); }
}  // namespace seams

}  // namespace fw
