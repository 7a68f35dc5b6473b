#pragma once
// The library of drum grooves that the local drums generation draws from:
// 294 patterns of 64 sixteenth-note steps, one 32-bit word per step. Bit 31 - r
// is an accented hit and bit 19 - r a normal hit on drum lane r + 1
// (r = 0..11); the all-ones word ends a pattern early.
//
// The grooves live in a text file that a drummer can edit (data/drums/patterns.txt);
// it is read and checked once at start.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

inline constexpr int kDrumPatternCount = 294;
inline constexpr int kDrumPatternSteps = 64;
inline constexpr int kDrumLanes = 12;
inline constexpr std::uint32_t kPatternEndWord = 0xFFFFFFFFu;

using DrumPattern = std::array<std::uint32_t, kDrumPatternSteps>;

struct DrumLibrary {
  std::vector<DrumPattern> patterns;
};

// Word bits of one hit; lane is 1..12.
constexpr std::uint32_t accentBit(int lane) { return 1u << (32 - lane); }
constexpr std::uint32_t hitBit(int lane) { return 1u << (20 - lane); }

// Reads the pattern text into `library`. Answers 0, or -1 with `error` saying
// which line is wrong and why; `library` is left unchanged on failure.
int parseDrumLibrary(const std::string& text, const std::string& sourceName, DrumLibrary& library,
                     std::string& error);
int loadDrumLibrary(const std::filesystem::path& file, DrumLibrary& library, std::string& error);

// Where the pattern file is: ../share/quorvel/drums/patterns.txt from the
// program's folder, in the build tree as under an install prefix. Answers an
// empty path when it is not there.
std::filesystem::path findDrumLibrary(const std::filesystem::path& executableDir);

}  // namespace quorvel
