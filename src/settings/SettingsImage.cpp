#include "settings/SettingsImage.h"

#include <bit>

namespace quorvel {

namespace {

// The writer and the reader walk the same field list (visitSettings), so the
// two directions cannot disagree about an offset. Both work byte by byte, so
// the image never depends on the compiler's struct layout or the machine's
// byte order.
class ImageWriter {
 public:
  explicit ImageWriter(std::vector<std::uint8_t>& image) : image_(image) {}

  void setBase(std::size_t base) { base_ = base; }
  void field(std::size_t offset, const std::int32_t& v) { put(offset, static_cast<std::uint32_t>(v), 4); }
  void field(std::size_t offset, const double& v) { put(offset, std::bit_cast<std::uint64_t>(v), 8); }
  void field(std::size_t offset, const char16_t& c) { put(offset, c, 2); }

 private:
  void put(std::size_t offset, std::uint64_t v, int count) {
    for (int i = 0; i < count; ++i)
      image_[base_ + offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  std::vector<std::uint8_t>& image_;
  std::size_t base_ = 0;
};

class ImageReader {
 public:
  explicit ImageReader(std::span<const std::uint8_t> image) : image_(image) {}

  void setBase(std::size_t base) { base_ = base; }
  void field(std::size_t offset, std::int32_t& v) const { v = static_cast<std::int32_t>(get(offset, 4)); }
  void field(std::size_t offset, double& v) const { v = std::bit_cast<double>(get(offset, 8)); }
  void field(std::size_t offset, char16_t& c) const { c = static_cast<char16_t>(get(offset, 2)); }

 private:
  std::uint64_t get(std::size_t offset, int count) const {
    std::uint64_t v = 0;
    for (int i = 0; i < count; ++i)
      v |= static_cast<std::uint64_t>(image_[base_ + offset + static_cast<std::size_t>(i)]) << (8 * i);
    return v;
  }
  std::span<const std::uint8_t> image_;
  std::size_t base_ = 0;
};

// Offsets inside the blocks.
constexpr std::size_t kFoldersAt = 20;
constexpr std::size_t kInstrumentsAt = 12;
constexpr std::size_t kDrumKeysAt = 8, kNoteOffAt = 56;
constexpr std::size_t kRatesAt = 8;  // after the kind and four bytes of padding
constexpr std::size_t kAiEntriesAt = 8;

// Consecutive elements of `width` bytes each, from `offset` on.
template <class Io, class Array>
void visitArray(Io& io, std::size_t offset, std::size_t width, Array& values) {
  for (std::size_t i = 0; i < values.size(); ++i) io.field(offset + i * width, values[i]);
}

// Fixed-size UTF-16 text slots, one after another.
template <class Io, class Slots>
void visitTextSlots(Io& io, std::size_t offset, Slots& slots) {
  const std::size_t slotBytes = slots[0].size() * 2;
  for (std::size_t i = 0; i < slots.size(); ++i) visitArray(io, offset + i * slotBytes, 2, slots[i]);
}

template <class Io, class General>
void visitGeneral(Io& io, General& g) {
  io.setBase(kGeneralOffset);
  io.field(0, g.tempo);
  io.field(4, g.volume);
  io.field(8, g.melodyQuantizeResolution);
  io.field(12, g.melodyQuantizeTarget);
  io.field(16, g.drumsQuantizeResolution);
  io.field(20, g.drumsQuantizeTarget);
  io.field(24, g.language);
  io.field(32, g.melodyQuantizeStrength);
  io.field(40, g.drumsQuantizeStrength);
  io.field(48, g.melodyShuffleStrength);
  io.field(56, g.drumsShuffleStrength);
}

template <class Io, class Window>
void visitWindow(Io& io, Window& w) {
  io.setBase(kWindowOffset);
  io.field(0, w.drumsBandShown);
  io.field(4, w.left);
  io.field(8, w.top);
  io.field(12, w.width);
  io.field(16, w.height);
  visitTextSlots(io, kFoldersAt, w.folders);
}

template <class Io, class Parts>
void visitParts(Io& io, Parts& p) {
  io.setBase(kPartsOffset);
  io.field(0, p.editPart);
  io.field(4, p.playSelectedPartOnly);
  io.field(8, p.playStrictLines);
  visitArray(io, kInstrumentsAt, 4, p.instruments);
}

template <class Io, class Drums>
void visitDrums(Io& io, Drums& d) {
  io.setBase(kDrumsOffset);
  io.field(0, d.drumSet);
  io.field(4, d.drumVelocity);
  visitArray(io, kDrumKeysAt, 4, d.drumKeys);
  io.field(kNoteOffAt, d.enableNoteOff);
}

// Counter NN and Generator NN share one shape: a kind, then the quantize
// rates, then as many shuffle rates.
template <class Io, class Rates>
void visitRates(Io& io, std::size_t base, Rates& r) {
  io.setBase(base);
  io.field(0, r.kind);
  visitArray(io, kRatesAt, 8, r.quantizeRate);
  visitArray(io, kRatesAt + r.quantizeRate.size() * 8, 8, r.shuffleRate);
}

template <class Io, class Lists>
void visitAiTypes(Io& io, Lists& lists) {
  for (std::size_t l = 0; l < lists.size(); ++l) {
    io.setBase(kAiTypesOffset + l * kAiTypeListSize);
    io.field(0, lists[l].selected);
    io.field(4, lists[l].count);
    visitTextSlots(io, kAiEntriesAt, lists[l].entries);
  }
}

template <class Io, class AnySettings>
void visitSettings(Io& io, AnySettings& s) {
  visitGeneral(io, s.general);
  visitWindow(io, s.window);
  visitParts(io, s.parts);
  visitDrums(io, s.drums);
  io.setBase(kMelodyOffset);
  visitArray(io, 0, 4, s.melody.values);
  io.setBase(kFileOffset);
  visitArray(io, 0, 4, s.file.options);
  visitRates(io, kCounterNnOffset, s.counterNn);
  visitRates(io, kGeneratorNnOffset, s.generatorNn);
  visitAiTypes(io, s.aiTypes);
}

}  // namespace

std::vector<std::uint8_t> encodeSettingsImage(const Settings& s) {
  std::vector<std::uint8_t> image(kSettingsImageSize, 0);
  ImageWriter writer(image);
  visitSettings(writer, s);
  return image;
}

std::optional<Settings> decodeSettingsImage(std::span<const std::uint8_t> image) {
  if (image.size() != kSettingsImageSize) return std::nullopt;
  Settings s;
  ImageReader reader(image);
  visitSettings(reader, s);
  return s;
}

}  // namespace quorvel
