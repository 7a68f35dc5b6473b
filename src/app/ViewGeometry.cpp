#include "app/ViewGeometry.h"

#include <algorithm>
#include <array>

namespace quorvel {

GridPoint snapPoint(int clientX, int clientY, int scrollX, int scrollY) {
  return {snapColumn(clientX, scrollX), snapRowY(clientY, scrollY)};
}

std::string keyName(int key) {
  static constexpr std::array<const char*, 12> kNames{"C", "C#", "D", "D#", "E", "F",
                                                      "F#", "G", "G#", "A", "A#", "B"};
  const int octave = floorDiv(key, 12) - 2;
  const int pitchClass = key - 12 * floorDiv(key, 12);
  return std::string(kNames[static_cast<std::size_t>(pitchClass)]) + std::to_string(octave) + "(" +
         std::to_string(key) + ")";
}

std::string lengthText(int lengthPixels) {
  const int steps = lengthPixels / kStepPixels;
  return std::to_string(steps / kStepsPerBar) + " + " + std::to_string(steps % kStepsPerBar) + " / 16";
}

int maxScrollX(const ViewState& v) { return std::max(0, kGridWidth - v.clientWidth); }
int maxScrollY(const ViewState& v) { return std::max(0, kMelodyGridHeight - v.clientHeight); }

void clampScroll(ViewState& v) {
  v.scrollX = std::clamp(v.scrollX, 0, maxScrollX(v));
  v.scrollY = std::clamp(v.scrollY, 0, maxScrollY(v));
}

bool autoScroll(ViewState& v, int clientX) {
  constexpr int kEdge = 10, kMaxStep = 10;
  const int before = v.scrollX;
  if (clientX > v.clientWidth - kEdge) {
    v.scrollX = std::min(v.scrollX + kMaxStep, maxScrollX(v));
  } else if (clientX < kEdge) {
    v.scrollX = std::max(v.scrollX - kMaxStep, 0);
  }
  return v.scrollX != before;
}

bool scrollToShow(ViewState& v, int x) {
  const int before = v.scrollX;
  if (x < v.scrollX || x >= v.scrollX + v.clientWidth - 10) {
    // Page on so that the cue starts near the left edge again.
    v.scrollX = std::clamp(x - kSongStartX, 0, maxScrollX(v));
  }
  return v.scrollX != before;
}

int clampNewLength(int lengthPixels, bool drums) {
  return std::clamp(lengthPixels, kMinNewNoteLength, drums ? kMaxNewDrumLength : kMaxNewNoteLength);
}

}  // namespace quorvel
