#include "settings/Utf16.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Utf16, NonAsciiTextSurvivesTheRoundTrip) {
  for (const char* text : {"/home/ユーザー/曲/", "Ünïcödé", "🎹 keys", ""})
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
  EXPECT_EQ(utf8ToUtf16("🎹").size(), 2u);
}

TEST(Utf16, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(utf8ToUtf16("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD");  // overlong '/'
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace quorvel
