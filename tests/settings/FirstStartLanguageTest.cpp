#include "settings/FirstStartLanguage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace quorvel {
namespace {

TEST(FirstStartLanguage, JapaneseLocaleFollowsTheVariablesInTheirOrderOfPrecedence) {
  for (const char* name : {"jv_ID", "jam", "JP", "C.UTF-8"}) EXPECT_EQ(languageForLocale(name), 0) << name;
  std::map<std::string, std::string> env;
  const EnvironmentLookup lookup = [&env](const char* name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  };
  EXPECT_EQ(firstStartLanguage(lookup), 0);
  env["LANG"] = "ja_JP.UTF-8";
  EXPECT_EQ(firstStartLanguage(lookup), 1);
  env["LC_MESSAGES"] = "en_GB.UTF-8";
  EXPECT_EQ(firstStartLanguage(lookup), 0);
  env["LC_ALL"] = "";  // set but empty: ignored
  EXPECT_EQ(firstStartLanguage(lookup), 0);
  env["LC_ALL"] = "ja.eucJP";
  EXPECT_EQ(firstStartLanguage(lookup), 1);
}

}  // namespace
}  // namespace quorvel
