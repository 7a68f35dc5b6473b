#include "midifile/TrackAssignment.h"

#include <mutex>
#include <utility>

#include "base/Messages.h"
#include "base/Ui.h"
#include "midifile/FileHead.h"
#include "midifile/MidiReader.h"
#include "model/Score.h"

namespace quorvel {

namespace {

constexpr const char* kAllDrums = "ALL DRUMS";

std::string trackLabel(const ImportedTrack& t) {
  return t.name.empty() ? "Track " + std::to_string(t.trackNumber) : t.name;
}

// Copies codes of one kind from an imported set into a song set and its view.
template <typename Accept, typename Recode>
void copyInto(Score& s, int from, int to, Accept accept, Recode recode) {
  NoteSet& target = setAt(s, to);
  NoteSet& view = setAt(s, viewSetOf(to));
  for (NoteCode c : setAt(s, from)) {
    if (!accept(c)) continue;
    target.insert(target.end(), recode(c));
    view.insert(view.end(), recode(c));
  }
}

void copyVoices(Score& s, const TrackAssignment& model) {
  for (int row = 0; row < TrackAssignment::kVoiceRows; ++row) {
    const int from = model.voiceRows[static_cast<std::size_t>(row)].setIndex;
    if (!model.voiceOn[static_cast<std::size_t>(row)] || from < 0) continue;
    const int part = kSopranoSet - row;
    copyInto(s, from, part, [](NoteCode c) { return !isDrumCode(c); },
             [part](NoteCode c) { return withLowBits(c, part); });
  }
}

void copyDrums(Score& s, const TrackAssignment& model) {
  if (!model.drumsOn) return;
  const auto source = static_cast<std::size_t>(model.drumSource);
  if (source >= model.drumRows.size() || model.drumRows[source].setIndex < 0) return;
  const int from = model.drumRows[source].setIndex;
  for (int level = 0; level < 4; ++level)
    copyInto(s, from, kDrumSet0 + level, [level](NoteCode c) { return isDrumCode(c) && drumLevel(c) == level; },
             [](NoteCode c) { return c; });
}

// The row ("Soprano" 0 .. "Bass" 3) a track named after a part belongs to.
std::optional<std::size_t> partRowOfName(const std::string& name) {
  static constexpr std::array<const char*, TrackAssignment::kVoiceRows> kRowNames{"Soprano", "Alto", "Tenor", "Bass"};
  for (std::size_t row = 0; row < kRowNames.size(); ++row)
    if (name == kRowNames[row]) return row;
  return std::nullopt;
}

// Our own files name their part tracks. Placed by name, a part stays in its
// row when a part above it was empty and so left no track with notes.
bool placeByPartNames(TrackAssignment& model, const ImportResult& imported) {
  std::array<TrackRow, TrackAssignment::kVoiceRows> rows{};
  std::size_t placed = 0;
  for (const ImportedTrack& t : imported.tracks) {
    if (t.drumsOnly()) continue;
    const auto row = partRowOfName(t.name);
    if (!row || rows[*row].setIndex >= 0) return false;
    rows[*row] = {t.name, t.setIndex};
    ++placed;
  }
  if (placed == 0) return false;
  model.voiceRows.clear();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    model.voiceOn[row] = rows[row].setIndex >= 0;
    model.voiceRows.push_back(model.voiceOn[row] ? rows[row] : TrackRow{"", -1});
  }
  return true;
}

}  // namespace

void TrackAssignment::selectVoice(int row) {
  selectedVoice = row >= 0 && row < static_cast<int>(voiceRows.size()) ? row : -1;
  selectedDrum = -1;
}

void TrackAssignment::selectDrum(int row) {
  selectedDrum = row >= 0 && row < static_cast<int>(drumRows.size()) ? row : -1;
  if (selectedDrum >= 0) drumSource = selectedDrum;
  selectedVoice = -1;
}

bool TrackAssignment::moveUp() {
  if (selectedVoice <= 0) return false;
  std::swap(voiceRows[static_cast<std::size_t>(selectedVoice)], voiceRows[static_cast<std::size_t>(selectedVoice - 1)]);
  --selectedVoice;
  return true;
}

bool TrackAssignment::moveDown() {
  if (selectedVoice < 0 || selectedVoice + 1 >= static_cast<int>(voiceRows.size())) return false;
  std::swap(voiceRows[static_cast<std::size_t>(selectedVoice)], voiceRows[static_cast<std::size_t>(selectedVoice + 1)]);
  ++selectedVoice;
  return true;
}

int TrackAssignment::selectedSet() const {
  if (selectedVoice >= 0) return voiceRows[static_cast<std::size_t>(selectedVoice)].setIndex;
  if (selectedDrum >= 0) return drumRows[static_cast<std::size_t>(selectedDrum)].setIndex;
  return -1;
}

TrackAssignment makeTrackAssignment(const ImportResult& imported, int language) {
  TrackAssignment model;
  const std::string none = localized("None", language);
  if (placeByPartNames(model, imported)) {
    for (TrackRow& row : model.voiceRows)
      if (row.setIndex < 0) row.label = none;
  } else {
    for (const ImportedTrack& t : imported.tracks)
      if (!t.drumsOnly()) model.voiceRows.push_back({trackLabel(t), t.setIndex});
    for (std::size_t row = 0; row < TrackAssignment::kVoiceRows; ++row)
      model.voiceOn[row] = row < model.voiceRows.size();
    while (model.voiceRows.size() < TrackAssignment::kVoiceRows) model.voiceRows.push_back({none, -1});
  }

  if (imported.anyDrums) model.drumRows.push_back({kAllDrums, kImportedDrums});
  else model.drumRows.push_back({none, -1});
  model.drumsOn = imported.anyDrums;
  for (const ImportedTrack& t : imported.tracks)
    if (t.drumsOnly()) model.drumRows.push_back({trackLabel(t), t.setIndex});
  return model;
}

void applyTrackAssignment(Score& s, Ui& ui, const TrackAssignment& model, const ImportResult& imported,
                          const std::string& path) {
  clearAll(s, ui);
  {
    std::lock_guard lock(s.noteMutex);
    copyVoices(s, model);
    copyDrums(s, model);
  }
  discardImport(s);
  markSaved(s, path, localized("Read.", s.settings.general.language), ui);
  clipToTimeline(s);
  ui.redraw(RedrawTarget::All);
  takeFileHead(s, imported.info);
}

void discardImport(Score& s) {
  std::lock_guard lock(s.noteMutex);
  for (int i = kImportedDrums; i <= kImportedTrackFirst; ++i) setAt(s, i).clear();
  s.trackInfo = {};
}

}  // namespace quorvel
