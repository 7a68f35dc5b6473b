#include "tools/VoiceLeading.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "model/Score.h"

namespace quorvel {

namespace {

constexpr int kBeatSteps = 4;
constexpr int kLargeLeap = 9;
constexpr int kTritone = 6;

struct Note {
  int start;
  int end;
  int key;
  NoteCode code;
};

// One part as its notes in time order.
using Line = std::vector<Note>;

Line lineOf(const NoteSet& set) {
  Line line;
  for (NoteCode c : set)
    if (!isDrumCode(c)) line.push_back({noteStart(c), noteStart(c) + melodyLength(c), melodyKey(c), c});
  return line;
}

// The note sounding at a step: the latest-starting one that still sounds; -1 in a rest.
int soundingAt(const Line& line, int step) {
  auto it = std::upper_bound(line.begin(), line.end(), step, [](int s, const Note& n) { return s < n.start; });
  while (it != line.begin()) {
    --it;
    if (it->end > step) return static_cast<int>(it - line.begin());
    if (step - it->start > kMaxMelodyLength) break;  // no earlier note can reach this far
  }
  return -1;
}

// Two notes of a part are heard as one melodic move when less than a beat of
// rest lies between them; a longer rest begins a new phrase.
bool isMove(const Note& from, const Note& to) { return to.start > from.start && to.start - from.end < kBeatSteps; }

int sign(int v) { return (v > 0) - (v < 0); }
int intervalClass(int a, int b) { return std::abs(a - b) % 12; }
bool isPerfect(int intervalClass) { return intervalClass == 0 || intervalClass == 7; }
bool isSecondOrSeventh(int i) { return i == 1 || i == 2 || i == 10 || i == 11; }

class Checker {
 public:
  Checker(const Score& s, int voices) {
    for (int v = 0; v < voices; ++v) lines_.push_back(lineOf(s.noteSets[static_cast<std::size_t>(kSopranoSet - v)]));
    for (const Line& line : lines_)
      for (const Note& n : line) onsets_.push_back(n.start);
    std::sort(onsets_.begin(), onsets_.end());
    onsets_.erase(std::unique(onsets_.begin(), onsets_.end()), onsets_.end());
    for (int step : onsets_) {
      std::vector<int> row;
      for (const Line& line : lines_) row.push_back(soundingAt(line, step));
      sounding_.push_back(std::move(row));
    }
  }

  std::vector<VoiceFinding> run() {
    for (int v = 0; v < voices(); ++v) melodicRules(v);
    for (int k = 0; k < static_cast<int>(onsets_.size()); ++k) verticalRules(k);
    for (int u = 0; u < voices(); ++u)
      for (int w = u + 1; w < voices(); ++w) motionRules(u, w);
    std::sort(found_.begin(), found_.end(), [](const VoiceFinding& a, const VoiceFinding& b) {
      return std::tie(a.step, a.rule, a.parts) < std::tie(b.step, b.rule, b.parts);
    });
    return std::move(found_);
  }

 private:
  int voices() const { return static_cast<int>(lines_.size()); }
  int lowest() const { return voices() - 1; }
  static int partOf(int voice) { return kSopranoSet - voice; }
  int at(int onset, int voice) const { return sounding_[static_cast<std::size_t>(onset)][static_cast<std::size_t>(voice)]; }
  const Note& note(int voice, int index) const {
    return lines_[static_cast<std::size_t>(voice)][static_cast<std::size_t>(index)];
  }
  int keyAt(int onset, int voice) const { return note(voice, at(onset, voice)).key; }
  bool sounds(int onset, int voice) const { return at(onset, voice) >= 0; }
  bool starts(int onset, int voice) const {
    return sounds(onset, voice) && note(voice, at(onset, voice)).start == onsets_[static_cast<std::size_t>(onset)];
  }
  // Both sound and one of them strikes a note here: a new interval is heard.
  bool struckTogether(int onset, int u, int w) const {
    return sounds(onset, u) && sounds(onset, w) && (starts(onset, u) || starts(onset, w));
  }

  void add(VoiceRule rule, int step, std::vector<int> voices, std::vector<NoteCode> notes) {
    VoiceFinding f{rule, step, {}, std::move(notes)};
    for (int v : voices) f.parts.push_back(partOf(v));
    found_.push_back(std::move(f));
  }
  void addAtOnset(VoiceRule rule, int onset, int u, int w) {
    add(rule, onsets_[static_cast<std::size_t>(onset)], {u, w},
        {note(u, at(onset, u)).code, note(w, at(onset, w)).code});
  }

  void melodicRules(int v) {
    const Line& line = lines_[static_cast<std::size_t>(v)];
    for (std::size_t i = 1; i < line.size(); ++i) {
      const Note& from = line[i - 1];
      const Note& to = line[i];
      if (!isMove(from, to)) continue;
      const int leap = std::abs(to.key - from.key);
      if (leap >= kLargeLeap) add(VoiceRule::kLargeLeap, to.start, {v}, {from.code, to.code});
      if (leap == kTritone) add(VoiceRule::kTritoneLeap, to.start, {v}, {from.code, to.code});
      if (leap == 0 && v == 0) add(VoiceRule::kRepeatedNote, to.start, {v}, {from.code, to.code});
    }
  }

  void verticalRules(int k) {
    crossings(k);
    for (int w = 1; w < voices(); ++w) {
      if (!struckTogether(k, 0, w)) continue;
      const int i = intervalClass(keyAt(k, 0), keyAt(k, w));
      if (isSecondOrSeventh(i)) addAtOnset(VoiceRule::kDissonanceWithMelody, k, 0, w);
      if (keyAt(k, 0) == keyAt(k, w) && !twoVoiceEnding(k)) addAtOnset(VoiceRule::kUnisonWithMelody, k, 0, w);
    }
    for (int u = 0; u < lowest(); ++u)
      if (struckTogether(k, u, lowest()) && intervalClass(keyAt(k, u), keyAt(k, lowest())) == 5)
        addAtOnset(VoiceRule::kFourthAboveBass, k, u, lowest());
  }

  // Two voices may close on a unison.
  bool twoVoiceEnding(int k) const { return voices() == 2 && k + 1 == static_cast<int>(onsets_.size()); }

  // Each sounding voice against the next sounding one below it.
  void crossings(int k) {
    int upper = -1;
    for (int v = 0; v < voices(); ++v) {
      if (!sounds(k, v)) continue;
      if (upper >= 0 && keyAt(k, v) > keyAt(k, upper) && (starts(k, upper) || starts(k, v)))
        addAtOnset(VoiceRule::kVoiceCrossing, k, upper, v);
      upper = v;
    }
  }

  // How far a voice moved from one onset to another (0 when it held or
  // repeated its key); false when a long rest lies between its notes.
  bool motion(int from, int to, int voice, int& move) const {
    const int a = at(from, voice), b = at(to, voice);
    if (a == b) {
      move = 0;
      return true;
    }
    if (!isMove(note(voice, a), note(voice, b))) return false;
    move = note(voice, b).key - note(voice, a).key;
    return true;
  }

  // Consecutive intervals of one pair of voices, at the onsets of either.
  void motionRules(int u, int w) {
    const bool outer = u == 0 && w == lowest();
    int previous = -1;
    for (int k = 0; k < static_cast<int>(onsets_.size()); ++k) {
      if (!starts(k, u) && !starts(k, w)) continue;
      if (previous >= 0) motionBetween(previous, k, u, w, outer);
      previous = k;
    }
  }

  void motionBetween(int from, int to, int u, int w, bool outer) {
    if (!sounds(from, u) || !sounds(from, w) || !sounds(to, u) || !sounds(to, w)) return;
    int moveU = 0, moveW = 0;
    if (!motion(from, to, u, moveU) || !motion(from, to, w, moveW)) return;
    if (moveU == 0 || sign(moveU) != sign(moveW)) return;
    const int before = intervalClass(keyAt(from, u), keyAt(from, w));
    const int now = intervalClass(keyAt(to, u), keyAt(to, w));
    if (!isPerfect(now)) return;
    VoiceRule rule;
    if (before == now)
      rule = now == 7 ? VoiceRule::kParallelFifths : VoiceRule::kParallelOctaves;
    else if (outer)
      rule = VoiceRule::kHiddenPerfect;
    else
      return;
    add(rule, onsets_[static_cast<std::size_t>(to)], {u, w},
        {note(u, at(from, u)).code, note(u, at(to, u)).code, note(w, at(from, w)).code, note(w, at(to, w)).code});
  }

  std::vector<Line> lines_;               // [0] Soprano .. the lowest voice checked
  std::vector<int> onsets_;               // every step where a checked part starts a note
  std::vector<std::vector<int>> sounding_;  // [onset][voice]: the note sounding there, or -1
  std::vector<VoiceFinding> found_;
};

}  // namespace

int voicesInUse(const Score& s) {
  for (int part = kBassSet; part <= kSopranoSet; ++part)
    if (!s.noteSets[static_cast<std::size_t>(part)].empty()) return kSopranoSet - part + 1;
  return 0;
}

std::vector<VoiceFinding> checkVoiceLeading(const Score& s, int voices) {
  return Checker(s, std::clamp(voices, 0, 4)).run();
}

std::array<int, kVoiceRuleCount> countByRule(const std::vector<VoiceFinding>& findings) {
  std::array<int, kVoiceRuleCount> counts{};
  for (const VoiceFinding& f : findings) ++counts[static_cast<std::size_t>(f.rule)];
  return counts;
}

}  // namespace quorvel
