#pragma once
// The AI type lists: the models the server offers for each request type, as
// stored in the settings, refreshed from the server's "/genre" reply, and the
// `genre` number each request sends.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/SettingsRecord.h"
#include "netgen/RemoteClient.h"
#include "netgen/RequestTypes.h"

namespace quorvel {

using AiTypeLists = std::array<AiTypeList, kAiTypeLists>;

// The decimal number at the beginning of a text (leading blanks and a sign
// allowed); 0 when there is none.
int genreNumber(std::u16string_view text);
// The `genre` of a request of the given type: the number of its chosen entry.
int genreOf(const AiTypeLists& lists, RequestType type);

// Rebuilds the lists from a "/genre" reply: lists separated by one space,
// entries by commas. Each list keeps the entry with the genre number chosen
// before, or selects its first entry when that number is gone. Text beyond
// six lists, 128 entries or 63 characters an entry is ignored.
void parseAiTypes(AiTypeLists& lists, std::u16string_view text);

// What the "AI Type" page shows: per list, in the order of the six boxes,
// the entry texts and the selected index.
struct AiTypeBox {
  int controlId = 0;
  std::string label;  // "Generator: "
  int listIndex = 0;
  std::vector<std::string> entries;
  int selected = 0;
};
std::vector<AiTypeBox> aiTypeBoxes(const AiTypeLists& lists);
// "Apply": the boxes' current selections (in box order) become the choices.
void applyAiTypeSelections(AiTypeLists& lists, const std::vector<int>& boxSelections);

// Asks the server for its lists ("/genre") and rebuilds them. Silent: when
// the server does not answer the lists stay as they were (answers false).
bool requestAiTypes(RemoteClient& client, AiTypeLists& lists);

// The page's fill on creation (force off) and on "List Update" (force on):
// the lists are requested, then the boxes are refilled when forced or on the
// first fill since start (`refill`), and each selects its list's choice.
struct AiTypePageFill {
  bool refill = false;
  std::vector<AiTypeBox> boxes;
};
AiTypePageFill fillAiTypePage(RemoteClient& client, AiTypeLists& lists, bool force, bool& firstFill);

}  // namespace quorvel
