#include "midifile/PortableExport.h"

#include <array>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "base/FileIo.h"
#include "base/Messages.h"
#include "base/Ui.h"
#include "midifile/FileDialogs.h"
#include "midifile/TrackWriter.h"
#include "model/Score.h"

namespace quorvel {

namespace {

constexpr int kStepsPerQuarter = 4;
constexpr int kDrumChannel = 9;

struct Voice {
  int set;
  const char* name;
};
// Top voice first, as score order puts it; channel = position.
constexpr std::array<Voice, 4> kVoices{{{kSopranoSet, "Soprano"}, {kAltoSet, "Alto"}, {kTenorSet, "Tenor"}, {kBassSet, "Bass"}}};

void appendChunk(Bytes& out, const char* magic, const Bytes& body) {
  out.insert(out.end(), magic, magic + 4);
  appendBe32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

void appendMeta(Bytes& body, std::uint8_t type, const Bytes& data) {
  body.insert(body.end(), {0x00, 0xFF, type});
  appendVlq(body, static_cast<std::uint32_t>(data.size()));
  body.insert(body.end(), data.begin(), data.end());
}

void appendName(Bytes& body, const std::string& name) { appendMeta(body, 0x03, Bytes(name.begin(), name.end())); }

void appendEndOfTrack(Bytes& body) { body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00}); }

Bytes conductor(const Score& s) {
  const int tempo = s.settings.general.tempo > 0 ? s.settings.general.tempo : 120;
  const std::uint32_t micros = 60000000u / static_cast<std::uint32_t>(tempo);
  const std::uint8_t minor = s.settings.melody[kMode] != 0 ? 1 : 0;
  Bytes body;
  appendName(body, "Quorvel");
  appendMeta(body, 0x51, {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                          static_cast<std::uint8_t>(micros)});
  appendMeta(body, 0x58, {4, 2, 24, 8});  // 4/4
  appendMeta(body, 0x59, {0, minor});
  appendEndOfTrack(body);
  return body;
}

// In one voice a note that is struck again before it ends would pair its
// note-offs ambiguously in other programs: a note doubled in unison is written
// once, and a note held into the next one on its key ends where that one starts.
NoteSet withoutOverlappingUnisons(const NoteSet& notes) {
  std::vector<NoteCode> line;
  std::map<int, std::size_t> lastOnKey;
  for (auto it = notes.begin(); it != notes.end(); it = notes.upper_bound(*it)) {
    const NoteCode c = *it;
    if (isDrumCode(c)) {
      line.push_back(c);
      continue;
    }
    const auto previous = lastOnKey.find(melodyKey(c));
    if (previous != lastOnKey.end()) {
      NoteCode& held = line[previous->second];
      const int gap = noteStart(c) - noteStart(held);
      if (gap == 0) continue;
      if (gap < melodyLength(held)) held = withMelodyLength(held, gap);
    }
    lastOnKey[melodyKey(c)] = line.size();
    line.push_back(c);
  }
  return NoteSet(line.begin(), line.end());
}

Bytes voiceTrack(const Score& s, const NoteSet& notes, const char* name, int channel, int program) {
  Bytes body;
  appendName(body, name);
  body.insert(body.end(), {0x00, static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program & 0x7F)});
  const TrackStyle style{channel, kPortableDivision / kStepsPerQuarter, true};
  writeTrackEvents(withoutOverlappingUnisons(notes), body, s.settings.drums.drumKeys, style);
  appendEndOfTrack(body);
  return body;
}

}  // namespace

Bytes writePortableMidi(const Score& s) {
  std::lock_guard lock(s.noteMutex);
  std::vector<Bytes> tracks{conductor(s)};
  for (std::size_t i = 0; i < kVoices.size(); ++i) {
    const NoteSet& notes = s.noteSets[static_cast<std::size_t>(kVoices[i].set)];
    if (notes.empty()) continue;
    const int program = s.settings.parts.instruments[i];  // kept Soprano first, as the voices
    tracks.push_back(voiceTrack(s, notes, kVoices[i].name, static_cast<int>(i), program));
  }
  const NoteSet& drums = s.noteSets[kDrumsView];
  if (!drums.empty()) tracks.push_back(voiceTrack(s, drums, "Drums", kDrumChannel, 0));

  Bytes out;
  Bytes head;
  appendBe16(head, 1);
  appendBe16(head, static_cast<std::uint16_t>(tracks.size()));
  appendBe16(head, kPortableDivision);
  appendChunk(out, "MThd", head);
  for (const Bytes& track : tracks) appendChunk(out, "MTrk", track);
  return out;
}

int exportForOtherPrograms(Score& s, Ui& ui) {
  const std::string path = askMidiSavePath(s, ui, "");
  if (path.empty()) return -1;
  if (!replaceFileContents(path, writePortableMidi(s))) {
    ui.messageBox(localized("File could not be created or opened", s.settings.general.language), path,
                  MsgIcon::Exclamation, MsgButtons::Ok);
    return -1;
  }
  ui.setStatus(1, localized("Exported for other programs.", s.settings.general.language));
  return 0;
}

}  // namespace quorvel
