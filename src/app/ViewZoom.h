#pragma once
// Zooming the piano roll: the time axis (Ctrl+wheel, Ctrl++ / Ctrl+-, "Fit
// Song") and the pitch axis (Ctrl+Shift+wheel). The cue, or the selection when
// there is one, stays in view at the same place on screen.
#include "app/ViewState.h"
#include "model/Score.h"

namespace quorvel {

inline constexpr double kMinZoomX = 0.05, kMaxZoomX = 8.0;
inline constexpr double kMinZoomY = 0.5, kMaxZoomY = 4.0;
inline constexpr double kZoomStep = 1.25;  // one key press or wheel notch

// The note area's size on screen; the visible span in timeline pixels follows the zoom.
void setScreenSize(ViewState& v, int width, int height);

// Sets the time zoom, keeping timeline x `anchor` where it was on screen (or
// centring it when it was out of view). Answers whether anything changed.
bool zoomTimeAround(ViewState& v, double zoom, int anchor);
bool zoomPitchAround(ViewState& v, double zoom, int anchorRowY);

// The timeline x that must stay in view: the selection's start, else the cue.
int zoomAnchor(const Score& s);

// Zoom in (steps > 0) or out (steps < 0) by kZoomStep per step.
bool zoomTimeSteps(ViewState& v, const Score& s, int steps);
bool zoomPitchSteps(ViewState& v, int steps, int anchorRowY);

// The whole song (every part and drum set, at least four bars) fills the width.
bool fitSong(ViewState& v, const Score& s);

// A point on screen as the editors take it: client pixels of the unzoomed grid.
inline int clientXOf(const ViewState& v, double screenX) { return static_cast<int>(screenX / v.zoomX); }
inline int clientYOf(const ViewState& v, double screenY) { return static_cast<int>(screenY / v.zoomY); }

}  // namespace quorvel
