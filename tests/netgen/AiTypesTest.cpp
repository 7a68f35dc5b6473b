// The AI type lists rebuilt from the server's "/genre" reply.
#include <gtest/gtest.h>

#include "netgen/AiTypes.h"
#include "settings/Utf16.h"

namespace quorvel {
namespace {

std::string entry(const AiTypeLists& lists, int list, int e) {
  return slotText(lists[static_cast<std::size_t>(list)].entries[static_cast<std::size_t>(e)]);
}

void setEntry(AiTypeLists& lists, int list, int e, std::string_view text) {
  storeSlotText(lists[static_cast<std::size_t>(list)].entries[static_cast<std::size_t>(e)], text);
}

TEST(ParseAiTypes, KeepsTheChoiceByItsGenreNumberOrFallsBackToTheFirstWithinTheCapacity) {
  AiTypeLists lists{};
  setEntry(lists, 2, 0, "3x");
  setEntry(lists, 2, 1, "7old-model-name");
  lists[2].selected = 1;
  setEntry(lists, 3, 0, "9");
  lists[3].selected = 0;
  setEntry(lists, 5, 0, "1");
  setEntry(lists, 5, 1, "4");
  lists[5].selected = 1;
  parseAiTypes(lists, u"0 0 12a,7b 1,2 0 1,2");
  EXPECT_EQ(lists[2].selected, 1);
  EXPECT_EQ(entry(lists, 2, 1), "7b");  // no characters left over from the longer old entry
  EXPECT_EQ(genreOf(lists, RequestType::TwoToOne), 7);
  EXPECT_EQ(lists[3].selected, 0);      // 9 is gone
  EXPECT_EQ(lists[5].selected, 0);      // the last list too

  lists[1].count = 3;
  parseAiTypes(lists, u"");
  EXPECT_EQ(lists[0].count, 1);
  EXPECT_EQ(lists[1].count, 3);

  std::u16string many;
  for (int e = 0; e < 200; ++e) many += (e ? u"," : u"") + std::u16string(100, u'5');
  parseAiTypes(lists, many + u" a b c d e f g h");
  EXPECT_EQ(lists[0].count, 128);
  EXPECT_EQ(entry(lists, 0, 127), std::string(63, '5'));
  EXPECT_EQ(entry(lists, 5, 0), "e");  // a seventh list and beyond are ignored
}

TEST(GenreNumber, LeadingNumberOfTheEntry) {
  EXPECT_EQ(genreNumber(u"  -12rock"), -12);
  EXPECT_EQ(genreNumber(u"+7"), 7);
  EXPECT_EQ(genreNumber(u"chorale"), 0);
  EXPECT_EQ(genreNumber(u"99999999999"), 2147483647);
}

}  // namespace
}  // namespace quorvel
