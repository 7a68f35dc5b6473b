#include "settings/FirstStartLanguage.h"

#include <cstdlib>

namespace quorvel {

int languageForLocale(std::string_view localeName) {
  // "ja" alone, or followed by a territory, code set or modifier.
  if (!localeName.starts_with("ja")) return 0;
  return localeName.size() == 2 || localeName[2] == '_' || localeName[2] == '.' || localeName[2] == '@' ? 1 : 0;
}

int firstStartLanguage(const EnvironmentLookup& getEnv) {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getEnv(name);
    if (value != nullptr && *value != '\0') return languageForLocale(value);
  }
  return 0;
}

int firstStartLanguage() {
  return firstStartLanguage([](const char* name) { return std::getenv(name); });
}

}  // namespace quorvel
