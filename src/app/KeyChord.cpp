#include "app/KeyChord.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/CommandIds.h"

namespace quorvel {

namespace {

using Row = std::pair<int, int>;  // key, command id

constexpr Row kCtrlKeys[] = {
    {'N', cmd::kNew},
    {'O', cmd::kOpen},
    {'S', cmd::kSave},
    {'Z', cmd::kUndo},
    {'Y', cmd::kRedo},
    {'A', cmd::kSelectAll},
    {'C', cmd::kCopy},
    {'X', cmd::kCut},
    {'V', cmd::kPaste},
    {'B', cmd::kRegulateBarLength},
    {'T', cmd::kTrimOpeningSilence},
    {'U', cmd::kTrimOpeningSilenceDrums},
    {'R', cmd::kReduceNoteValues},
    {'D', cmd::kDivideIntoParts},
    {'K', cmd::kDetectAndApplyKeyNote},
    {'F', cmd::kFitKeyNoteToC3},
    {'H', cmd::kOptions},
    {'G', cmd::kZeroToN},
    {'W', cmd::kNToN},
    {'1', cmd::k0to1G},
    {'2', cmd::k1to1G},
    {'3', cmd::k1to2G},
    {'4', cmd::k1to3G},
    {'5', cmd::k2to1G},
    {'6', cmd::k2to2G},
    {'7', cmd::k3to1G},
    {'Q', cmd::kShorterNewNote},
    {'E', cmd::kLongerNewNote},
    {'M', cmd::kStopPreviewNote},
    {'+', cmd::kZoomIn},
    {'=', cmd::kZoomIn},  // the plus key without Shift
    {'-', cmd::kZoomOut},
    {'0', cmd::kFitSong},
};

constexpr Row kCtrlShiftKeys[] = {
    {'S', cmd::kSaveAs},
    {'F', cmd::kConvertToLearningSchedule},
    {'G', cmd::kConvertToRegulatedFormat},
    {'B', cmd::kAnalyseFolder},
    {'+', cmd::kZoomIn},  // Shift is part of "+" on many layouts
};

constexpr Row kAltKeys[] = {
    {'1', cmd::k0to1A},
    {'2', cmd::k0to2A},
    {'3', cmd::k0to3A},
    {'4', cmd::k0to4A},
    {'5', cmd::k1to1A},
    {'6', cmd::k1to2A},
    {'7', cmd::k1to3A},
    {'D', cmd::k0toDG},
    {'0', cmd::kNtoDG},
    {'8', cmd::k0toDA},
    {'9', cmd::kNtoDA},
    {'P', cmd::kQuantizeToOtherPart},
    {'M', cmd::kClearMelodies},
    {'N', cmd::kClearDrums},
    {kKeyF4, cmd::kExit},
};

template <std::size_t N>
KeyCommand lookUp(const Row (&rows)[N], int key) {
  const auto* it = std::find_if(std::begin(rows), std::end(rows), [key](const Row& r) { return r.first == key; });
  return it == std::end(rows) ? KeyCommand{} : KeyCommand{it->second, 0};
}

// Alt+Q and Alt+S quantize and shuffle; Shift widens them to every set,
// Ctrl narrows them to the notes between the locators.
KeyCommand scopedTool(const KeyChord& c) {
  const int scope = (c.shift ? 0x200 : 0) | (c.ctrl ? 0x100 : 0);
  return {c.key == 'Q' ? cmd::kQuantizeToGrid : cmd::kShuffle, scope};
}

// F1 is a quarter note (4 steps); each further key adds a quarter.
KeyCommand functionKey(int key) { return {cmd::kNewNoteLength, 4 * (key - kKeyF1 + 1)}; }

}  // namespace

KeyCommand decodeKey(const KeyChord& c) {
  if (c.alt && (c.key == 'Q' || c.key == 'S')) return scopedTool(c);
  if (c.ctrl && c.shift && !c.alt) return lookUp(kCtrlShiftKeys, c.key);
  if (c.shift || (c.ctrl && c.alt)) return {};
  if (c.ctrl) return lookUp(kCtrlKeys, c.key);
  if (c.alt) return lookUp(kAltKeys, c.key);
  if (c.key == kKeyDelete) return {cmd::kDelete, 0};
  if (c.key >= kKeyF1 && c.key <= kKeyF8) return functionKey(c.key);
  return {};
}

}  // namespace quorvel
