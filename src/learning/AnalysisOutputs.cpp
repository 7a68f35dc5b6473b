#include "learning/AnalysisOutputs.h"

#include <cstdio>
#include <filesystem>
#include <mutex>

#include "midifile/MidiWriter.h"
#include "model/Score.h"

namespace quorvel {

namespace {

namespace fs = std::filesystem;

std::string stem(const std::string& path) { return fs::path(path).stem().string(); }

void emptyParts(Score& s) {
  for (int set = kBassSet; set <= kDrumsView; ++set) setAt(s, set).clear();
}

// Fills the parts from the top with the lines given and writes the file.
Bytes songBytes(Score& s, const std::vector<const Line*>& lines, const Line* drums) {
  std::lock_guard lock(s.noteMutex);
  emptyParts(s);
  for (std::size_t v = 0; v < lines.size(); ++v) {
    const int part = kSopranoSet - static_cast<int>(v);
    for (NoteCode c : *lines[v]) setAt(s, part).insert(withLowBits(c, part));
  }
  if (drums) setAt(s, kDrumsView).insert(drums->begin(), drums->end());
  WriteOptions options;
  options.drums = drums != nullptr;
  Bytes bytes = writeMidi(s, kSopranoSet, kBassSet, kDrumsView, options);
  emptyParts(s);
  return bytes;
}

OutputFile mainFile(const SongAnalysis& a, const std::string& inputPath, Score& scratch) {
  std::vector<const Line*> voices;
  for (int t : a.voices.voices) voices.push_back(&a.tracks[static_cast<std::size_t>(t)]);
  const std::string cls = songClass(a);
  const char* group = a.candidates.first.empty() ? "N" : "L";
  return {std::string(group) + "/" + cls, stem(inputPath) + "_" + cls + ".midi",
          songBytes(scratch, voices, a.drumsUsed ? &a.drums : nullptr)};
}

std::string combinationName(const std::string& inputPath, int n, int scoreSum, int firstIndex, char drumClass) {
  char tail[64];
  std::snprintf(tail, sizeof tail, "_%d_%05d_%02d_%02d_%c.midi", n, scoreSum, 0, firstIndex, drumClass);
  return stem(inputPath) + tail;
}

}  // namespace

std::string songClass(const SongAnalysis& a) {
  return std::to_string(a.voices.k) + static_cast<char>('A' + a.voices.letter) + "_" + a.drumClass;
}

std::vector<OutputFile> analysisOutputs(const SongAnalysis& a, const std::string& inputPath, Score& scratch) {
  std::vector<OutputFile> files{mainFile(a, inputPath, scratch)};
  const CombinationPlan plan = planCombinations(a.candidates, a.records);
  for (const CombinationPlan::Run& run : plan.files) {
    std::vector<const Line*> lines;
    double scoreSum = 0;
    for (std::size_t t = run.first; t < run.first + run.count; ++t) {
      lines.push_back(&plan.tracks[t].line);
      scoreSum += plan.tracks[t].score;
    }
    const int n = static_cast<int>(run.count);
    const bool withDrums = n == plan.widest && a.drumsUsed;
    const char d = withDrums ? a.drumClass : 'N';
    files.push_back({std::to_string(n) + "_" + d,
                     combinationName(inputPath, n, static_cast<int>(scoreSum), static_cast<int>(run.first), d),
                     songBytes(scratch, lines, withDrums ? &a.drums : nullptr)});
  }
  return files;
}

int writeAnalysisOutputs(const std::string& outDir, const std::vector<OutputFile>& files) {
  int written = 0;
  for (const OutputFile& f : files) {
    const fs::path folder = fs::path(outDir) / f.folder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) continue;
    if (replaceFileContents((folder / f.name).string(), f.bytes)) ++written;
  }
  return written;
}

}  // namespace quorvel
