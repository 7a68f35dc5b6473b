#include "midifile/TrackReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "midifile/DrumLanes.h"
#include "midifile/GatheredNotes.h"

namespace quorvel {

namespace {

constexpr int kDrumChannel = 9;
constexpr int kMaxMelodyWidth = 635;  // 127 steps of 5 x-units
constexpr int kMaxDrumWidth = 20;
constexpr int kLanes = 12;

bool isUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 4;
    if (extra == 4 || i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

// File text is 8-bit: kept when it is UTF-8, else taken as Latin-1.
std::string textFromFile(ByteView bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  std::string raw(bytes.begin(), end);
  if (isUtf8(raw)) return raw;
  std::string widened;
  for (char ch : raw) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      widened.push_back(ch);
    } else {
      widened.push_back(static_cast<char>(0xC0 | (c >> 6)));
      widened.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return widened;
}

// Notes still sounding, chained per key (or drum lane) through one pool, so
// that ending the notes of a key touches only those notes.
class SoundingNotes {
 public:
  struct Note {
    int start;
    int velocity;
  };

  explicit SoundingNotes(int keys) : head_(static_cast<std::size_t>(keys), kNone) {}

  void open(int key, Note n) {
    int slot = free_;
    if (slot == kNone) {
      slot = static_cast<int>(pool_.size());
      pool_.push_back({});
    } else {
      free_ = pool_[static_cast<std::size_t>(slot)].next;
    }
    pool_[static_cast<std::size_t>(slot)] = {n, head_[static_cast<std::size_t>(key)]};
    head_[static_cast<std::size_t>(key)] = slot;
  }

  // Calls f(note) for every sounding note of the key and forgets them.
  template <typename F>
  void close(int key, F f) {
    int slot = head_[static_cast<std::size_t>(key)];
    head_[static_cast<std::size_t>(key)] = kNone;
    while (slot != kNone) {
      Entry& e = pool_[static_cast<std::size_t>(slot)];
      f(e.note);
      const int next = e.next;
      e.next = free_;
      free_ = slot;
      slot = next;
    }
  }

  int keys() const { return static_cast<int>(head_.size()); }

 private:
  static constexpr int kNone = -1;
  struct Entry {
    Note note;
    int next;
  };
  std::vector<Entry> pool_;
  std::vector<int> head_;
  int free_ = kNone;
};

// One pass over the events of a track. Positions are in file ticks counted
// from division / 2, so that the file's time 0 lands on the song's beginning.
class TrackParser {
 public:
  TrackParser(ByteView track, int division, int drumMode, ChannelRemap remap, int partBits)
      : in_(track), division_(division), drumMode_(drumMode), remap_(remap), partBits_(partBits),
        position_(division / 2), limit_(static_cast<long long>(division) * kTimelineEndX) {
    melody.reserve(track.size() / 8);  // a note takes at least eight bytes
  }

  void run() {
    while (!in_.atEnd() && step()) {
    }
    closeUnfinished();
  }

  std::vector<NoteCode> melody;
  std::vector<NoteCode> drums;
  bool drumSeen = false;
  MusicalHead head;
  std::string name;
  std::string text;

 private:
  // Reads one event; false ends the track.
  bool step() {
    const auto delta = in_.vlq();
    if (!delta) return false;
    position_ += *delta;
    if (position_ * 20 > limit_) return false;
    const auto first = in_.peek();
    if (!first) return false;
    std::uint8_t status = *first;
    if (status < 0x80) {
      if (runningStatus_ == 0) return false;
      status = runningStatus_;
    } else {
      in_.skip(1);
    }
    if (status >= 0xF0) return systemEvent(status);
    runningStatus_ = status;
    return channelEvent(status);
  }

  bool channelEvent(std::uint8_t status) {
    const int kind = status & 0xF0;
    int channel = status & 0x0F;
    if (remap_.allAsDrums) channel = kDrumChannel;
    else if (remap_.allAsRegular) channel = 0;
    const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    const auto data = in_.take(static_cast<std::size_t>(dataBytes));
    if (!data) return false;
    if (kind != 0x80 && kind != 0x90) return true;
    const int key = (*data)[0] & 0x7F;
    const int velocity = (*data)[1] & 0x7F;
    const bool on = kind == 0x90 && velocity > 0;
    if (channel == kDrumChannel) drumEvent(key, velocity, kind == 0x90);
    else if (on) openMelody(key);
    else closeMelody(key);
    return true;
  }

  bool systemEvent(std::uint8_t status) {
    switch (status) {
      case 0xFF: return metaEvent();
      case 0xF0:
      case 0xF7: {
        const auto length = in_.vlq();
        return length && in_.skip(*length);
      }
      case 0xF1:
      case 0xF3: return in_.skip(1);
      case 0xF2: return in_.skip(2);
      case 0xF6: case 0xF8: case 0xFA: case 0xFB: case 0xFC: case 0xFE: return true;
      default: return false;
    }
  }

  bool metaEvent() {
    const auto type = in_.u8();
    const auto length = type ? in_.vlq() : std::nullopt;
    if (!length) return false;
    const auto data = in_.take(*length);
    if (!data) return false;
    switch (*type) {
      case 0x2F: return false;
      case 0x51: tempoEvent(*data); break;
      case 0x59: keySignature(*data); break;
      case 0x03: name = textFromFile(*data); break;
      case 0x01:
        if (text.empty()) text = textFromFile(*data);
        break;
      default: break;
    }
    return true;
  }

  void tempoEvent(ByteView data) {
    if (data.size() < 3) return;
    const std::uint32_t micros = (std::uint32_t{data[0]} << 16) | (std::uint32_t{data[1]} << 8) | data[2];
    if (micros == 0) return;
    const auto bpm = static_cast<int>(60000000u / micros);
    if (bpm >= 60 && bpm <= 240) head.tempo = bpm;
  }

  void keySignature(ByteView data) {
    if (data.size() < 2) return;
    const int key = keyNoteOfSignature(static_cast<std::int8_t>(data[0]));
    if (key < 0) return;
    head.keyNote = key;
    head.scale = data[1] != 0 ? 1 : 0;
  }

  // The current position in x-units, rounded down and up; one division per
  // tick, shared by every event at that tick.
  void updateX() {
    if (position_ == xPosition_) return;
    xPosition_ = position_;
    const long long scaled = position_ * 20;
    xFloor_ = scaled / division_;
    xCeil_ = xFloor_ + (scaled % division_ != 0 ? 1 : 0);
  }

  int startHere() {
    updateX();
    return static_cast<int>(xCeil_ / kStepPixels);
  }
  // Width in x-units from a note's start to the current position.
  long long widthSince(int start) {
    updateX();
    return xFloor_ - kStepPixels * start;
  }

  void openMelody(int key) {
    if (key == 0 || key > kMaxMelodyKey - 1) return;
    pendingMelody_.open(key, {startHere(), 0});
  }

  // Ends every sounding note of the key.
  void closeMelody(int key) {
    pendingMelody_.close(key, [&](SoundingNotes::Note n) {
      const long long width = std::min<long long>(widthSince(n.start), kMaxMelodyWidth);
      if (width <= 0) return;
      const int length = width >= 5 ? 127 - static_cast<int>((kMaxMelodyWidth - width) / 5) : 1;
      melody.push_back(makeMelodyNote(n.start, key, length, partBits_));
    });
  }

  void drumEvent(int key, int velocity, bool noteOnMessage) {
    if (drumMode_ == kDrumsIgnored) return;
    const int lane = laneOfDrumKey(key);
    if (lane == 0) return;
    if (noteOnMessage && velocity >= 2) {
      drumSeen = true;
      pendingDrums_.open(lane, {startHere(), velocity});
      return;
    }
    pendingDrums_.close(lane, [&](SoundingNotes::Note n) {
      const long long width = std::min<long long>(widthSince(n.start), kMaxDrumWidth);
      if (width <= 0) return;
      const int length = width >= 5 ? 4 - static_cast<int>((kMaxDrumWidth - width) / 5) : 1;
      drums.push_back(makeDrumNote(n.start, lane, length, levelOfVelocity(n.velocity), n.velocity));
    });
  }

  // Notes still sounding at the end of the track keep the longest length.
  void closeUnfinished() {
    for (int key = 0; key < pendingMelody_.keys(); ++key)
      pendingMelody_.close(key, [&](SoundingNotes::Note n) {
        melody.push_back(makeMelodyNote(n.start, key, kMaxMelodyLength, partBits_));
      });
    for (int lane = 1; lane < pendingDrums_.keys(); ++lane)
      pendingDrums_.close(lane, [&](SoundingNotes::Note n) {
        drums.push_back(makeDrumNote(n.start, lane, kMaxDrumLength, levelOfVelocity(n.velocity), n.velocity));
      });
  }

  ByteReader in_;
  const long long division_;
  const int drumMode_;
  const ChannelRemap remap_;
  const int partBits_;
  long long position_;
  long long xPosition_ = -1;
  long long xFloor_ = 0;
  long long xCeil_ = 0;
  const long long limit_;
  std::uint8_t runningStatus_ = 0;
  SoundingNotes pendingMelody_{128};
  SoundingNotes pendingDrums_{kLanes + 1};
};

void storeDrums(GatheredNotes& out, const std::vector<NoteCode>& drums, int targetSet, int drumMode) {
  if (drumMode == kDrumsToDrumSets) {
    std::array<std::vector<NoteCode>, 4> byLevel;
    for (NoteCode c : drums) byLevel[static_cast<std::size_t>(drumLevel(c))].push_back(c);
    for (int level = 0; level < 4; ++level)
      out.add(kDrumSet0 + level, std::move(byLevel[static_cast<std::size_t>(level)]));
    out.add(kDrumsView, drums);
  } else {
    out.add(targetSet, drums);
    out.add(kImportedDrums, drums);
  }
}

void recordHead(MidiInfo& info, const TrackParser& parser, bool conductor) {
  if (conductor) {
    info.conductor = parser.head;
    info.conductorSeen = kConductorSeen;
    return;
  }
  MusicalHead& h = info.inNoteTracks;
  if (h.tempo == 0) h.tempo = parser.head.tempo;
  if (h.keyNote < 0) {
    h.keyNote = parser.head.keyNote;
    h.scale = parser.head.scale;
  }
}

void recordTitle(MidiInfo& info, const TrackParser& parser) {
  if (info.conductorSeen == kConductorSeen) return;
  if (!parser.name.empty()) info.title = parser.name;
  else if (info.title.empty() && !parser.text.empty()) info.title = parser.text;
}

}  // namespace

int readTrack(GatheredNotes& out, ByteView track, int targetSet, int division, MidiInfo& info, int drumMode,
              ChannelRemap remap, std::string& name) {
  const int partBits = targetSet < kImportedDrums ? (targetSet & 3) : 0;
  TrackParser parser(track, division, drumMode, remap, partBits);
  parser.run();
  name = parser.name;
  recordTitle(info, parser);

  const bool targetWasEmpty = out.isEmpty(targetSet);
  const bool hasMelody = !parser.melody.empty();
  out.add(targetSet, std::move(parser.melody));
  if (drumMode != kDrumsIgnored) storeDrums(out, parser.drums, targetSet, drumMode);

  const bool conductor = targetWasEmpty && !hasMelody && !parser.drumSeen;
  recordHead(info, parser, conductor);
  if (conductor) return kConductorTrack;
  return (hasMelody ? kTrackHasMelody : 0) | (parser.drumSeen ? kTrackHasDrums : 0);
}

}  // namespace quorvel
