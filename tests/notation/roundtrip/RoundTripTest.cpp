// The proof that a notation program reads our MusicXML note for note: every
// openmsx song (regulated) and 20 chorales of the corpus go out as MusicXML,
// mscore3 turns them into MIDI files in one batch, and our reader must find
// each part's notes (key, start, length) and the drums as the song had them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>

#include "base/FileIo.h"
#include "midifile/FileHead.h"
#include "midifile/MidiReader.h"
#include "midifile/SongFiles.h"
#include "model/Score.h"
#include "notation/MusicXmlExport.h"
#include "notation/NotationProgram.h"
#include "support/FakeUi.h"
#include "support/TestData.h"
#include "tools/RegulateChain.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

constexpr int kChorales = 20;
constexpr int kBatchTimeoutSeconds = 600;
constexpr int kBatches = 2;

using Note = std::tuple<int, int, int>;  // start, key (or drum lane), length
using Notes = std::set<Note>;            // a note repeated exactly is one note on paper

struct Song {
  std::string name;
  std::unique_ptr<Score> score = std::make_unique<Score>();
};

Notes notesOf(const NoteSet& set, bool drums) {
  Notes notes;
  for (NoteCode c : set) {
    if (isDrumCode(c) != drums) continue;
    notes.emplace(noteStart(c), drums ? drumRow(c) : melodyKey(c), drums ? drumLength(c) : melodyLength(c));
  }
  return notes;
}

// Drum strokes: start and lane.
Notes strokesOf(const Notes& drums) {
  Notes strokes;
  for (const auto& [start, lane, length] : drums) strokes.emplace(start, lane, 0);
  return strokes;
}

struct Tally {
  int parts = 0;
  int notes = 0;
  int drumStrokes = 0;
  int drumLengthsChanged = 0;
};

std::string describe(const Notes& expected, const Notes& actual) {
  std::ostringstream out;
  out << expected.size() << " notes expected, " << actual.size() << " read back";
  for (const Note& n : expected)
    if (!actual.count(n)) {
      out << "; first missing: start " << std::get<0>(n) << " key " << std::get<1>(n) << " length " << std::get<2>(n);
      break;
    }
  for (const Note& n : actual)
    if (!expected.count(n)) {
      out << "; first extra: start " << std::get<0>(n) << " key " << std::get<1>(n) << " length " << std::get<2>(n);
      break;
    }
  return out.str();
}

// An openmsx song in the regular shape: read merged with its drums, then regulated.
std::optional<Song> regulatedSong(const std::string& path) {
  Song song{fs::path(path).stem().string()};
  test::FakeUi ui;
  const auto bytes = readWholeFile(path);
  ReadOptions read;
  read.merged = true;
  read.readDrums = true;
  ImportResult imported;
  if (!bytes || readMidiBytes(*song.score, ui, *bytes, read, imported) != 0) return std::nullopt;
  clipToTimeline(*song.score);
  takeFileHead(*song.score, imported.info);
  if (!regulateSong(*song.score, ui)) return std::nullopt;
  return song;
}

// A chorale as the program's Open reads it, its tracks assigned as offered.
std::optional<Song> openedSong(const std::string& path) {
  Song song{"chorale-" + fs::path(path).stem().string()};
  test::FakeUi ui;
  if (openSongFile(*song.score, ui, path) != 0) return std::nullopt;
  return song;
}

struct ReadBack {
  std::map<int, NoteSet> tracks;  // by the track's position in the file (1-based)
  int tempo = 0;
};

ReadBack readBack(const std::string& path) {
  Score s;
  test::FakeUi ui;
  const auto bytes = readWholeFile(path);
  ImportResult imported;
  ReadBack back;
  if (!bytes || readMidiBytes(s, ui, *bytes, ReadOptions{}, imported) != 0) return back;
  for (const ImportedTrack& t : imported.tracks) back.tracks[t.trackNumber] = s.noteSets[static_cast<std::size_t>(t.setIndex)];
  back.tempo = imported.info.tempo();
  return back;
}

std::string joined(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& e : entries) text += (text.empty() ? "" : ",\n") + e;
  return text;
}

std::string jobEntry(const fs::path& in, const fs::path& out) {
  return "{\"in\": \"" + in.string() + "\", \"out\": \"" + out.string() + "\"}";
}

class RoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    program = notation::findNotationProgram();
    if (program.empty())
      GTEST_SKIP() << "mscore3 is not installed (scripts/setup.sh installs musescore3): the round trip through "
                      "a notation program DID NOT RUN";
    folder = fs::temp_directory_path() / ("quorvel-roundtrip-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override {
    if (!folder.empty()) fs::remove_all(folder);
  }

  // Writes every song as MusicXML with the staves given and has the program
  // convert them to MIDI: one batch per core, each a single run of the program.
  void convertAll(const std::vector<Song>& songs, int staves) {
    std::array<std::vector<std::string>, kBatches> entries;
    for (std::size_t i = 0; i < songs.size(); ++i) {
      const fs::path xml = folder / (songs[i].name + ".musicxml");
      ASSERT_TRUE(notation::writeMusicXmlFile(*songs[i].score, {staves, songs[i].name}, xml.string()));
      entries[i % kBatches].push_back(jobEntry(xml, folder / (songs[i].name + ".mid")));
    }
    std::array<notation::ProgramRun, kBatches> runs;
    std::vector<std::thread> threads;
    for (int b = 0; b < kBatches; ++b) {
      const fs::path job = folder / ("job" + std::to_string(b) + ".json");
      std::ofstream(job) << "[\n" << joined(entries[static_cast<std::size_t>(b)]) << "\n]\n";
      threads.emplace_back([this, b, job, &runs] {
        runs[static_cast<std::size_t>(b)] = notation::runNotationProgram(
            program, {"-j", job.string()}, kBatchTimeoutSeconds, (folder / ("log" + std::to_string(b) + ".txt")).string());
      });
    }
    for (std::thread& t : threads) t.join();
    for (const notation::ProgramRun& run : runs)
      ASSERT_TRUE(run.succeeded()) << "mscore3 " << (run.timedOut ? "timed out" : "failed");
  }

  std::string program;
  fs::path folder;
};

// Each staff's track (track 1 is the conductor) holds the notes of its voice;
// the drums keep every stroke (start and lane).
void compareParts(const Song& song, const ReadBack& back, Tally& tally) {
  constexpr std::array<int, 4> kStaffSets{kSopranoSet, kAltoSet, kTenorSet, kBassSet};
  for (std::size_t i = 0; i < kStaffSets.size(); ++i) {
    const Notes expected = notesOf(song.score->noteSets[static_cast<std::size_t>(kStaffSets[i])], false);
    const auto found = back.tracks.find(static_cast<int>(i) + 2);
    const Notes actual = found != back.tracks.end() ? notesOf(found->second, false) : Notes{};
    EXPECT_EQ(expected, actual) << song.name << " staff " << i + 1 << ": " << describe(expected, actual);
    ++tally.parts;
    tally.notes += static_cast<int>(expected.size());
  }
  const Notes drums = notesOf(song.score->noteSets[kDrumsView], true);
  if (!drums.empty()) {
    const auto found = back.tracks.find(6);
    const Notes actual = found != back.tracks.end() ? notesOf(found->second, true) : Notes{};
    const Notes expectedStrokes = strokesOf(drums), actualStrokes = strokesOf(actual);
    EXPECT_EQ(expectedStrokes, actualStrokes) << song.name << " drums: " << describe(expectedStrokes, actualStrokes);
    for (const Note& n : drums) tally.drumLengthsChanged += actual.count(n) ? 0 : 1;
    tally.drumStrokes += static_cast<int>(expectedStrokes.size());
  }
  EXPECT_EQ(back.tempo, song.score->settings.general.tempo) << song.name;
}

void report(const char* what, std::size_t songs, const Tally& tally, std::chrono::steady_clock::time_point began) {
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::cout << what << ": " << songs << " songs, " << tally.parts << " parts, " << tally.notes << " notes, "
            << tally.drumStrokes << " drum strokes (" << tally.drumLengthsChanged
            << " read back with another length) round-tripped in " << seconds << " s\n";
}

TEST_F(RoundTrip, EveryRegulatedOpenmsxSongComesBackNoteForNote) {
  const auto began = std::chrono::steady_clock::now();
  const auto openmsx = test::openmsxSongs();
  ASSERT_FALSE(openmsx.empty()) << "openmsx songs are not installed";
  std::vector<Song> songs;
  for (const std::string& path : openmsx)
    if (auto song = regulatedSong(path)) songs.push_back(std::move(*song));
  ASSERT_EQ(songs.size(), openmsx.size()) << "every openmsx song regulates";
  convertAll(songs, 4);
  Tally tally;
  for (const Song& song : songs) compareParts(song, readBack((folder / (song.name + ".mid")).string()), tally);
  report("openmsx", songs.size(), tally, began);
}

TEST_F(RoundTrip, TwentyChoralesComeBackNoteForNote) {
  const auto began = std::chrono::steady_clock::now();
  const fs::path chorales = fs::path(QUORVEL_SOURCE_DIR) / "data/corpus/chorales/train";
  std::vector<Song> songs;
  for (int i = 0; i < kChorales; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.mid", i);
    auto song = openedSong((chorales / name).string());
    ASSERT_TRUE(song) << name;
    songs.push_back(std::move(*song));
  }
  convertAll(songs, 4);
  Tally tally;
  for (const Song& song : songs) compareParts(song, readBack((folder / (song.name + ".mid")).string()), tally);
  report("chorales", songs.size(), tally, began);
}

}  // namespace
}  // namespace quorvel
