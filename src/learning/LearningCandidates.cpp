#include "learning/LearningCandidates.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "learning/VoiceEstimate.h"

namespace quorvel {

namespace {

constexpr int kMinCandidateNotes = 8;
constexpr double kMaxSingleKeyShare = 80, kMaxRepeatShare = 85, kMaxLeapShare = 20, kMaxSilence = 75,
                 kMaxOverlap = 170;
constexpr int kLeap = 9;  // semitones
constexpr int kMostWanted = 4;
constexpr double kDoublingLimit = 60;
constexpr double kCompatibilityLimit = 76;

struct LineShares {
  double repeated = 0, singleKey = 0, leaps = 0;
};

LineShares sharesOf(const Line& line) {
  LineShares s;
  int repeats = 0, leaps = 0;
  std::map<int, int> perKey;
  for (std::size_t i = 0; i < line.size(); ++i) {
    ++perKey[melodyKey(line[i])];
    if (i == 0) continue;
    const int step = melodyKey(line[i]) - melodyKey(line[i - 1]);
    repeats += step == 0 ? 1 : 0;
    leaps += std::abs(step) >= kLeap ? 1 : 0;
  }
  int most = 0;
  for (const auto& [key, count] : perKey) most = std::max(most, count);
  const double steps = static_cast<double>(line.size() - 1);
  s.repeated = repeats * 100.0 / steps;
  s.singleKey = most * 100.0 / static_cast<double>(line.size());
  s.leaps = leaps * 100.0 / steps;
  return s;
}

// Scores a track, or answers false when it is not learning material.
bool scoreCandidate(const TrackRecord& r, const Line& line, double& score) {
  if (r.noteCount < kMinCandidateNotes || line.size() < 2) return false;
  const LineShares s = sharesOf(line);
  const double silence = (1 - r.soundRate) * 100;
  if (s.singleKey > kMaxSingleKeyShare || s.repeated > kMaxRepeatShare || s.leaps > kMaxLeapShare ||
      silence > kMaxSilence || r.overlap > kMaxOverlap)
    return false;
  score = s.repeated + s.singleKey + s.leaps + silence + r.overlap;
  return true;
}

bool doubles(const std::vector<TrackRecord>& records, int a, int b) {
  const auto over = [&](int x, int y) {
    const auto& d = records[static_cast<std::size_t>(x)].doubling[static_cast<std::size_t>(y)];
    return d && *d > kDoublingLimit;
  };
  return over(a, b) || over(b, a);
}

// Drops the later track of every pair in the list that doubles.
void pruneWithin(std::vector<Candidate>& list, const std::vector<TrackRecord>& records) {
  for (std::size_t i = 0; i < list.size(); ++i)
    for (std::size_t j = list.size(); j-- > i + 1;)
      if (doubles(records, list[i].track, list[j].track)) list.erase(list.begin() + static_cast<std::ptrdiff_t>(j));
}

}  // namespace

Line strictLine(const Line& notes) {
  Line line;
  for (NoteCode c : notes) {
    if (isDrumCode(c)) continue;
    if (!line.empty()) {
      NoteCode& previous = line.back();
      if (noteStart(c) == noteStart(previous)) continue;
      if (noteX(c) < noteEndX(previous)) previous = withMelodyLength(previous, noteStart(c) - noteStart(previous));
    }
    line.push_back(c);
  }
  return line;
}

CandidateLists chooseCandidates(const std::vector<TrackRecord>& records, const std::vector<Line>& tracks) {
  CandidateLists lists;
  const auto order = tracksByMeanPitch(records);
  int remaining = static_cast<int>(order.size());
  for (int t : order) {
    const TrackRecord& r = records[static_cast<std::size_t>(t)];
    Candidate c{t, 0, strictLine(tracks[static_cast<std::size_t>(t)])};
    if (!scoreCandidate(r, c.line, c.score)) {
      --remaining;
      continue;
    }
    const int wanted = std::min(kMostWanted, (remaining + 1) / 2);
    (static_cast<int>(lists.first.size()) < wanted ? lists.first : lists.second).push_back(std::move(c));
  }
  return lists;
}

double compatibility(const Line& a, const Line& b) {
  if (a.empty() && b.empty()) return 100;
  std::size_t i = 0, j = 0;
  int together = 0;
  while (i < a.size() && j < b.size()) {
    if (noteStart(a[i]) < noteStart(b[j])) ++i;
    else if (noteStart(b[j]) < noteStart(a[i])) ++j;
    else together += 2, ++i, ++j;
  }
  return 100 - 100.0 * together / static_cast<double>(a.size() + b.size());
}

CombinationPlan planCombinations(const CandidateLists& lists, const std::vector<TrackRecord>& records) {
  std::vector<Candidate> first = lists.first, second = lists.second;
  pruneWithin(first, records);
  std::erase_if(second, [&](const Candidate& c) {
    return std::any_of(first.begin(), first.end(), [&](const Candidate& a) { return doubles(records, a.track, c.track); });
  });
  pruneWithin(second, records);

  CombinationPlan plan;
  plan.tracks = first;
  plan.tracks.insert(plan.tracks.end(), second.begin(), second.end());
  plan.widest = std::min(static_cast<int>(plan.tracks.size()), kMostWanted);
  for (std::size_t i = 0; i < first.size(); ++i) plan.files.push_back({i, 1});
  for (std::size_t n = 2; n <= static_cast<std::size_t>(kMostWanted); ++n) {
    for (std::size_t i = 0; i < first.size() && i + n <= plan.tracks.size(); ++i) {
      double sum = 0;
      for (std::size_t t = i; t + 1 < i + n; ++t) sum += compatibility(plan.tracks[t].line, plan.tracks[t + 1].line);
      if (sum / static_cast<double>(n - 1) < kCompatibilityLimit) plan.files.push_back({i, n});
    }
  }
  return plan;
}

}  // namespace quorvel
