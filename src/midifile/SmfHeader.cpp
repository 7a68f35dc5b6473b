#include "midifile/SmfHeader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quorvel {

namespace {

constexpr std::size_t kHeaderBytes = 14;
constexpr std::size_t kChunkHeadBytes = 8;
constexpr std::uint8_t kHeaderMagic[8] = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
constexpr std::uint8_t kTrackMagic[4] = {'M', 'T', 'r', 'k'};

// A division with the top bit set counts frames per second and ticks per
// frame. Such files carry no musical tempo, so their time is mapped onto the
// default 120 beats per minute: one quarter note is half a second.
int ticksPerQuarter(std::uint16_t division) {
  if ((division & 0x8000u) == 0) return division;
  const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
  const int ticksPerFrame = division & 0xFF;
  if (framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 && framesPerSecond != 30)
    return 0;
  const int fps = framesPerSecond == 29 ? 30 : framesPerSecond;  // 29.97 drop-frame
  return fps * ticksPerFrame / 2;
}

// Body length of the chunk whose head starts at `at`, cut to the bytes that
// exist; -1 when the declared length is zero or negative.
long long presentLength(ByteView file, std::size_t at) {
  const auto declared = static_cast<std::int32_t>(readBe32(file, at + 4));
  if (declared <= 0) return -1;
  const std::size_t available = file.size() - (at + kChunkHeadBytes);
  return static_cast<long long>(std::min<std::size_t>(static_cast<std::size_t>(declared), available));
}

}  // namespace

int parseHeader(ByteView file, SmfHeader& header) {
  if (file.size() < kHeaderBytes + kChunkHeadBytes) return -1;
  if (std::memcmp(file.data(), kHeaderMagic, sizeof kHeaderMagic) != 0) return -1;
  if ((file[9] & 0xFF) >= 3) return -1;
  const int tracks = readBe16(file, 10);
  const int division = ticksPerQuarter(readBe16(file, 12));
  if (tracks < 1 || division < 1) return -1;
  if (std::memcmp(file.data() + kHeaderBytes, kTrackMagic, sizeof kTrackMagic) != 0) return -1;
  const long long length = presentLength(file, kHeaderBytes);
  if (length <= 0) return -1;
  header.format = readBe16(file, 8);
  header.trackCount = tracks;
  header.division = division;
  header.firstTrack = {kHeaderBytes + kChunkHeadBytes, static_cast<std::size_t>(length)};
  return tracks;
}

HeaderProblem diagnoseHeader(ByteView file) {
  constexpr std::size_t kMagicBytes = 4;
  const auto cutOff = [&] { return HeaderProblem{"The file is cut off at byte %d.", static_cast<long long>(file.size())}; };
  if (file.empty()) return {"The file is empty."};
  const std::size_t compared = std::min(file.size(), kMagicBytes);
  if (std::memcmp(file.data(), kHeaderMagic, compared) != 0) return {"This is not a MIDI file."};
  if (file.size() < kHeaderBytes) return cutOff();
  if (std::memcmp(file.data(), kHeaderMagic, sizeof kHeaderMagic) != 0) return {"The MIDI header has an unknown size."};
  if ((file[9] & 0xFF) >= 3 || file[8] != 0) return {"Unsupported MIDI format %d.", readBe16(file, 8)};
  if (readBe16(file, 10) < 1) return {"The file declares no tracks."};
  if (ticksPerQuarter(readBe16(file, 12)) < 1) return {"Unsupported time division %d.", readBe16(file, 12)};
  if (file.size() < kHeaderBytes + kChunkHeadBytes) return cutOff();
  if (std::memcmp(file.data() + kHeaderBytes, kTrackMagic, sizeof kTrackMagic) != 0)
    return {"No track follows the header."};
  if (presentLength(file, kHeaderBytes) <= 0) {
    return static_cast<std::int32_t>(readBe32(file, kHeaderBytes + 4)) > 0 ? cutOff() : HeaderProblem{"The first track is empty."};
  }
  return {};
}

std::vector<TrackChunk> findTracks(ByteView file, std::size_t from, int wanted) {
  std::vector<TrackChunk> chunks;
  std::size_t at = from;
  while (static_cast<int>(chunks.size()) < wanted && at < file.size()) {
    const auto found = std::search(file.begin() + static_cast<std::ptrdiff_t>(at), file.end(),
                                    std::begin(kTrackMagic), std::end(kTrackMagic));
    const auto head = static_cast<std::size_t>(found - file.begin());
    if (head + kChunkHeadBytes > file.size()) break;
    const long long length = presentLength(file, head);
    if (length < 0) break;
    chunks.push_back({head + kChunkHeadBytes, static_cast<std::size_t>(length)});
    at = head + kChunkHeadBytes + static_cast<std::size_t>(length);
  }
  return chunks;
}

}  // namespace quorvel
