#pragma once
// Where the audition of an imported track set starts and stops.
namespace quorvel {

struct Score;

// At most this many ticks (50 bars) of a set are auditioned.
inline constexpr int kPreviewTickLimit = 4000;

struct PreviewSpan {
  int startX = 10;  // one tick before the first note
  int limit = 12;   // one tick after the last code's end, at most kPreviewTickLimit after the start
};

PreviewSpan previewSpanOf(const Score& s, int setIndex);

}  // namespace quorvel
