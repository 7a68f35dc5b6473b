#include "learning/VoiceEstimate.h"

#include <algorithm>
#include <numeric>

namespace quorvel {

namespace {

constexpr double kChordalOverlap = 15.0;
constexpr double kDoublingShare = 60.0;
constexpr double kThinShare = 0.25;
constexpr int kVoices = 4;

template <typename Key>
std::vector<int> tracksByDescending(const std::vector<TrackRecord>& records, Key key) {
  std::vector<int> order;
  for (int t = static_cast<int>(records.size()) - 1; t >= 0; --t)
    if (!records[static_cast<std::size_t>(t)].empty) order.push_back(t);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return key(records[static_cast<std::size_t>(a)]) > key(records[static_cast<std::size_t>(b)]);
  });
  return order;
}

unsigned highestFlag(unsigned flags) {
  for (unsigned bit : {kThinFlag, kDoublingFlag, kChordalFlag})
    if (flags & bit) return bit;
  return 0;
}

class Flagger {
 public:
  explicit Flagger(std::vector<TrackRecord>& records) : records_(records) {
    for (const TrackRecord& r : records) unflagged_ += r.empty ? 0 : 1;
  }
  void flag(int track, unsigned bit) {
    TrackRecord& r = records_[static_cast<std::size_t>(track)];
    if (r.flags == 0 && unflagged_ > 0) --unflagged_;
    r.flags |= bit;
  }
  int unflagged() const { return unflagged_; }

 private:
  std::vector<TrackRecord>& records_;
  int unflagged_ = 0;
};

struct DoublingEntry {
  int i, j;
  double value;
};

// All doubling values, largest first; among equal values the later entry first.
std::vector<DoublingEntry> doublingsByValue(const std::vector<TrackRecord>& records) {
  std::vector<DoublingEntry> entries;
  for (std::size_t i = 0; i < records.size(); ++i)
    for (std::size_t j = 0; j < records.size(); ++j)
      if (const auto& d = records[i].doubling[j]) entries.push_back({static_cast<int>(i), static_cast<int>(j), *d});
  std::reverse(entries.begin(), entries.end());
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.value > b.value; });
  return entries;
}

void flagChordal(std::vector<TrackRecord>& records, Flagger& flagger) {
  for (int t : tracksByDescending(records, [](const TrackRecord& r) { return r.overlap; }))
    if (records[static_cast<std::size_t>(t)].overlap > kChordalOverlap) flagger.flag(t, kChordalFlag);
}

void flagDoubling(std::vector<TrackRecord>& records, Flagger& flagger) {
  for (const DoublingEntry& e : doublingsByValue(records)) {
    if (e.value <= kDoublingShare) break;
    const TrackRecord& a = records[static_cast<std::size_t>(e.i)];
    const TrackRecord& b = records[static_cast<std::size_t>(e.j)];
    if (a.flags != 0 || b.flags != 0) continue;
    // The lighter track; on equal weights the later one.
    flagger.flag(b.weight > a.weight ? e.i : a.weight > b.weight ? e.j : std::max(e.i, e.j), kDoublingFlag);
  }
}

void flagThin(std::vector<TrackRecord>& records, Flagger& flagger) {
  if (flagger.unflagged() == 0) return;  // no unflagged track to measure against
  double sum = 0;
  for (const TrackRecord& r : records)
    if (!r.empty && r.flags == 0) sum += r.weight;
  const double mean = sum / flagger.unflagged();
  const auto order = tracksByWeight(records);
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    if (records[static_cast<std::size_t>(*it)].weight >= kThinShare * mean) break;
    flagger.flag(*it, kThinFlag);
  }
}

}  // namespace

std::vector<int> tracksByWeight(const std::vector<TrackRecord>& records) {
  return tracksByDescending(records, [](const TrackRecord& r) { return r.weight; });
}

std::vector<int> tracksByMeanPitch(const std::vector<TrackRecord>& records) {
  return tracksByDescending(records, [](const TrackRecord& r) { return r.meanPitch; });
}

void flagTracks(std::vector<TrackRecord>& records) {
  Flagger flagger(records);
  flagChordal(records, flagger);
  flagDoubling(records, flagger);
  flagThin(records, flagger);
}

VoiceChoice chooseVoices(const std::vector<TrackRecord>& records) {
  VoiceChoice choice;
  const auto byWeight = tracksByWeight(records);
  choice.k = std::min(static_cast<int>(byWeight.size()), kVoices);
  int unflagged = 0;
  for (int t : byWeight) unflagged += records[static_cast<std::size_t>(t)].flags == 0 ? 1 : 0;
  choice.letter = std::max(0, choice.k - unflagged);
  for (unsigned group : {0u, kChordalFlag, kDoublingFlag, kThinFlag})
    for (int t : byWeight)
      if (static_cast<int>(choice.voices.size()) < choice.k && highestFlag(records[static_cast<std::size_t>(t)].flags) == group)
        choice.voices.push_back(t);
  std::stable_sort(choice.voices.begin(), choice.voices.end(), [&](int a, int b) {
    return records[static_cast<std::size_t>(a)].meanPitch > records[static_cast<std::size_t>(b)].meanPitch;
  });
  return choice;
}

}  // namespace quorvel
