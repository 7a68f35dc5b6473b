// Feeds arbitrary bytes to the settings-image decoder and applies what it
// accepts, as start-up does with a stored Quorvel.ini. An input of the image's
// size is the whole image; a shorter one replaces the leading bytes of a
// default image, so the search can dwell on the small blocks before the AI
// types. An accepted image must encode and decode again to the same bytes.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "model/Score.h"
#include "settings/SettingsApply.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsImage.h"

namespace {

class SilentListener : public quorvel::SettingsListener {
 public:
  void playerSettingsChanged() override {}
  void playPartChosen(int) override {}
  void programChange(int, int) override {}
  void stopPlayback() override {}
  void partSelected(int) override {}
  void drumSetSelected(int) override {}
};

std::vector<std::uint8_t> imageFrom(const std::uint8_t* data, std::size_t size,
                                    const std::vector<std::uint8_t>& defaults) {
  if (size >= defaults.size()) return {data, data + size};
  std::vector<std::uint8_t> image = defaults;
  std::copy(data, data + size, image.begin());
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvel;
  static SilentListener listener;
  static auto score = std::make_unique<Score>();
  static const std::vector<std::uint8_t> defaults = [] {
    restoreAllDefaults(*score, listener);
    return encodeSettingsImage(score->settings);
  }();
  static constexpr std::array<ScreenRect, 2> workAreas{ScreenRect{0, 0, 1920, 1080},
                                                       ScreenRect{1920, 0, 1280, 1024}};

  auto stored = decodeSettingsImage(imageFrom(data, size, defaults));
  if (!stored) return 0;
  const auto image = encodeSettingsImage(*stored);
  const auto again = decodeSettingsImage(image);
  if (!again || encodeSettingsImage(*again) != image) __builtin_trap();

  Score& s = *score;
  applyGeneral(s, stored->general, listener);
  applyWindow(s, stored->window, workAreas);
  applyMelody(s, stored->melody);
  applyParts(s, stored->parts, listener);
  applyDrums(s, stored->drums, listener);
  applyFile(s, stored->file);
  applyCounterNn(s, stored->counterNn);
  applyGeneratorNn(s, stored->generatorNn);
  applyAiTypes(s, stored->aiTypes);
  if (encodeSettingsImage(s.settings).size() != kSettingsImageSize) __builtin_trap();
  return 0;
}
