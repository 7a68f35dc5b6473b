#include "app/OptionsModel.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/AppContext.h"
#include "base/Messages.h"
#include "app/DialogTexts.h"
#include "settings/SettingsApply.h"

namespace quorvel {

namespace {

constexpr std::array<int, kOptionsTabCount> kDirtyBits{kDirtyGeneral, kDirtyMelody, kDirtyParts, kDirtyDrums,
                                                       kDirtyFile,    kDirtyAiType, kDirtyCounterNn, kDirtyGeneratorNn};

void loadStrengths(OptionsEdits& e) {
  e.strengths = {decimalText(e.general.melodyQuantizeStrength), decimalText(e.general.drumsQuantizeStrength),
                 decimalText(e.general.melodyShuffleStrength), decimalText(e.general.drumsShuffleStrength)};
}

template <std::size_t N, std::size_t K>
void loadRates(std::array<RateTexts, K>& texts, const std::array<double, N>& shuffle, const std::array<double, N>& quantize) {
  for (std::size_t k = 0; k < K && k < N; ++k) texts[k] = {decimalText(shuffle[k]), decimalText(quantize[k])};
}

// Every rate of a page checked, shuffle before quantize; the values stored
// into the candidate. False after the message was shown.
template <std::size_t N, std::size_t K>
bool readRates(Ui& ui, int language, const std::array<RateTexts, K>& texts, std::array<double, N>& shuffle,
               std::array<double, N>& quantize) {
  for (std::size_t k = 0; k < K && k < N; ++k) {
    const auto s = parseUnitDecimal(texts[k].shuffle);
    if (!s) {
      ui.messageBox(localized("invalid rythm shuffle rate.", language), texts[k].shuffle, MsgIcon::Exclamation,
                    MsgButtons::Ok);
      return false;
    }
    const auto q = parseUnitDecimal(texts[k].quantize);
    if (!q) {
      ui.messageBox(localized("invalid quantize rate.", language), texts[k].quantize, MsgIcon::Exclamation,
                    MsgButtons::Ok);
      return false;
    }
    shuffle[k] = *s;
    quantize[k] = *q;
  }
  return true;
}

}  // namespace

int dirtyBitOf(int tab) { return tab >= 0 && tab < kOptionsTabCount ? kDirtyBits[static_cast<std::size_t>(tab)] : 0; }

std::optional<double> parseUnitDecimal(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (end == begin) return std::nullopt;
  while (*end == ' ') ++end;
  if (*end != '\0' || !(value >= 0.0 && value <= 1.0)) return std::nullopt;
  return value;
}

std::string decimalText(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", value);
  return text;
}

std::string melodyLengthText(int beats, int language) {
  std::string text = dialogText("bars: %d, beats: %d", language);
  const auto fill = [&text](int value) {
    const auto at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(value));
  };
  fill(beats / 4);
  fill(beats % 4);
  return text;
}

std::string keyNoteEntry(int index) {
  static constexpr const char* kNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
  const int key = keyOfKeyNoteEntry(index);
  return std::string(kNames[key % 12]) + std::to_string(key / 12 - 2) + "(" + std::to_string(key) + ")";
}

bool fileOptionEnabled(const FileSettings& file, FileOption option) {
  // The drums and regular reading of a single track make sense only when every file is read as format 0.
  if (option == kReadDrumsTrack || option == kReadAllAsRegular) return file.options[kReadFormat0] != 0;
  return true;
}

void setFileOption(FileSettings& file, FileOption option, bool checked) {
  file.options[static_cast<std::size_t>(option)] = storedSwitch(checked);
  if (!checked) return;
  if (option == kReadAllAsDrums) file.options[kReadAllAsRegular] = 0;
  if (option == kReadAllAsRegular) file.options[kReadAllAsDrums] = 0;
}

OptionsModel::OptionsModel(AppContext& app, SettingsListener& listener) : app_(app), listener_(listener) { reload(); }

void OptionsModel::reload() {
  const Settings& live = app_.score.settings;
  edits_.general = live.general;
  loadStrengths(edits_);
  edits_.melody = live.melody;
  edits_.parts = live.parts;
  edits_.drums = live.drums;
  edits_.file = live.file;
  for (std::size_t i = 0; i < kAiTypeLists; ++i) edits_.aiSelected[i] = live.aiTypes[i].selected;
  edits_.counterKind = live.counterNn.kind;
  loadRates(edits_.counterRates, live.counterNn.shuffleRate, live.counterNn.quantizeRate);
  edits_.generatorKind = live.generatorNn.kind;
  loadRates(edits_.generatorRates, live.generatorNn.shuffleRate, live.generatorNn.quantizeRate);
  dirty_ = 0;
}

void OptionsModel::fillDefaults(int tab) {
  switch (tab) {
    case kTabGeneral:
      edits_.general = defaultGeneralSettings();
      loadStrengths(edits_);
      break;
    case kTabMelody: edits_.melody = MelodySettings{}; break;
    case kTabParts: edits_.parts = PartSettings{}; break;
    case kTabDrums: edits_.drums = DrumSettings{}; break;
    case kTabFile: edits_.file = FileSettings{}; break;
    case kTabAiType: edits_.aiSelected.fill(0); break;
    case kTabCounterNn: {
      const CounterNnSettings d;
      edits_.counterKind = d.kind;
      loadRates(edits_.counterRates, d.shuffleRate, d.quantizeRate);
      break;
    }
    case kTabGeneratorNn: {
      const GeneratorNnSettings d;
      edits_.generatorKind = d.kind;
      loadRates(edits_.generatorRates, d.shuffleRate, d.quantizeRate);
      break;
    }
    default: return;
  }
  touch(tab);
}

// Applies one page when it is dirty; false when it refused (it stays dirty).
bool OptionsModel::applyPage(int bit, int (OptionsModel::*page)()) {
  if (!(dirty_ & bit)) return true;
  if ((this->*page)() != 0) return false;
  dirty_ &= ~bit;
  return true;
}

int OptionsModel::applyGeneralPage() {
  const int language = app_.score.language();
  GeneralSettings candidate = edits_.general;
  std::array<double*, kStrengthFields> fields{&candidate.melodyQuantizeStrength, &candidate.drumsQuantizeStrength,
                                               &candidate.melodyShuffleStrength, &candidate.drumsShuffleStrength};
  for (int f = 0; f < kStrengthFields; ++f) {
    const std::string& text = edits_.strengths[static_cast<std::size_t>(f)];
    const auto value = parseUnitDecimal(text);
    if (!value) {
      const char* message = f <= kDrumsQuantize ? "invalid quantize strength" : "invalid shuffle strength";
      app_.ui.messageBox(localized(message, language), text, MsgIcon::Exclamation, MsgButtons::Ok);
      return -1;
    }
    *fields[static_cast<std::size_t>(f)] = *value;
  }
  if (candidate.language != language) {
    app_.ui.messageBox(localized("You have to restart Quorvel for the changes to take effect.", language), "Quorvel",
                       MsgIcon::None, MsgButtons::Ok);
  }
  return applyGeneral(app_.score, candidate, listener_) == 0 ? 0 : -1;
}

int OptionsModel::applyMelodyPage() {
  applyMelody(app_.score, edits_.melody);
  // The key note moves the keyboards' octave base as well as the melody view.
  app_.ui.redraw(RedrawTarget::All);
  return 0;
}

int OptionsModel::applyCounterNnPage() {
  CounterNnSettings candidate = app_.score.settings.counterNn;
  candidate.kind = edits_.counterKind;
  if (!readRates(app_.ui, app_.score.language(), edits_.counterRates, candidate.shuffleRate, candidate.quantizeRate))
    return -1;
  return applyCounterNn(app_.score, candidate) == 0 ? 0 : -1;
}

int OptionsModel::applyGeneratorNnPage() {
  GeneratorNnSettings candidate = app_.score.settings.generatorNn;
  candidate.kind = edits_.generatorKind;
  if (!readRates(app_.ui, app_.score.language(), edits_.generatorRates, candidate.shuffleRate, candidate.quantizeRate))
    return -1;
  return applyGeneratorNn(app_.score, candidate) == 0 ? 0 : -1;
}

int OptionsModel::applyPartsPage() { return applyParts(app_.score, edits_.parts, listener_) == 0 ? 0 : -1; }

int OptionsModel::applyDrumsPage() { return applyDrums(app_.score, edits_.drums, listener_) == 0 ? 0 : -1; }

int OptionsModel::applyFilePage() { return applyFile(app_.score, edits_.file); }

int OptionsModel::applyAiTypePage() {
  auto candidate = app_.score.settings.aiTypes;
  for (std::size_t i = 0; i < kAiTypeLists; ++i) candidate[i].selected = edits_.aiSelected[i];
  return applyAiTypes(app_.score, candidate);
}

// The rates must not change under a learning run that reads them.
int OptionsModel::refuseWhileLearning() {
  if (!app_.generation.learningRunning.load()) return 0;
  app_.ui.messageBox(localized("Now Learning", app_.score.language()), "Quorvel", MsgIcon::Exclamation, MsgButtons::Ok);
  return -1;
}

std::optional<std::vector<AiTypeBox>> OptionsModel::refreshAiTypes(bool force) {
  if (!app_.remoteClient) return std::nullopt;
  AiTypePageFill fill = fillAiTypePage(*app_.remoteClient, app_.score.settings.aiTypes, force, app_.aiTypesFirstFill);
  if (!fill.refill) return std::nullopt;
  for (const AiTypeBox& box : fill.boxes) edits_.aiSelected[static_cast<std::size_t>(box.listIndex)] = box.selected;
  return std::move(fill.boxes);
}

int OptionsModel::apply() {
  if (app_.busy()) return -2;
  if (app_.ops.resetRemoteAlternatives) app_.ops.resetRemoteAlternatives(app_);
  using Page = int (OptionsModel::*)();
  static constexpr std::pair<int, Page> kApplyOrder[] = {
      {kDirtyGeneral, &OptionsModel::applyGeneralPage},     {kDirtyMelody, &OptionsModel::applyMelodyPage},
      {kDirtyParts, &OptionsModel::applyPartsPage},     {kDirtyDrums, &OptionsModel::applyDrumsPage},
      {kDirtyFile, &OptionsModel::applyFilePage},       {kDirtyAiType, &OptionsModel::applyAiTypePage},
      {kDirtyCounterNn, &OptionsModel::applyCounterNnPage}, {kDirtyGeneratorNn, &OptionsModel::applyGeneratorNnPage},
  };
  for (const auto& [bit, page] : kApplyOrder) {
    if (bit == kDirtyCounterNn && (dirty_ & (kDirtyCounterNn | kDirtyGeneratorNn)) && refuseWhileLearning() != 0)
      return -1;
    if (!applyPage(bit, page)) return -1;
  }
  return 0;
}

}  // namespace quorvel
