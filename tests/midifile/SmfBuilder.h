#pragma once
// Builds Standard MIDI Files byte by byte for the reader tests, and splits
// written files into their track bodies.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace quorvel::test {

using Raw = std::vector<std::uint8_t>;

inline Raw vlq(std::uint32_t v) {
  Raw out{static_cast<std::uint8_t>(v & 0x7F)};
  while (v >>= 7) out.insert(out.begin(), static_cast<std::uint8_t>(0x80 | (v & 0x7F)));
  return out;
}

// Events of one track: each call appends a delta time and a message.
class TrackEvents {
 public:
  TrackEvents& ev(std::uint32_t delta, std::initializer_list<int> message) {
    append(vlq(delta));
    for (int b : message) bytes_.push_back(static_cast<std::uint8_t>(b));
    return *this;
  }
  TrackEvents& on(std::uint32_t delta, int key, int velocity = 100, int channel = 0) {
    return ev(delta, {0x90 | channel, key, velocity});
  }
  TrackEvents& off(std::uint32_t delta, int key, int channel = 0) { return ev(delta, {0x80 | channel, key, 0}); }
  TrackEvents& meta(std::uint32_t delta, int type, const Raw& data) {
    append(vlq(delta));
    bytes_.push_back(0xFF);
    bytes_.push_back(static_cast<std::uint8_t>(type));
    append(vlq(static_cast<std::uint32_t>(data.size())));
    append(data);
    return *this;
  }
  TrackEvents& text(std::uint32_t delta, int type, const std::string& s) { return meta(delta, type, Raw(s.begin(), s.end())); }
  TrackEvents& tempoBpm(std::uint32_t delta, int bpm) {
    const std::uint32_t us = 60000000u / static_cast<std::uint32_t>(bpm);
    return meta(delta, 0x51, {static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>(us >> 8), static_cast<std::uint8_t>(us)});
  }
  TrackEvents& keySignature(std::uint32_t delta, int sf, int minor) {
    return meta(delta, 0x59, {static_cast<std::uint8_t>(sf), static_cast<std::uint8_t>(minor)});
  }
  TrackEvents& raw(const Raw& r) { append(r); return *this; }
  TrackEvents& end() { return meta(0, 0x2F, {}); }
  const Raw& bytes() const { return bytes_; }

 private:
  void append(const Raw& r) { bytes_.insert(bytes_.end(), r.begin(), r.end()); }
  Raw bytes_;
};

inline void appendBe(Raw& out, std::uint32_t v, int n) {
  for (int i = n - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline Raw trackChunk(const Raw& body) {
  Raw out{'M', 'T', 'r', 'k'};
  appendBe(out, static_cast<std::uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline Raw smf(int format, int division, std::initializer_list<TrackEvents> tracks, int declaredTracks = -1) {
  Raw out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
  appendBe(out, static_cast<std::uint32_t>(format), 2);
  appendBe(out, static_cast<std::uint32_t>(declaredTracks >= 0 ? declaredTracks : static_cast<int>(tracks.size())), 2);
  appendBe(out, static_cast<std::uint32_t>(division), 2);
  for (const TrackEvents& t : tracks) {
    const Raw chunk = trackChunk(t.bytes());
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

// The bodies of the track chunks after the 14-byte header.
inline std::vector<Raw> trackBodies(const Raw& file) {
  std::vector<Raw> tracks;
  for (std::size_t at = 14; at + 8 <= file.size();) {
    const std::size_t length = (std::size_t{file[at + 4]} << 24) | (std::size_t{file[at + 5]} << 16) |
                               (std::size_t{file[at + 6]} << 8) | file[at + 7];
    tracks.emplace_back(file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                        file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    at += 8 + length;
  }
  return tracks;
}

}  // namespace quorvel::test
