#include "learning/ChoraleCorpus.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>

#include "midifile/MidiWriter.h"
#include "model/Score.h"

namespace quorvel {

namespace {

constexpr int kSilence = -1;
// JSON voice order is soprano..bass; part sets run the other way.
constexpr std::array<int, 4> kVoiceSets{kSopranoSet, kAltoSet, kTenorSet, kBassSet};

bool playableKey(int key) { return key >= 1 && key <= 121; }

Chorale parseChorale(const nlohmann::json& steps) {
  Chorale chorale;
  chorale.reserve(steps.size());
  for (const auto& step : steps) {
    if (!step.is_array() || step.size() != 4) throw std::runtime_error("a step is not four keys");
    ChoraleStep keys{};
    for (std::size_t v = 0; v < 4; ++v) {
      const int key = step[v].get<int>();
      if (key != kSilence && !playableKey(key)) throw std::runtime_error("a key is outside 1..121");
      keys[v] = key;
    }
    chorale.push_back(keys);
  }
  if (static_cast<int>(chorale.size()) > kTimelineEndStep - kSongStartStep)
    throw std::runtime_error("a chorale is longer than the timeline");
  return chorale;
}

// Adds one voice: runs of an equal key become notes, split where a run passes
// the longest note a code can hold.
void addVoice(const Chorale& chorale, std::size_t voice, Score& s) {
  const int set = kVoiceSets[voice];
  NoteSet& notes = s.noteSets[static_cast<std::size_t>(set)];
  const int steps = static_cast<int>(chorale.size());
  int i = 0;
  while (i < steps) {
    const int key = chorale[static_cast<std::size_t>(i)][voice];
    int run = 1;
    while (i + run < steps && run < kMaxMelodyLength && chorale[static_cast<std::size_t>(i + run)][voice] == key) ++run;
    if (key != kSilence) notes.insert(makeMelodyNote(kSongStartStep + i, key, run, set));
    i += run;
  }
}

std::string numberedName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "%03zu.mid", index);
  return name;
}

}  // namespace

std::vector<ChoraleSplit> parseChoraleCorpus(const std::string& jsonText, std::string& error) {
  std::vector<ChoraleSplit> splits;
  try {
    const auto corpus = nlohmann::json::parse(jsonText);
    if (!corpus.is_object()) throw std::runtime_error("the corpus is not an object of splits");
    for (const auto& [name, chorales] : corpus.items()) {
      ChoraleSplit split{name, {}};
      for (const auto& chorale : chorales) split.chorales.push_back(parseChorale(chorale));
      splits.push_back(std::move(split));
    }
  } catch (const std::exception& e) {
    error = e.what();
    splits.clear();
  }
  return splits;
}

void choraleIntoScore(const Chorale& chorale, Score& s) {
  for (std::size_t voice = 0; voice < 4; ++voice) addVoice(chorale, voice, s);
}

Bytes choraleMidi(const Chorale& chorale) {
  auto score = std::make_unique<Score>();
  choraleIntoScore(chorale, *score);
  WriteOptions options;
  options.partNames = true;
  return writeMidi(*score, kSopranoSet, kBassSet, kDrumsView, options);
}

int writeChoraleCorpus(const std::string& jsonPath, const std::string& outDir, std::string& error) {
  const auto text = readWholeFile(jsonPath);
  if (!text) {
    error = jsonPath + ": could not be read";
    return -1;
  }
  const auto splits = parseChoraleCorpus(std::string(text->begin(), text->end()), error);
  if (splits.empty()) {
    error = jsonPath + ": " + (error.empty() ? "no chorales" : error);
    return -1;
  }
  int written = 0;
  for (const ChoraleSplit& split : splits) {
    const std::filesystem::path folder = std::filesystem::path(outDir) / split.name;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (std::size_t i = 0; i < split.chorales.size(); ++i) {
      const std::string path = (folder / numberedName(i)).string();
      if (!replaceFileContents(path, choraleMidi(split.chorales[i]))) {
        error = path + ": could not be written";
        return -1;
      }
      ++written;
    }
  }
  return written;
}

}  // namespace quorvel
