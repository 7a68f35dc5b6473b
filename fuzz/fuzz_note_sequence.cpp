// Feeds arbitrary text to the reader of dropped note-sequence files, at a
// start position taken from the first two bytes, then clips the part to the
// timeline as the drop does. Every placed note must be a Soprano note inside
// the timeline.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "app/NoteSequence.h"
#include "model/NoteCode.h"
#include "model/Score.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvel;
  static auto score = std::make_unique<Score>();
  if (size < 2) return 0;
  const int start = kSongStartStep + (data[0] | data[1] << 8) % (kTimelineEndStep - kSongStartStep);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  Score& s = *score;
  removeSet(s, kSopranoSet);
  const int placed = placeNoteSequence(s, text, start);
  if (placed < 0 || static_cast<std::size_t>(placed) > text.size()) __builtin_trap();
  // Every placed note is a Soprano melody note that starts inside the timeline.
  for (NoteCode c : s.noteSets[kSopranoSet]) {
    if (isDrumCode(c) || melodyPart(c) != kSoprano || noteStart(c) < start || noteStart(c) >= kTimelineEndStep)
      __builtin_trap();
  }
  clipToTimeline(s);
  return 0;
}
