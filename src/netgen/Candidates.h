#pragma once
// The reply side of a "/gen" request: the check of the reply text, its split
// into up to five candidate rows, and the decoding of one row into notes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/NoteCode.h"
#include "netgen/RemoteState.h"
#include "netgen/RequestTypes.h"

namespace quorvel {

// A reply is usable when it fits the type's reply buffer, is plain ASCII
// without zero bytes and does not begin with "ty" (the server's refusal).
bool replyAcceptable(std::string_view reply, RequestType type);

// Fills the candidate rows from the reply, after the echo of the request data
// (`echoLength` characters). A reply with nothing after the echo leaves every
// row empty. Answers false when a row would not fit its 2048 bytes.
bool splitCandidates(RemoteState& state, std::string_view reply, std::size_t echoLength);

// Notes decoded from one candidate row; nullopt when the row holds a token
// that is not hexadecimal or a note outside the score's range.
struct DecodedMelody {
  std::vector<NoteCode> notes;
  int endX = kSongStartX;  // where the next note would have started
};
std::optional<DecodedMelody> decodeMelodyCandidate(std::string_view row, int startX, int targetPart, int keyNote,
                                                   bool skipLeadingRest, int limitX = kTimelineEndX);

struct DecodedDrums {
  std::vector<NoteCode> accents;  // drum set 7
  std::vector<NoteCode> normal;   // drum set 6
};
// Drum notes from startX on, one step per token, up to endX (exclusive, at
// most the timeline's end); with `loop`, each group repeats every 128 steps
// up to endX.
std::optional<DecodedDrums> decodeDrumCandidate(std::string_view row, int startX, int endX, bool loop);

}  // namespace quorvel
