#pragma once
// Pixel geometry of the piano-roll panes: rows, snapping, scroll limits, the
// key-note band and the new-note length arithmetic. No drawing here.
#include <string>

#include "app/ViewState.h"
#include "model/NoteCode.h"

namespace quorvel {

// Whole drawable width of the timeline and height of the melody grid.
inline constexpr int kGridWidth = 21790;
inline constexpr int kMelodyGridHeight = 620;
inline constexpr int kRowPixels = 5;
inline constexpr int kMelodyRowCount = 123;  // rows 0..122, keys 122..0
inline constexpr int kDrumLaneFirst = 1;
inline constexpr int kDrumLaneLast = 12;
inline constexpr int kDrumGridHeight = 75;
inline constexpr int kKeyNoteLowest = 36;
inline constexpr int kKeyNoteHighest = 84;
// Rubber-band limits of the melody and the drum grid.
inline constexpr int kBandTopMelody = 8, kBandBottomMelody = 612;
inline constexpr int kBandTopDrums = 7, kBandBottomDrums = 67;
// Notes this far left of a rectangle can still reach into it (127 steps).
inline constexpr int kLongestNotePixels = 630;

enum class GridKind { Melody, Drums };

struct GridPoint {
  int x = 0;
  int y = 0;
  bool operator==(const GridPoint&) const = default;
};

// Floor division for values that may be negative.
constexpr int floorDiv(int a, int b) { return (a >= 0) ? a / b : -((-a + b - 1) / b); }

// Timeline x of the grid column under a client x.
constexpr int snapColumn(int clientX, int scrollX) { return kStepPixels * floorDiv(clientX + scrollX, kStepPixels); }
// Row top (5 * row + 2) of the row whose 5-px span holds the client y.
constexpr int snapRowY(int clientY, int scrollY) {
  const int gy = clientY + scrollY;
  const int y = kStepPixels * floorDiv(gy, kStepPixels);
  return (gy - y < 2) ? y - 3 : y + 2;
}
constexpr int rowOfY(int rowY) { return floorDiv(rowY - 2, kRowPixels); }
constexpr int rowY(int row) { return kRowPixels * row + 2; }
GridPoint snapPoint(int clientX, int clientY, int scrollX, int scrollY);

// The key note's row top and the key whose row is at a row top.
constexpr int keyNoteRowY(int key) { return 612 - 5 * key; }
constexpr int keyOfRowY(int rowTop) { return kMaxMelodyKey - rowOfY(rowTop); }

// "C5(84)": MIDI key 60 is C3.
std::string keyName(int key);
// "%d + %d / 16": whole bars and sixteenths of a length in pixels.
std::string lengthText(int lengthPixels);

int maxScrollX(const ViewState& v);
int maxScrollY(const ViewState& v);
void clampScroll(ViewState& v);
// Moves the view by at most 10 px when a dragging mouse nears an edge;
// answers whether it moved.
bool autoScroll(ViewState& v, int clientX);
// Scrolls so that a timeline x is visible; answers whether it moved.
bool scrollToShow(ViewState& v, int x);

// A new-note length (px) kept within the melody or the drum range.
int clampNewLength(int lengthPixels, bool drums);

}  // namespace quorvel
