#include "notation/NotationLayout.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <set>

#include "model/Score.h"
#include "notation/NoteValues.h"

namespace quorvel::notation {

namespace {

constexpr int kDrumChannel = 10;

struct Member {
  int set;
  int instrumentIndex;  // into PartSettings::instruments, Soprano first
};

struct StaffPlan {
  const char* name;
  Clef clef;
  std::vector<Member> members;
};

const std::vector<StaffPlan>& plansFor(int staves) {
  static const std::vector<StaffPlan> kFour{{"Soprano", Clef::Treble, {{kSopranoSet, 0}}},
                                           {"Alto", Clef::Treble, {{kAltoSet, 1}}},
                                           {"Tenor", Clef::TrebleOctaveDown, {{kTenorSet, 2}}},
                                           {"Bass", Clef::Bass, {{kBassSet, 3}}}};
  static const std::vector<StaffPlan> kTwo{{"Soprano, Alto", Clef::Treble, {{kSopranoSet, 0}, {kAltoSet, 1}}},
                                          {"Tenor, Bass", Clef::Bass, {{kTenorSet, 2}, {kBassSet, 3}}}};
  return staves == 2 ? kTwo : kFour;
}

// The steps before the song's start lie outside the song and are not notated.
std::vector<PartNote> melodyNotes(const NoteSet& set) {
  std::vector<PartNote> notes;
  for (NoteCode c : set)
    if (!isDrumCode(c) && noteStart(c) >= kSongStartStep)
      notes.push_back({noteStart(c) - kSongStartStep, melodyKey(c), melodyLength(c)});
  return notes;
}

std::vector<PartNote> drumNotes(const Score& s) {
  std::vector<PartNote> notes;
  for (NoteCode c : s.noteSets[kDrumsView]) {
    const int lane = drumRow(c);
    if (!isDrumCode(c) || noteStart(c) < kSongStartStep || lane < 1 || lane > 12) continue;
    const int key = s.settings.drums.drumKeys[static_cast<std::size_t>(lane - 1)] & 0x7F;
    notes.push_back({noteStart(c) - kSongStartStep, key, drumLength(c)});
  }
  return notes;
}

int endOf(const std::vector<PartNote>& notes) {
  int end = 0;
  for (const PartNote& n : notes) end = std::max(end, n.start + n.length);
  return end;
}

// Each member's first voice is written out with its rests; voices opened by
// overlapping notes follow and leave their silences unwritten.
std::vector<NotatedLine> linesOf(const std::vector<std::vector<Voice>>& memberVoices, int measureCount) {
  std::vector<NotatedLine> lines;
  for (const auto& voices : memberVoices) {
    const Voice first = voices.empty() ? Voice{} : voices.front();
    lines.push_back({static_cast<int>(lines.size()) + 1, piecesByMeasure(first, measureCount, true)});
  }
  for (const auto& voices : memberVoices)
    for (std::size_t v = 1; v < voices.size(); ++v)
      lines.push_back({static_cast<int>(lines.size()) + 1, piecesByMeasure(voices[v], measureCount, false)});
  return lines;
}

}  // namespace

NotationLayout layoutOf(const Score& s, const NotationOptions& options) {
  NotationLayout layout;
  layout.title = options.title;
  layout.tempo = s.settings.general.tempo > 0 ? s.settings.general.tempo : 120;
  layout.key = keySignatureOf(s.settings.melody[kKeyNote], s.settings.melody[kMode]);

  std::array<std::vector<PartNote>, 4> parts;
  std::vector<PartNote> drums;
  {
    std::lock_guard lock(s.noteMutex);
    for (int set = kBassSet; set <= kSopranoSet; ++set)
      parts[static_cast<std::size_t>(set)] = melodyNotes(s.noteSets[static_cast<std::size_t>(set)]);
    drums = drumNotes(s);
  }
  int end = endOf(drums);
  for (const auto& notes : parts) end = std::max(end, endOf(notes));
  layout.measureCount = std::max(1, (end + kStepsPerMeasure - 1) / kStepsPerMeasure);

  for (const StaffPlan& plan : plansFor(options.staves)) {
    std::vector<std::vector<Voice>> memberVoices;
    for (const Member& m : plan.members) memberVoices.push_back(voicesOf(parts[static_cast<std::size_t>(m.set)]));
    const Member& first = plan.members.front();
    Staff staff{plan.name, plan.clef, first.instrumentIndex + 1,
                (s.settings.parts.instruments[static_cast<std::size_t>(first.instrumentIndex)] & 0x7F) + 1,
                false, {}, linesOf(memberVoices, layout.measureCount)};
    layout.staves.push_back(std::move(staff));
  }
  if (!drums.empty()) {
    std::set<int> keys;
    for (const PartNote& n : drums) keys.insert(n.key);
    Staff staff{"Drums", Clef::Percussion, kDrumChannel, 1, true, {keys.begin(), keys.end()},
                linesOf({{strokesOf(drums)}}, layout.measureCount)};
    layout.staves.push_back(std::move(staff));
  }
  return layout;
}

}  // namespace quorvel::notation
