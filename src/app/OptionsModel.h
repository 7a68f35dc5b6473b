#pragma once
// The Options window without its widgets: what each page holds, the dirty
// mask, "Default", and applying the dirty pages in their order through the
// settings groups' apply operations.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/SettingsRecord.h"
#include "netgen/AiTypes.h"
#include "settings/SettingsDefaults.h"

namespace quorvel {

struct AppContext;
class SettingsListener;

// Dirty-mask bits, one per page.
enum OptionsDirtyBit : int {
  kDirtyGeneral = 1,
  kDirtyMelody = 2,
  kDirtyParts = 4,
  kDirtyDrums = 8,
  kDirtyFile = 16,
  kDirtyCounterNn = 32,
  kDirtyGeneratorNn = 64,
  kDirtyAiType = 128,
};
int dirtyBitOf(int tab);

// Melody length slider, in beats.
inline constexpr int kShortestMelodyBeats = 4;
inline constexpr int kLongestMelodyBeats = 256;
// Rates shown on the NN pages: one pair per kind offered.
inline constexpr int kCounterNnKinds = 3;
inline constexpr int kGeneratorNnKinds = 3;

// The four strength fields of the General page, in validation order.
enum StrengthField : int { kMelodyQuantize, kDrumsQuantize, kMelodyShuffle, kDrumsShuffle, kStrengthFields };

struct RateTexts {
  std::string shuffle;
  std::string quantize;
};

// What the pages show and the user has changed, not yet applied.
struct OptionsEdits {
  GeneralSettings general;
  std::array<std::string, kStrengthFields> strengths;  // "%f" texts
  MelodySettings melody;
  PartSettings parts;
  DrumSettings drums;
  FileSettings file;
  std::array<std::int32_t, kAiTypeLists> aiSelected{};
  std::int32_t counterKind = 0;
  std::array<RateTexts, kCounterNnKinds> counterRates;
  std::int32_t generatorKind = 0;
  std::array<RateTexts, kGeneratorNnKinds> generatorRates;
};

// A decimal 0..1 as typed; nothing for text that is not a number or out of range.
std::optional<double> parseUnitDecimal(const std::string& text);
std::string decimalText(double value);  // "%f"

// "bars: %d, beats: %d" for a melody length in beats.
std::string melodyLengthText(int beats, int language);
// "C5(84)" ... "C1(36)": key note list entry i is key 84 - i.
inline constexpr int kKeyNoteEntries = 49;
std::string keyNoteEntry(int index);
inline constexpr int keyOfKeyNoteEntry(int index) { return 84 - index; }

// The File page's rules: which boxes are enabled, and the two "Read all
// notes as ..." boxes that exclude each other.
bool fileOptionEnabled(const FileSettings& file, FileOption option);
void setFileOption(FileSettings& file, FileOption option, bool checked);

class OptionsModel {
 public:
  OptionsModel(AppContext& app, SettingsListener& listener);

  OptionsEdits& edits() { return edits_; }
  const OptionsEdits& edits() const { return edits_; }
  int dirty() const { return dirty_; }

  // A control of a page changed.
  void touch(int tab) { dirty_ |= dirtyBitOf(tab); }
  // Cancel: every page from the live settings, nothing dirty.
  void reload();
  // "Default": the page shows its group's defaults and is dirty; nothing applied.
  void fillDefaults(int tab);
  // OK and Apply: 0 when every dirty page was applied, -1 when a page refused
  // (its message was shown; the pages before it were applied), -2 when
  // ignored because a generation is running.
  int apply();
  // The "AI Type" page's fill when it is built (force off) and "List Update"
  // (force on): the lists are asked of the server (kept as they were when it
  // does not answer); answers the boxes when they are to be refilled, and the
  // page's choices then follow the refreshed lists.
  std::optional<std::vector<AiTypeBox>> refreshAiTypes(bool force);

 private:
  int applyGeneralPage();
  int applyMelodyPage();
  int applyCounterNnPage();
  int applyGeneratorNnPage();
  int applyPartsPage();
  int applyDrumsPage();
  int applyFilePage();
  int applyAiTypePage();
  int refuseWhileLearning();
  bool applyPage(int bit, int (OptionsModel::*page)());

  AppContext& app_;
  SettingsListener& listener_;
  OptionsEdits edits_;
  int dirty_ = 0;
};

}  // namespace quorvel
