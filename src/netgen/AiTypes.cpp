#include "netgen/AiTypes.h"

#include <algorithm>
#include <limits>

#include "settings/Utf16.h"

namespace quorvel {

namespace {

constexpr int kEntryTextChars = kAiTypeEntryChars - 1;

using Slot = std::array<char16_t, kAiTypeEntryChars>;

std::u16string_view slotView(const Slot& slot) {
  const auto end = std::find(slot.begin(), slot.end(), u'\0');
  return {slot.data(), static_cast<std::size_t>(end - slot.begin())};
}

int selectedGenre(const AiTypeList& list) {
  if (list.selected < 0 || list.selected >= kAiTypeEntries) return 0;
  return genreNumber(slotView(list.entries[static_cast<std::size_t>(list.selected)]));
}

bool isBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The list being rebuilt: its entry and character cursors and whether the
// old choice's genre number has been met again.
struct ListCursor {
  AiTypeList* list = nullptr;
  int oldGenre = 0;
  int entry = 0;
  int chars = 0;
  bool found = false;

  Slot* slot() { return entry < kAiTypeEntries ? &list->entries[static_cast<std::size_t>(entry)] : nullptr; }
  void put(char16_t c) {
    if (Slot* s = slot(); s && chars < kEntryTextChars) (*s)[static_cast<std::size_t>(chars++)] = c;
  }
  // Ends the current entry: terminates it and compares its number.
  void endEntry() {
    Slot* s = slot();
    if (!s) return;
    (*s)[static_cast<std::size_t>(chars)] = u'\0';
    if (!found && genreNumber(slotView(*s)) == oldGenre) {
      list->selected = entry;
      found = true;
    }
  }
  void endList() {
    endEntry();
    if (!found) list->selected = 0;
    list->count = std::min(entry + 1, kAiTypeEntries);
  }
};

}  // namespace

int genreNumber(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i] - u'0'), std::numeric_limits<int>::max() + 1LL);
  }
  value = negative ? -value : value;
  return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int genreOf(const AiTypeLists& lists, RequestType type) {
  return selectedGenre(lists[static_cast<std::size_t>(typeIndex(type))]);
}

void parseAiTypes(AiTypeLists& lists, std::u16string_view text) {
  if (text.empty()) {
    lists[0].count = 1;
    return;
  }
  int listIndex = 0;
  ListCursor cursor{&lists[0], selectedGenre(lists[0])};
  for (char16_t c : text) {
    if (c == u',') {
      cursor.endEntry();
      ++cursor.entry;
      cursor.chars = 0;
    } else if (c == u' ') {
      cursor.endList();
      if (++listIndex == kAiTypeLists) return;
      AiTypeList& next = lists[static_cast<std::size_t>(listIndex)];
      cursor = ListCursor{&next, selectedGenre(next)};
    } else {
      cursor.put(c);
    }
  }
  cursor.endList();
}

std::vector<AiTypeBox> aiTypeBoxes(const AiTypeLists& lists) {
  struct BoxPlace {
    int listIndex;
    const char* label;
    int controlId;
  };
  static constexpr BoxPlace kBoxes[] = {{0, "Generator: ", 39895}, {1, "1 to 1: ", 39890}, {2, "2 to 1: ", 39892},
                                        {3, "3 to 1: ", 39893},   {4, "Drums: ", 39891},   {5, "M to Dr: ", 39894}};
  std::vector<AiTypeBox> boxes;
  for (const BoxPlace& place : kBoxes) {
    const AiTypeList& list = lists[static_cast<std::size_t>(place.listIndex)];
    AiTypeBox box{place.controlId, place.label, place.listIndex, {}, list.selected};
    const int count = std::clamp(list.count, 0, kAiTypeEntries);
    for (int e = 0; e < count; ++e) box.entries.push_back(utf16ToUtf8(slotView(list.entries[static_cast<std::size_t>(e)])));
    boxes.push_back(std::move(box));
  }
  return boxes;
}

void applyAiTypeSelections(AiTypeLists& lists, const std::vector<int>& boxSelections) {
  const std::vector<AiTypeBox> boxes = aiTypeBoxes(lists);
  for (std::size_t b = 0; b < boxes.size() && b < boxSelections.size(); ++b)
    if (boxSelections[b] >= 0) lists[static_cast<std::size_t>(boxes[b].listIndex)].selected = boxSelections[b];
}

}  // namespace quorvel
