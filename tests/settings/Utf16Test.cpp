#include "settings/Utf16.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Utf16, SurrogatePairsSurviveAndMalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(utf8ToUtf16("🎹").size(), 2u);
  EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("/ユーザー/🎹")), "/ユーザー/🎹");
  EXPECT_EQ(utf8ToUtf16("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD");  // overlong '/'
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace quorvel
