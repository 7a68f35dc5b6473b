// Feeds arbitrary bytes to the MIDI reader in both reading modes and writes
// what was read back out, so that every path of reading and writing sees
// damaged input.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/QuietUi.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"
#include "model/Score.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvel;
  static QuietUi ui;
  static auto score = std::make_unique<Score>();
  const ByteView bytes(data, size);
  const std::uint8_t flags = size > 0 ? data[size - 1] : 0;

  ReadOptions options;
  options.merged = (flags & 1) != 0;
  options.readDrums = (flags & 2) != 0;
  options.removeDuplicates = (flags & 4) != 0;
  options.allAsDrums = (flags & 8) != 0;
  options.allAsRegular = !options.allAsDrums && (flags & 16) != 0;
  ImportResult result;
  if (readMidiBytes(*score, ui, bytes, options, result) != 0) return 0;

  WriteOptions out;
  out.format0 = (flags & 32) != 0;
  out.strictLines = (flags & 64) != 0;
  out.drums = true;
  const int top = options.merged ? kSopranoSet : kImportedTrackFirst;
  const int drums = options.merged ? kDrumsView : kImportedDrums;
  const Bytes written = writeMidi(*score, top, top - 3, drums, out);
  ImportResult again;
  readMidiBytes(*score, ui, written, ReadOptions{}, again);
  return 0;
}
