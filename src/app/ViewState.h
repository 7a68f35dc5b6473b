#pragma once
// What the piano-roll panes share besides the score: scroll position, the size
// of the visible note area, the lengths given to new notes and the mouse tool.
namespace quorvel {

enum class ViewTool { Generate = 0, Select = 1 };  // "Gen." / "Sel."

inline constexpr int kDefaultNewNoteLength = 20;  // px: one beat
inline constexpr int kMinNewNoteLength = 5;
inline constexpr int kMaxNewNoteLength = 635;     // 127 steps
inline constexpr int kMaxNewDrumLength = 20;      // 4 steps

struct ViewState {
  int scrollX = 0;         // shared by ruler, note grid and drum grid
  int scrollY = 0;         // note grid only
  int clientWidth = 600;   // visible part of the note area
  int clientHeight = 300;
  int newNoteLength = kDefaultNewNoteLength;
  int newDrumLength = kDefaultNewNoteLength;
  ViewTool tool = ViewTool::Generate;
};

}  // namespace quorvel
