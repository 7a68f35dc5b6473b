#include "midifile/MidiWriter.h"

#include <array>
#include <mutex>
#include <string>
#include <vector>

#include "midifile/TrackWriter.h"
#include "midifile/MidiInfo.h"
#include "model/Score.h"
#include "model/TopLine.h"

namespace quorvel {

namespace {

constexpr int kEmptyTracksBeforeDrums = 4;
const std::array<std::string, 4> kPartTrackNames{"Bass", "Tenor", "Alto", "Soprano"};
constexpr NoteCode kFirstWritableCode = static_cast<NoteCode>(kSongStartStep) << kStartShift;
constexpr NoteCode kPastTimelineCode = static_cast<NoteCode>(kTimelineEndStep) << kStartShift;

// The notes of one set that lie on the timeline, reduced to a line when asked.
NoteSet trackNotes(const NoteSet& source, bool strictLine) {
  NoteSet line;
  if (strictLine) extractTopLine(source, line, 0, 60, kTopLineKeepParts);
  const NoteSet& from = strictLine ? line : source;
  NoteSet kept;
  auto hint = kept.end();
  for (auto it = from.lower_bound(kFirstWritableCode); it != from.end() && *it < kPastTimelineCode; ++it)
    hint = std::next(kept.insert(hint, *it));
  return kept;
}

void appendChunk(Bytes& out, const char* magic, const Bytes& body) {
  out.insert(out.end(), magic, magic + 4);
  appendBe32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

void appendEndOfTrack(Bytes& body) { body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00}); }

void appendTrackName(Bytes& body, const std::string& name) {
  body.insert(body.end(), {0x00, 0xFF, 0x03, static_cast<std::uint8_t>(name.size())});
  body.insert(body.end(), name.begin(), name.end());
}

Bytes noteTrack(const NoteSet& notes, const DrumKeys& keys, const std::string& name = {}) {
  Bytes body;
  body.reserve(notes.size() * 8 + 4 + name.size() + 4);
  if (!name.empty()) appendTrackName(body, name);
  writeTrackEvents(notes, body, keys);
  appendEndOfTrack(body);
  return body;
}

Bytes conductorTrack(const Score& s) {
  const int tempo = s.settings.general.tempo > 0 ? s.settings.general.tempo : 120;
  const std::uint32_t micros = 60000000u / static_cast<std::uint32_t>(tempo);
  // The generator's key note and scale, so that the song reopens in its key.
  const bool minor = s.settings.melody[kMode] != 0;
  const int sharps = signatureOfKey(s.settings.melody[kKeyNote], minor);
  Bytes body = {0x00, 0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micros >> 16),
                static_cast<std::uint8_t>(micros >> 8), static_cast<std::uint8_t>(micros),
                0x00, 0xFF, 0x59, 0x02, static_cast<std::uint8_t>(static_cast<std::int8_t>(sharps)),
                static_cast<std::uint8_t>(minor ? 1 : 0)};
  appendEndOfTrack(body);
  return body;
}

Bytes header(int format, int tracks) {
  Bytes out;
  appendChunk(out, "MThd", {0, static_cast<std::uint8_t>(format), 0, static_cast<std::uint8_t>(tracks), 0,
                            kWrittenDivision});
  return out;
}

}  // namespace

WriteOptions WriteOptions::from(const FileSettings& file) {
  WriteOptions o;
  o.format0 = file.isOn(kWriteFormat0);
  o.strictLines = file.isOn(kExportStrictLines);
  o.drums = file.isOn(kExportDrums);
  return o;
}

Bytes writeMidi(const Score& s, int highestSet, int lowestSet, int drumSetIndex, const WriteOptions& options) {
  std::lock_guard lock(s.noteMutex);
  const DrumKeys& keys = s.settings.drums.drumKeys;
  std::vector<NoteSet> parts;
  for (int set = highestSet; set >= lowestSet; --set) parts.push_back(trackNotes(setAt(s, set), options.strictLines));
  const NoteSet drums = options.drums ? trackNotes(setAt(s, drumSetIndex), false) : NoteSet{};

  if (options.format0) {
    NoteSet all = drums;
    for (const NoteSet& part : parts) all.insert(part.begin(), part.end());
    Bytes out = header(0, 1);
    appendChunk(out, "MTrk", noteTrack(all, keys));
    return out;
  }
  const bool drumTrack = !drums.empty();
  const int trackCount = 1 + static_cast<int>(parts.size()) + (drumTrack ? kEmptyTracksBeforeDrums + 1 : 0);
  Bytes out = header(1, trackCount);
  appendChunk(out, "MTrk", conductorTrack(s));
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const int set = highestSet - static_cast<int>(i);
    const bool named = options.partNames && set >= kBassSet && set <= kSopranoSet;
    appendChunk(out, "MTrk", noteTrack(parts[i], keys, named ? kPartTrackNames[static_cast<std::size_t>(set)] : std::string{}));
  }
  if (drumTrack) {
    for (int i = 0; i < kEmptyTracksBeforeDrums; ++i) appendChunk(out, "MTrk", noteTrack({}, keys));
    appendChunk(out, "MTrk", noteTrack(drums, keys));
  }
  return out;
}

}  // namespace quorvel
