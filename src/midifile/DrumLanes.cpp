#include "midifile/DrumLanes.h"

#include <array>
#include <cstdint>

namespace quorvel {

namespace {

constexpr std::array<std::uint8_t, 128> buildLaneTable() {
  struct Entry {
    int lane;
    std::array<int, 11> keys;  // zero-padded
  };
  constexpr Entry kLanes[] = {
      {1, {54, 69, 70, 82}},
      {2, {28, 39, 58}},
      {3, {49, 52, 55, 57}},
      {4, {34, 51, 53, 59, 73, 78, 80, 83, 84}},
      {5, {46, 74, 79, 81}},
      {6, {42, 44}},
      {7, {26, 27, 29, 30, 31, 32, 33, 37, 56, 75, 85}},
      {8, {48, 50, 60, 62, 63, 65, 67, 71, 76}},
      {9, {45, 47, 86}},
      {10, {41, 43, 61, 64, 66, 68, 72, 77, 87}},
      {11, {25, 38, 40}},
      {12, {35, 36}},
  };
  std::array<std::uint8_t, 128> table{};
  for (const Entry& e : kLanes)
    for (int key : e.keys)
      if (key != 0) table[static_cast<std::size_t>(key)] = static_cast<std::uint8_t>(e.lane);
  return table;
}

}  // namespace

constexpr std::array<std::uint8_t, 128> kDrumLaneOfKey = buildLaneTable();

}  // namespace quorvel
