#pragma once
// The stretch of the song that a generation command fills, and the emptying
// of that stretch before the new notes are written.
#include <vector>

#include "generator/GenerationEnv.h"

namespace quorvel {

inline constexpr int kMinLocatorDistance = 160;  // 8 beats
inline constexpr int kBeatPixels = 20;
inline constexpr int kWholeSongEndX = 65000;

struct Region {
  int startX = kSongStartX;
  int endX = kWholeSongEndX;  // exclusive
  // Beats between the locators; 0 when the locators do not bound a region
  // (the right one does not lie after the left one) and the whole song is used.
  int beats = 0;
  bool betweenLocators() const { return beats > 0; }
};

// The locators check: with the right locator after the left one their
// distance must be at least 160 units, else "The locators are too close" is
// shown and the answer is -1. On success the notes of `sets` that start inside
// the region are removed, each set's removal one undoable step, and 0 is answered.
int takeLocatorRegion(GenerationEnv& env, const std::vector<int>& sets, Region& region);

// The melody parts counted down from `topPart`: topPart, topPart - 1, ...
std::vector<int> partsDownFrom(int topPart, int count);
std::vector<int> allDrumSets();

// Removes the notes of one set whose x lies in [startX, endX) and records them
// as one deleted step of that set's history.
void removeNotesBetween(Score& score, int setIndex, int startX, int endX);

}  // namespace quorvel
