#pragma once
// The settings groups, laid out exactly as they are stored in Quorvel.ini
// (little-endian, nine blocks one after another, 110024 bytes in all).
#include <array>
#include <cstdint>

namespace quorvel {

// A stored switch holds 10 when on and 0 when off; code reads and writes it
// only through these two.
inline constexpr std::int32_t kSwitchOn = 10, kSwitchOff = 0;
constexpr bool switchOn(std::int32_t stored) { return stored == kSwitchOn; }
constexpr std::int32_t storedSwitch(bool on) { return on ? kSwitchOn : kSwitchOff; }

inline constexpr int kFolderSlots = 10;
inline constexpr int kPathChars = 520;
using FolderPath = std::array<char16_t, kPathChars>;  // zero-terminated

// A remembered folder that has not been chosen yet: the working folder.
constexpr FolderPath defaultFolderPath() {
  FolderPath p{};
  p[0] = u'.';
  p[1] = u'/';
  return p;
}

constexpr std::array<FolderPath, kFolderSlots> defaultFolders() {
  std::array<FolderPath, kFolderSlots> all{};
  for (FolderPath& p : all) p = defaultFolderPath();
  return all;
}

struct GeneralSettings {  // block 1, 120 bytes
  std::int32_t tempo = 120;
  std::int32_t volume = 100;
  std::int32_t melodyQuantizeResolution = 0;  // "1/8", "1/4", "1/2", "1/1"
  std::int32_t melodyQuantizeTarget = 0;      // "Grid", "Highest Part", ... "Drums"
  std::int32_t drumsQuantizeResolution = 0;   // "1/8", "1/4"
  std::int32_t drumsQuantizeTarget = 0;       // "Grid"
  std::int32_t language = 0;                  // 0 English, 1 Japanese
  std::int32_t reserved28 = 0;
  double melodyQuantizeStrength = 0.0;
  double drumsQuantizeStrength = 0.0;
  double melodyShuffleStrength = 0.0;
  double drumsShuffleStrength = 0.0;
};

struct WindowSettings {  // block 2, 11008 bytes
  std::int32_t drumsBandShown = kSwitchOn;
  std::int32_t left = 250;
  std::int32_t top = 240;
  std::int32_t width = 800;
  std::int32_t height = 588;
  std::array<FolderPath, kFolderSlots> folders = defaultFolders();
};

struct PartSettings {  // block 3, 80 bytes
  std::int32_t editPart = 3;
  std::int32_t playSelectedPartOnly = 0;  // 10 = on
  std::int32_t playStrictLines = 0;       // 10 = on
  std::array<std::int32_t, 4> instruments{94, 53, 88, 33};  // Soprano, Alto, Tenor, Bass
};

struct DrumSettings {  // block 4, 112 bytes
  std::int32_t drumSet = 7;
  std::int32_t drumVelocity = 127;
  std::array<std::int32_t, 12> drumKeys{54, 39, 49, 51, 46, 42, 37, 50, 47, 43, 38, 36};
  std::int32_t enableNoteOff = 0;  // 10 = on
};

// The generation settings; indices name the thirteen values.
enum MelodySetting : int {
  kKeyNote = 0,
  kMode = 1,
  kMelodyLength = 2,
  kEvokedLines = 3,
  kNnMelody = 4,
  kExtendExisting = 5,
  kBetweenLocators = 6,
  kDrumsAfterEvoked = 7,
  kNnDrumsEvoked = 8,
  kLoopMelodyLength = 9,
  kDrumsAfterCounter = 10,
  kNnDrumsCounter = 11,
  kCounterLines = 12,
  kMelodySettingCount = 13
};

struct MelodySettings {  // block 5, 104 bytes
  std::array<std::int32_t, kMelodySettingCount> values{72, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::int32_t& operator[](int i) { return values[static_cast<std::size_t>(i)]; }
  std::int32_t operator[](int i) const { return values[static_cast<std::size_t>(i)]; }
  bool isOn(int i) const { return switchOn((*this)[i]); }
};

enum FileOption : int {
  kReadFormat0 = 0,         // "Always read as format 0."
  kReadDrumsTrack = 1,      // "Read drums track."
  kRemoveDuplicates = 2,    // "Remove duplicate notes."
  kWriteFormat0 = 3,        // "Always write as fotmat 0."
  kExportStrictLines = 4,   // "Export strict lines(Remove overlaps in each part)."
  kExportDrums = 5,         // "Export drums."
  kReadAllAsDrums = 6,      // "Read all notes as drums track."
  kReadAllAsRegular = 7,    // "Read all notes as regular track."
  kFileOptionCount = 8
};

struct FileSettings {  // block 6, 88 bytes
  // "Export drums." starts on, so that a first save keeps the drums; a stored
  // file keeps its own value.
  std::array<std::int32_t, kFileOptionCount> options{0, kSwitchOn, 0, 0, 0, kSwitchOn, 0, 0};
  // The export options count as on only when exactly 10; the others when non-zero.
  bool isOn(FileOption o) const {
    const auto v = options[static_cast<std::size_t>(o)];
    return (o == kExportStrictLines || o == kExportDrums) ? switchOn(v) : v != 0;
  }
};

struct CounterNnSettings {  // block 7, 104 bytes
  std::int32_t kind = 0;  // 0..6
  std::array<double, 6> quantizeRate{0.05, 0.05, 0.05, 0.05, 0.05, 0.05};
  std::array<double, 6> shuffleRate{0.24, 0.24, 0.24, 0.24, 0.24, 0.24};
};

struct GeneratorNnSettings {  // block 8, 56 bytes
  std::int32_t kind = 0;  // 0..3
  std::array<double, 3> quantizeRate{0.05, 0.05, 0.05};
  std::array<double, 3> shuffleRate{0.24, 0.24, 0.24};
};

inline constexpr int kAiTypeEntries = 128;
inline constexpr int kAiTypeEntryChars = 64;
inline constexpr int kAiTypeLists = 6;

struct AiTypeList {  // 16392 bytes each, six in block 9
  std::int32_t selected = 0;
  std::int32_t count = 0;
  std::array<std::array<char16_t, kAiTypeEntryChars>, kAiTypeEntries> entries{};
};

struct Settings {
  GeneralSettings general;
  WindowSettings window;
  PartSettings parts;
  DrumSettings drums;
  MelodySettings melody;
  FileSettings file;
  CounterNnSettings counterNn;
  GeneratorNnSettings generatorNn;
  std::array<AiTypeList, kAiTypeLists> aiTypes{};
};

// Offsets and sizes of the blocks in the file image.
inline constexpr std::size_t kGeneralOffset = 0, kGeneralSize = 120;
inline constexpr std::size_t kWindowOffset = 120, kWindowSize = 11008;
inline constexpr std::size_t kPartsOffset = 11128, kPartsSize = 80;
inline constexpr std::size_t kDrumsOffset = 11208, kDrumsSize = 112;
inline constexpr std::size_t kMelodyOffset = 11320, kMelodySize = 104;
inline constexpr std::size_t kFileOffset = 11424, kFileSize = 88;
inline constexpr std::size_t kCounterNnOffset = 11512, kCounterNnSize = 104;
inline constexpr std::size_t kGeneratorNnOffset = 11616, kGeneratorNnSize = 56;
inline constexpr std::size_t kAiTypesOffset = 11672, kAiTypeListSize = 16392;
inline constexpr std::size_t kSettingsImageSize = 110024;

}  // namespace quorvel
