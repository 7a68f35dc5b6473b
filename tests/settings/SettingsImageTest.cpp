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
  for (std::size_t i = 0; i < 6; ++i) {
    s.counterNn.quantizeRate[i] = 0.1 * double(i);
    s.counterNn.shuffleRate[i] = 0.5 + 0.01 * double(i);
  }
  s.generatorNn = {3, {0.3, 0.4, 0.5}, {0.6, 0.7, 0.8}};
  for (int l = 0; l < kAiTypeLists; ++l) {
    AiTypeList& list = s.aiTypes[static_cast<std::size_t>(l)];
    list.selected = l;
    list.count = l + 2;
    storeSlotText(list.entries[1], "7_jazz");
  }
  storeSlotText(s.aiTypes[5].entries[127], "last");
  return s;
}

TEST(SettingsImage, NamedFieldsLandAtDocumentedOffsetsLittleEndian) {
  const auto image = encodeSettingsImage(distinctiveSettings());
  const std::size_t list4 = 11672 + 4 * 16392;  // AI type lists are 16392 bytes each
  const std::pair<std::size_t, std::uint32_t> words[] = {
      {0, 200}, {8, 3}, {12, 9}, {16, 1}, {24, 1},                                    // general
      {120, 0}, {124, static_cast<std::uint32_t>(-1200)}, {132, 1024},                // window
      {11128, 1}, {11128 + 4, 10}, {11128 + 24, 127},                                 // parts
      {11208, 5}, {11208 + 4, 64}, {11208 + 52, 87}, {11208 + 56, 10},                // drums
      {11320 + 48, 112}, {11424, 10}, {11424 + 4, 0}, {11424 + 28, 10},               // melody, file
      {11512, 6}, {11616, 3}, {list4, 4}, {list4 + 4, 6}};                            // nets, AI types
  for (const auto& [offset, value] : words) EXPECT_EQ(u32At(image, offset), value) << "offset " << offset;
  const std::pair<std::size_t, double> doubles[] = {
      {32, 0.25}, {56, 1.0}, {11512 + 8 + 5 * 8, 0.5}, {11512 + 56 + 5 * 8, 0.55}, {11616 + 8, 0.3}, {11616 + 48, 0.8}};
  for (const auto& [offset, value] : doubles) EXPECT_DOUBLE_EQ(doubleAt(image, offset), value) << "offset " << offset;

  const std::size_t folder9 = 120 + 20 + 9 * 1040;
  const std::size_t lastEntry = 11672 + 5 * 16392 + 8 + 127 * 128;
  const std::pair<std::size_t, std::uint8_t> bytes[] = {
      {124, 0x50},  // -1200, low byte first
      {140, '/'}, {141, 0}, {folder9 + 10, 0xFC}, {folder9 + 11, 0},  // UTF-16LE text, 'ü' included
      {list4 + 8 + 128, '7'}, {lastEntry, 'l'}};
  for (const auto& [offset, value] : bytes) EXPECT_EQ(image[offset], value) << "offset " << offset;
  EXPECT_EQ(lastEntry + 128, image.size());
}

TEST(SettingsImage, UnnamedBytesAreZero) {
  Settings s = distinctiveSettings();
  s.general.reserved28 = 0x7777;
  const auto image = encodeSettingsImage(s);
  const std::pair<std::size_t, std::size_t> gaps[] = {
      {28, 32},           {64, 120},          {120 + 10420, 11128}, {11128 + 28, 11208},   {11208 + 60, 11320},
      {11320 + 52, 11424}, {11424 + 32, 11512}, {11512 + 4, 11512 + 8}, {11616 + 4, 11616 + 8}};
  for (const auto& [from, to] : gaps)
    for (std::size_t i = from; i < to; ++i) ASSERT_EQ(image[i], 0) << "offset " << i;
}

TEST(SettingsImage, RoundTripKeepsEveryFieldAndOtherSizesAreRefused) {
  const Settings original = distinctiveSettings();
  auto image = encodeSettingsImage(original);
  const auto decoded = decodeSettingsImage(image);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(encodeSettingsImage(*decoded), image);
  EXPECT_EQ(decoded->counterNn.shuffleRate, original.counterNn.shuffleRate);
  EXPECT_EQ(slotText(decoded->window.folders[9]), "/tmp/ü/");
  EXPECT_EQ(slotText(decoded->aiTypes[5].entries[127]), "last");

  image.push_back(0);
  EXPECT_FALSE(decodeSettingsImage(image).has_value());
  EXPECT_FALSE(decodeSettingsImage({}).has_value());
}

}  // namespace
}  // namespace quorvel
