#include "settings/SettingsImage.h"

#include <gtest/gtest.h>

#include <bit>

#include "settings/Utf16.h"

namespace quorvel {
namespace {

std::uint32_t u32At(const std::vector<std::uint8_t>& image, std::size_t offset) {
  return static_cast<std::uint32_t>(image[offset]) | static_cast<std::uint32_t>(image[offset + 1]) << 8 |
         static_cast<std::uint32_t>(image[offset + 2]) << 16 | static_cast<std::uint32_t>(image[offset + 3]) << 24;
}

double doubleAt(const std::vector<std::uint8_t>& image, std::size_t offset) {
  const std::uint64_t bits = u32At(image, offset) | static_cast<std::uint64_t>(u32At(image, offset + 4)) << 32;
  return std::bit_cast<double>(bits);
}

// A record whose every named field differs from its default.
Settings distinctiveSettings() {
  Settings s;
  s.general = {200, 90, 3, 9, 1, 0, 1, 0, 0.25, 0.5, 0.75, 1.0};
  s.window.drumsBandShown = 0;
  s.window.left = -1200;
  s.window.top = 33;
  s.window.width = 1024;
  s.window.height = 700;
  storeSlotText(s.window.folders[0], "/home/u/midi/");
  storeSlotText(s.window.folders[9], "/tmp/ü/");
  s.parts = {1, 10, 10, {0, 1, 2, 127}};
  s.drums = {5, 64, {27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 87}, 10};
  for (int i = 0; i < kMelodySettingCount; ++i) s.melody[i] = 100 + i;
  s.file.options = {10, 0, 10, 10, 10, 10, 10, 10};
  s.counterNn.kind = 6;
  for (int i = 0; i < 6; ++i) {
    s.counterNn.quantizeRate[static_cast<std::size_t>(i)] = 0.1 * i;
    s.counterNn.shuffleRate[static_cast<std::size_t>(i)] = 0.5 + 0.01 * i;
  }
  s.generatorNn = {3, {0.3, 0.4, 0.5}, {0.6, 0.7, 0.8}};
  for (int l = 0; l < kAiTypeLists; ++l) {
    s.aiTypes[static_cast<std::size_t>(l)].selected = l;
    s.aiTypes[static_cast<std::size_t>(l)].count = l + 2;
    storeSlotText(s.aiTypes[static_cast<std::size_t>(l)].entries[1], "7_jazz");
  }
  storeSlotText(s.aiTypes[5].entries[127], "last");
  return s;
}

TEST(SettingsImage, NamedFieldsLandAtDocumentedOffsetsLittleEndian) {
  const auto image = encodeSettingsImage(distinctiveSettings());
  // General
  EXPECT_EQ(u32At(image, 0), 200u);
  EXPECT_EQ(u32At(image, 8), 3u);
  EXPECT_EQ(u32At(image, 12), 9u);
  EXPECT_EQ(u32At(image, 16), 1u);
  EXPECT_EQ(u32At(image, 24), 1u);
  EXPECT_DOUBLE_EQ(doubleAt(image, 32), 0.25);
  EXPECT_DOUBLE_EQ(doubleAt(image, 56), 1.0);
  // Window: a negative left is stored as two's complement, low byte first
  EXPECT_EQ(u32At(image, 120), 0u);
  EXPECT_EQ(u32At(image, 124), static_cast<std::uint32_t>(-1200));
  EXPECT_EQ(image[124], 0x50);
  EXPECT_EQ(u32At(image, 132), 1024u);
  EXPECT_EQ(image[140], '/');
  EXPECT_EQ(image[141], 0);
  const std::size_t folder9 = 120 + 20 + 9 * 1040;
  EXPECT_EQ(image[folder9 + 10], 0xFC);  // 'ü' as UTF-16LE
  EXPECT_EQ(image[folder9 + 11], 0x00);
  // Parts, Drums
  EXPECT_EQ(u32At(image, 11128), 1u);
  EXPECT_EQ(u32At(image, 11128 + 4), 10u);
  EXPECT_EQ(u32At(image, 11128 + 24), 127u);
  EXPECT_EQ(u32At(image, 11208), 5u);
  EXPECT_EQ(u32At(image, 11208 + 4), 64u);
  EXPECT_EQ(u32At(image, 11208 + 52), 87u);
  EXPECT_EQ(u32At(image, 11208 + 56), 10u);
  // Melody, File
  EXPECT_EQ(u32At(image, 11320 + 48), 112u);
  EXPECT_EQ(u32At(image, 11424), 10u);
  EXPECT_EQ(u32At(image, 11424 + 4), 0u);
  EXPECT_EQ(u32At(image, 11424 + 28), 10u);
  // Counter NN: kind, padding, six quantize rates, six shuffle rates
  EXPECT_EQ(u32At(image, 11512), 6u);
  EXPECT_DOUBLE_EQ(doubleAt(image, 11512 + 8 + 5 * 8), 0.5);
  EXPECT_DOUBLE_EQ(doubleAt(image, 11512 + 56 + 5 * 8), 0.55);
  // Generator NN
  EXPECT_EQ(u32At(image, 11616), 3u);
  EXPECT_DOUBLE_EQ(doubleAt(image, 11616 + 8), 0.3);
  EXPECT_DOUBLE_EQ(doubleAt(image, 11616 + 32 + 16), 0.8);
  // AI types: list 4 starts at 11672 + 4 * 16392
  const std::size_t list4 = 11672 + 4 * 16392;
  EXPECT_EQ(u32At(image, list4), 4u);
  EXPECT_EQ(u32At(image, list4 + 4), 6u);
  EXPECT_EQ(image[list4 + 8 + 128], '7');
  const std::size_t lastEntry = 11672 + 5 * 16392 + 8 + 127 * 128;
  EXPECT_EQ(image[lastEntry], 'l');
  EXPECT_EQ(lastEntry + 128, 110024u);
}

TEST(SettingsImage, UnnamedBytesAreZero) {
  Settings s = distinctiveSettings();
  s.general.reserved28 = 0x7777;
  const auto image = encodeSettingsImage(s);
  struct Gap {
    std::size_t from, to;
  };
  const Gap gaps[] = {{28, 32},           {64, 120},          {120 + 10420, 11128}, {11128 + 28, 11208},
                      {11208 + 60, 11320}, {11320 + 52, 11424}, {11424 + 32, 11512},  {11512 + 4, 11512 + 8},
                      {11616 + 4, 11616 + 8}};
  for (const Gap& g : gaps)
    for (std::size_t i = g.from; i < g.to; ++i) ASSERT_EQ(image[i], 0) << "offset " << i;
}

TEST(SettingsImage, RoundTripKeepsEveryField) {
  const Settings original = distinctiveSettings();
  const auto image = encodeSettingsImage(original);
  const auto decoded = decodeSettingsImage(image);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(encodeSettingsImage(*decoded), image);
  EXPECT_EQ(decoded->counterNn.shuffleRate, original.counterNn.shuffleRate);
  EXPECT_EQ(slotText(decoded->window.folders[9]), "/tmp/ü/");
  EXPECT_EQ(slotText(decoded->aiTypes[5].entries[127]), "last");
}

TEST(SettingsImage, ImageOfAnyOtherSizeIsRefused) {
  auto image = encodeSettingsImage(Settings{});
  image.push_back(0);
  EXPECT_FALSE(decodeSettingsImage(image).has_value());
  image.resize(110023);
  EXPECT_FALSE(decodeSettingsImage(image).has_value());
  EXPECT_FALSE(decodeSettingsImage({}).has_value());
}

}  // namespace
}  // namespace quorvel
