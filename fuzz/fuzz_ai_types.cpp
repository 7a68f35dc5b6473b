// Feeds arbitrary UTF-16 text to the AI type list parser over lists that
// already hold entries and choices, as a refresh from the server would.
#include <cstddef>
#include <cstdint>
#include <string>

#include "netgen/AiTypes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvel;
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  static AiTypeLists lists{};
  parseAiTypes(lists, text);
  for (const AiTypeList& list : lists) {
    if (list.count < 0 || list.count > kAiTypeEntries || list.selected < 0 || list.selected >= kAiTypeEntries)
      __builtin_trap();
    for (const auto& entry : list.entries)
      if (entry.back() != u'\0') __builtin_trap();  // every slot stays terminated
  }
  for (int t = 0; t < kRequestTypeCount; ++t) genreOf(lists, static_cast<RequestType>(t));
  aiTypeBoxes(lists);
  return 0;
}
