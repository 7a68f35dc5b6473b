// The chorale corpus in the project: the committed MIDI files are what the
// converter makes from the JSON, and the reader opens them as four parts.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/FileIo.h"
#include "learning/ChoraleCorpus.h"
#include "base/QuietUi.h"
#include "midifile/MidiReader.h"
#include "model/Score.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

std::vector<ChoraleSplit> loadCorpus() {
  const auto text = readWholeFile(QUORVEL_CORPUS_DIR "/chorales-16th-satb.json");
  std::string error;
  auto splits = text ? parseChoraleCorpus(std::string(text->begin(), text->end()), error) : std::vector<ChoraleSplit>{};
  EXPECT_EQ(error, "");
  return splits;
}

TEST(ChoraleCorpus, CommittedFilesAreWhatTheConverterMakes) {
  const auto splits = loadCorpus();
  ASSERT_EQ(splits.size(), 2u);
  std::size_t files = 0;
  for (const ChoraleSplit& split : splits) {
    for (std::size_t i = 0; i < split.chorales.size(); ++i, ++files) {
      char name[32];
      std::snprintf(name, sizeof name, "%03zu.mid", i);
      const auto committed = readWholeFile((fs::path(QUORVEL_CORPUS_DIR) / "chorales" / split.name / name).string());
      ASSERT_TRUE(committed) << split.name << "/" << name;
      ASSERT_EQ(*committed, choraleMidi(split.chorales[i])) << split.name << "/" << name;
    }
  }
  EXPECT_EQ(files, 305u);
}

TEST(ChoraleCorpus, ReaderOpensFourNamedPartsWithHeldNotesJoined) {
  const Chorale chorale{{70, 65, 62, 46}, {70, 65, 62, 46}, {72, -1, 62, 48}, {74, 67, 64, 48}};
  auto s = std::make_unique<Score>();
  QuietUi ui;
  ImportResult imported;
  ASSERT_EQ(readMidiBytes(*s, ui, choraleMidi(chorale), ReadOptions{}, imported), 0);
  ASSERT_EQ(imported.tracks.size(), 4u);
  const char* names[] = {"Soprano", "Alto", "Tenor", "Bass"};
  const std::vector<std::vector<NoteCode>> expected{
      {makeMelodyNote(2, 70, 2, 0), makeMelodyNote(4, 72, 1, 0), makeMelodyNote(5, 74, 1, 0)},
      {makeMelodyNote(2, 65, 2, 0), makeMelodyNote(5, 67, 1, 0)},
      {makeMelodyNote(2, 62, 3, 0), makeMelodyNote(5, 64, 1, 0)},
      {makeMelodyNote(2, 46, 2, 0), makeMelodyNote(4, 48, 2, 0)},
  };
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(imported.tracks[i].name, names[i]);
    const NoteSet& set = s->noteSets[static_cast<std::size_t>(imported.tracks[i].setIndex)];
    EXPECT_EQ(std::vector<NoteCode>(set.begin(), set.end()), expected[i]) << names[i];
  }
}

TEST(ChoraleCorpus, MalformedCorpusIsRefusedWithAReason) {
  std::string error;
  EXPECT_TRUE(parseChoraleCorpus(R"({"train": [[[60, 60, 60]]]})", error).empty());
  EXPECT_NE(error, "");
  error.clear();
  EXPECT_TRUE(parseChoraleCorpus(R"({"train": [[[60, 60, 60, 200]]]})", error).empty());
  EXPECT_NE(error, "");
}

}  // namespace
}  // namespace quorvel::test
