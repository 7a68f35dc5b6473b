#pragma once
// What the piano-roll panes share besides the score: scroll position, the size
// of the visible note area, the lengths given to new notes and the mouse tool.
namespace quorvel {

enum class ViewTool { Generate = 0, Select = 1 };  // "Gen." / "Sel."

inline constexpr int kDefaultNewNoteLength = 20;  // px: one beat
inline constexpr int kMinNewNoteLength = 5;
inline constexpr int kMaxNewNoteLength = 635;     // 127 steps
inline constexpr int kMaxNewDrumLength = 20;      // 4 steps

// Zoom is a view transform only: notes, snapping and scrolling stay in
// timeline pixels (5 per step); the panes draw them `zoomX` screen pixels wide
// per timeline pixel and `zoomY` high per row pixel.
struct ViewState {
  int scrollX = 0;         // timeline x at the left edge; shared by ruler, note grid and drum grid
  int scrollY = 0;         // note grid only, in row pixels
  int clientWidth = 600;   // visible part of the note area, in timeline pixels
  int clientHeight = 300;  // and in row pixels
  int screenWidth = 600;   // the note area on screen
  int screenHeight = 300;
  double zoomX = 1.0;
  double zoomY = 1.0;
  int newNoteLength = kDefaultNewNoteLength;
  int newDrumLength = kDefaultNewNoteLength;
  ViewTool tool = ViewTool::Generate;
};

}  // namespace quorvel
