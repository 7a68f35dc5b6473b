// Feeds arbitrary bytes to the reply path of the G modes: the reply check,
// the split into candidate rows, and both decoders on every row. The last
// byte picks the request type, the echo length and the decoding options.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "netgen/Candidates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvel;
  if (size == 0) return 0;
  const std::uint8_t flags = data[size - 1];
  const std::string_view reply(reinterpret_cast<const char*>(data), size - 1);
  const auto type = static_cast<RequestType>(flags % kRequestTypeCount);
  if (!replyAcceptable(reply, type)) return 0;
  RemoteState state;
  const std::size_t echo = replyEchoesData(type) ? (flags >> 3) : 0;
  if (!splitCandidates(state, reply, echo)) return 0;
  const int keyNote = 36 + (flags % 49);
  for (const std::string& row : state.candidateRows) {
    if (row.size() >= kCandidateRowSize) __builtin_trap();
    if (auto melody = decodeMelodyCandidate(row, kSongStartX + 5 * flags, flags & 3, keyNote, (flags & 4) != 0)) {
      for (NoteCode c : melody->notes) {
        // Every decoded note lies inside the score.
        if (melodyKey(c) < 1 || melodyKey(c) > 121 || melodyLength(c) < 1 ||
            kStepPixels * (noteStart(c) + melodyLength(c)) > kTimelineEndX)
          __builtin_trap();
      }
    }
    if (auto drums = decodeDrumCandidate(row, kSongStartX, kTimelineEndX, (flags & 8) != 0)) {
      for (const auto* group : {&drums->accents, &drums->normal})
        for (NoteCode c : *group)
          if (kStepPixels * noteStart(c) >= kTimelineEndX || drumRow(c) < 1 || drumRow(c) > 12) __builtin_trap();
    }
  }
  for (int kind = 0; kind < 6; ++kind) nextCandidate(state, kind);
  return 0;
}
