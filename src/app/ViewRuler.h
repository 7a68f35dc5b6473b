#pragma once
// Mouse rules of the bar ruler: dragging the cue (pausing and resuming
// playback), the locators and the end indicator, and the marker commands of
// the "Scale Menu". Nothing responds while infinite generation runs.
#include <optional>

#include "app/ViewState.h"
#include "app/ViewTransport.h"
#include "model/Score.h"

namespace quorvel {

class Ui;

enum class Marker { None, Cue, LeftLocator, RightLocator, EndIndicator };

// stateFlags bits of the ruler.
inline constexpr std::uint32_t kFlagMarkerDrag = 0x40;
inline constexpr std::uint32_t kFlagResumeAfterCueDrag = 0x800;

// "Scale Menu" commands.
enum ScaleMenuCommand : int {
  kSetCueHere = 30157,
  kSetLeftLocatorHere = 30171,
  kSetRightLocatorHere = 30168,
  kSetEndIndicatorHere = 30164,
};

// Rows of the ruler: the markers' upper band and the cue's lower band.
inline constexpr int kRulerUpperBandBottom = 14;
inline constexpr int kCueBandTop = 17, kCueBandBottom = 31;
inline constexpr int kLastMenuMarkerX = 21765;

class ViewRuler {
 public:
  ViewRuler(Score& score, Ui& ui, ViewState& view, ViewTransport& transport);

  void leftDown(int cx, int cy);
  void mouseMove(int cx, int cy, bool leftHeld);
  void leftUp();
  // The timeline x to offer the "Scale Menu" for, if the point allows one.
  std::optional<int> menuPosition(int cx) const;
  // Sets a marker to the remembered menu position; answers whether it changed.
  bool applyMenuCommand(int command, int x);

  Marker dragging() const { return dragging_; }

 private:
  bool frozen() const { return score_.hasFlag(kFlagInfinite); }
  int snapX(int cx) const;
  Marker grab(int x, int cy) const;
  int keepLocatorOrder(Marker m, int x) const;
  void placeCue(int x);
  void moveMarker(Marker m, int x);
  std::atomic<std::int32_t>& word(Marker m);

  Score& score_;
  Ui& ui_;
  ViewState& view_;
  ViewTransport& transport_;
  Marker dragging_ = Marker::None;
};

// Sets a locator from the "Scale Menu": one put
// past the other one swaps with it; put onto it, nothing changes.
void placeLocatorFromMenu(Score& s, Marker m, int x);

// A newly opened song starts with the cue and the locators at their defaults.
void resetMarkers(Score& s);

}  // namespace quorvel
