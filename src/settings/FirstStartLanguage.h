#pragma once
// The language of a first start, taken from the user's locale.
#include <functional>
#include <string_view>

namespace quorvel {

// 1 (Japanese) for a Japanese locale name such as "ja_JP.UTF-8" or "ja", else 0.
int languageForLocale(std::string_view localeName);

// Reads the locale the way the C library does: LC_ALL, then LC_MESSAGES, then
// LANG; the first that is set and not empty decides.
using EnvironmentLookup = std::function<const char*(const char*)>;
int firstStartLanguage(const EnvironmentLookup& getEnv);
int firstStartLanguage();  // from the process environment

}  // namespace quorvel
