#include "midifile/TrackReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
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
constexpr int kXPerTick = 20;  // x-units of a tick, times the division

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

  // Runs for every note: the pool's growth stays out of line so that this inlines.
  void open(int key, Note n) {
    if (free_ == kNone) grow();
    const int slot = free_;
    Entry& e = pool_[static_cast<std::size_t>(slot)];
    free_ = e.next;
    e = {n, head_[static_cast<std::size_t>(key)]};
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
  [[gnu::noinline]] void grow() {
    free_ = static_cast<int>(pool_.size());
    pool_.push_back({{}, kNone});
  }

  std::vector<Entry> pool_;
  std::vector<int> head_;
  int free_ = kNone;
};

// Division by the track's fixed divisor as a multiplication: every note event
// divides, and a division instruction there costs more than the rest of the
// event. Exact for dividends below 2^30: with a shift of 30 + ceil(log2 d),
// the multiplier's rounding error times such a dividend stays below 2^shift.
// For divisors below 2^15 the multiplier is at most 2^31, so the product
// stays below 2^62.
class ExactDivision {
 public:
  explicit ExactDivision(std::uint32_t divisor)
      : divisor_(divisor),
        shift_(30 + static_cast<unsigned>(std::bit_width(divisor - 1))),
        multiplier_(((std::uint64_t{1} << shift_) + divisor - 1) / divisor) {}

  std::uint32_t floor(std::uint32_t dividend) const {
    return static_cast<std::uint32_t>((dividend * multiplier_) >> shift_);
  }
  std::uint32_t ceil(std::uint32_t dividend) const {
    const std::uint32_t q = floor(dividend);
    return q + (q * divisor_ != dividend ? 1u : 0u);
  }

 private:
  std::uint32_t divisor_;
  unsigned shift_;
  std::uint64_t multiplier_;
};

// One pass over the events of a track. Positions are in file ticks counted
// from division / 2, so that the file's time 0 lands on the song's beginning.
class TrackParser {
 public:
  TrackParser(ByteView track, int division, int drumMode, ChannelRemap remap, int partBits)
      : track_(track), division_(division), toX_(static_cast<std::uint32_t>(division)), drumMode_(drumMode),
        drumChannels_(drumChannelsOf(remap)), partBits_(partBits),
        lastTick_(static_cast<long long>(division) * kTimelineEndX / kXPerTick) {
    melody.reserve(track.size() / 8);  // a note takes at least eight bytes
  }

  // The cursor and the running status live in locals: the loop runs once per
  // event, and members would be reloaded after every call it makes.
  void run() {
    const std::uint8_t* at = track_.data();
    const std::uint8_t* const end = at + track_.size();
    long long position = division_ / 2;
    std::uint8_t running = 0;
    while (at != end) {
      if (*at < 0x80) {  // most deltas take one byte
        position += *at++;
      } else {
        const auto delta = takeVlq(at, end);
        if (!delta) break;
        position += *delta;
      }
      if (position > lastTick_ || at == end) break;
      std::uint8_t status = *at;
      if (status >= 0x80) ++at;
      else if (running != 0) status = running;
      else break;
      if (status >= 0xF0) {
        if (!systemEvent(status, at, end)) break;
        continue;
      }
      running = status;
      const int kind = status >> 4;
      const std::ptrdiff_t dataBytes = (kind == 0xC || kind == 0xD) ? 1 : 2;
      if (end - at < dataBytes) break;
      const std::uint8_t* data = at;
      at += dataBytes;
      if (kind == 0x8 || kind == 0x9) noteEvent(status, data[0] & 0x7F, data[1] & 0x7F, position);
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
  // Bit c is set when channel c's notes are drums.
  static std::uint16_t drumChannelsOf(ChannelRemap remap) {
    if (remap.allAsDrums) return 0xFFFF;
    if (remap.allAsRegular) return 0;
    return std::uint16_t{1u << kDrumChannel};
  }

  void noteEvent(std::uint8_t status, int key, int velocity, long long position) {
    const bool noteOnMessage = (status & 0xF0) == 0x90;
    if ((drumChannels_ >> (status & 0x0F)) & 1u) drumEvent(key, velocity, noteOnMessage, position);
    else if (noteOnMessage && velocity > 0) openMelody(key, position);
    else closeMelody(key, position);
  }

  // System messages are rare, so they go through the checked reader.
  bool systemEvent(std::uint8_t status, const std::uint8_t*& at, const std::uint8_t* end) {
    ByteReader in(ByteView(at, end));
    const bool goOn = systemEvent(status, in);
    at += in.position();
    return goOn;
  }

  bool systemEvent(std::uint8_t status, ByteReader& in) {
    switch (status) {
      case 0xFF: return metaEvent(in);
      case 0xF0:
      case 0xF7: {
        const auto length = in.vlq();
        return length && in.skip(*length);
      }
      case 0xF1:
      case 0xF3: return in.skip(1);
      case 0xF2: return in.skip(2);
      case 0xF6: case 0xF8: case 0xFA: case 0xFB: case 0xFC: case 0xFE: return true;
      default: return false;
    }
  }

  bool metaEvent(ByteReader& in) {
    const auto type = in.u8();
    const auto length = type ? in.vlq() : std::nullopt;
    if (!length) return false;
    const auto data = in.take(*length);
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
    // Rounded: writers round the microseconds per quarter, so 81 bpm may be
    // stored as 740,741 us, a hair under 81.
    const auto bpm = static_cast<int>((60000000u + micros / 2) / micros);
    if (bpm >= 60 && bpm <= 240) head.tempo = bpm;
  }

  void keySignature(ByteView data) {
    if (data.size() < 2) return;
    const bool minor = data[1] != 0;
    const int key = keyNoteOfSignature(static_cast<std::int8_t>(data[0]), minor);
    if (key < 0) return;
    head.keyNote = key;
    head.scale = minor ? 1 : 0;
  }

  // A position's x-units times the division. Events are read up to the last
  // tick only, so this stays below 32767 * 21770 < 2^30.
  static std::uint32_t scaled(long long position) { return static_cast<std::uint32_t>(position * kXPerTick); }

  int startAt(long long position) const {
    return static_cast<int>(toX_.ceil(scaled(position)) / kStepPixels);
  }
  // Width in x-units from a note's start to a position, rounded down.
  long long widthUntil(int start, long long position) const {
    return static_cast<long long>(toX_.floor(scaled(position))) - kStepPixels * start;
  }

  void openMelody(int key, long long position) {
    if (key == 0 || key > kMaxMelodyKey - 1) return;
    pendingMelody_.open(key, {startAt(position), 0});
  }

  // Ends every sounding note of the key.
  void closeMelody(int key, long long position) {
    pendingMelody_.close(key, [&](SoundingNotes::Note n) {
      const long long width = std::min<long long>(widthUntil(n.start, position), kMaxMelodyWidth);
      if (width <= 0) return;
      const int length = width >= 5 ? 127 - static_cast<int>((kMaxMelodyWidth - width) / 5) : 1;
      melody.push_back(makeMelodyNote(n.start, key, length, partBits_));
    });
  }

  void drumEvent(int key, int velocity, bool noteOnMessage, long long position) {
    if (drumMode_ == kDrumsIgnored) return;
    const int lane = laneOfDrumKey(key);
    if (lane == 0) return;
    if (noteOnMessage && velocity >= 2) {
      drumSeen = true;
      pendingDrums_.open(lane, {startAt(position), velocity});
      return;
    }
    pendingDrums_.close(lane, [&](SoundingNotes::Note n) {
      const long long width = std::min<long long>(widthUntil(n.start, position), kMaxDrumWidth);
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

  const ByteView track_;
  const long long division_;
  const ExactDivision toX_;  // from x-units times the division to x-units
  const int drumMode_;
  const std::uint16_t drumChannels_;
  const int partBits_;
  const long long lastTick_;  // the last tick within the timeline
  SoundingNotes pendingMelody_{128};
  SoundingNotes pendingDrums_{kLanes + 1};
};

void storeDrums(GatheredNotes& out, std::vector<NoteCode> drums, int targetSet, int drumMode) {
  if (drumMode == kDrumsToDrumSets) {
    std::array<std::vector<NoteCode>, 4> byLevel;
    for (NoteCode c : drums) byLevel[static_cast<std::size_t>(drumLevel(c))].push_back(c);
    for (int level = 0; level < 4; ++level)
      out.add(kDrumSet0 + level, std::move(byLevel[static_cast<std::size_t>(level)]));
    out.add(kDrumsView, std::move(drums));
  } else {
    out.add(targetSet, drums);
    out.add(kImportedDrums, std::move(drums));
  }
}

// A conductor track sets only the values it carries: the empty tracks that
// files written here hold between the voices and the drums must not wipe the
// first conductor's tempo and key.
void recordConductor(MidiInfo& info, const MusicalHead& found) {
  MusicalHead& h = info.conductor;
  if (found.tempo != 0) h.tempo = found.tempo;
  if (found.keyNote >= 0) {
    h.keyNote = found.keyNote;
    h.scale = found.scale;
  }
  info.conductorSeen = kConductorSeen;
}

void recordHead(MidiInfo& info, const TrackParser& parser, bool conductor) {
  if (conductor) {
    recordConductor(info, parser.head);
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
  if (drumMode != kDrumsIgnored) storeDrums(out, std::move(parser.drums), targetSet, drumMode);

  const bool conductor = targetWasEmpty && !hasMelody && !parser.drumSeen;
  recordHead(info, parser, conductor);
  if (conductor) return kConductorTrack;
  return (hasMelody ? kTrackHasMelody : 0) | (parser.drumSeen ? kTrackHasDrums : 0);
}

}  // namespace quorvel
