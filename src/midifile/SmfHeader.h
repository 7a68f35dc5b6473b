#pragma once
// The header chunk and the scan for track chunks of a Standard MIDI File.
#include <cstddef>
#include <vector>

#include "midifile/SmfBytes.h"

namespace quorvel {

struct TrackChunk {
  std::size_t offset = 0;  // first byte of the track body
  std::size_t length = 0;  // body bytes actually present in the file
};

struct SmfHeader {
  int format = 0;
  int trackCount = 0;   // as declared
  int division = 0;     // ticks per quarter note
  TrackChunk firstTrack;
};

// Checks the header and the first track chunk. Answers the declared number of
// tracks, or -1 when the file is not a usable MIDI file.
int parseHeader(ByteView file, SmfHeader& header);

// Why parseHeader refused a file, as a catalogue text with at most one "%d"
// (filled with `value`): not a MIDI file, empty, cut off at byte N, ...
struct HeaderProblem {
  const char* text = nullptr;
  long long value = 0;
};
HeaderProblem diagnoseHeader(ByteView file);

// The further "MTrk" chunks after the first track, found by scanning for the
// four letters. Stops at a chunk with a length of zero or less, and answers
// fewer chunks than wanted when the file holds fewer.
std::vector<TrackChunk> findTracks(ByteView file, std::size_t from, int wanted);

}  // namespace quorvel
