// quorvel-cli check from the shell: one line per broken rule, and an exit
// code a script can test (0 clean, 1 rules broken, 2 bad usage or input).
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "CliRun.h"
#include "midifile/SmfBuilder.h"

namespace quorvel::test {
namespace {

constexpr const char* kChorale = QUORVEL_SOURCE_DIR "/data/corpus/chorales/train/000.mid";
constexpr int kQuarter = 480;

// A four-part file, one track per voice named as the "Open" dialog expects,
// each voice a list of quarter notes.
std::string writeFourParts(const std::string& name, const std::vector<std::vector<int>>& voices) {
  const char* names[] = {"Soprano", "Alto", "Tenor", "Bass"};
  TrackEvents conductor;
  conductor.tempoBpm(0, 120).end();
  std::vector<TrackEvents> tracks{conductor};
  for (std::size_t v = 0; v < voices.size(); ++v) {
    TrackEvents t;
    t.text(0, 3, names[v]);
    for (int key : voices[v]) t.on(0, key, 100, static_cast<int>(v)).off(kQuarter, key, static_cast<int>(v));
    tracks.push_back(t.end());
  }
  Raw bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  appendBe(bytes, static_cast<std::uint32_t>(tracks.size()), 2);
  appendBe(bytes, kQuarter, 2);
  for (const TrackEvents& t : tracks) {
    const Raw chunk = trackChunk(t.bytes());
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
  }
  const std::string path = scratchFolder("check-" + name) + "/song.mid";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CliCheck, ACleanSongExitsZeroAndPrintsNothing) {
  const std::string song = writeFourParts("clean", {{79, 77}, {64, 65}, {62, 60}, {48, 53}});
  const CliRun run = runCli({"check", song});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

TEST(CliCheck, BrokenRulesArePrintedOneALineAndExitOne) {
  // Soprano and bass in parallel fifths, the alto a second under the soprano.
  const std::string song = writeFourParts("fifths", {{67, 69}, {66, 65}, {64, 64}, {60, 62}});
  const CliRun run = runCli({"check", song});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "bar 1 beat 1: Soprano, Alto: second or seventh against the melody\n"
            "bar 1 beat 2: Soprano, Bass: parallel fifths\n");
  EXPECT_EQ(run.err, "quorvel-cli check: " + song + ": 2 places break a rule\n");
}

TEST(CliCheck, AChoraleReadsAsFourPartsAndFewerVoicesGiveASubset) {
  const CliRun all = runCli({"check", kChorale});
  ASSERT_EQ(all.exitCode, 1) << all.err;
  const std::regex form(R"(bar \d+ beat \d(\.25|\.5|\.75)?: (Soprano|Alto|Tenor|Bass)(, (Alto|Tenor|Bass))?: [a-z0-9 ]+)");
  std::set<std::string> voicesSeen;
  for (const std::string& line : linesOf(all.out)) {
    EXPECT_TRUE(std::regex_match(line, form)) << line;
    for (const char* v : {"Alto", "Tenor", "Bass"})
      if (line.find(v) != std::string::npos) voicesSeen.insert(v);
  }
  EXPECT_EQ(voicesSeen.size(), 3u) << all.out;

  const CliRun soprano = runCli({"check", kChorale, "--voices", "1"});
  const auto allLines = linesOf(all.out);
  for (const std::string& line : linesOf(soprano.out)) {
    EXPECT_NE(line.find(": Soprano: "), std::string::npos) << line;
    EXPECT_NE(std::find(allLines.begin(), allLines.end(), line), allLines.end()) << line;
  }
  EXPECT_EQ(soprano.exitCode, soprano.out.empty() ? 0 : 1);
}

TEST(CliCheck, BadUsageAndUnreadableInputExitTwo) {
  const CliRun missing = runCli({"check", "/no/such/song.mid"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_TRUE(missing.err.ends_with("quorvel-cli check: /no/such/song.mid: not a readable MIDI file\n")) << missing.err;
  EXPECT_EQ(missing.out, "");

  const std::string empty = writeFourParts("empty", {});
  const CliRun nothing = runCli({"check", empty});
  EXPECT_EQ(nothing.exitCode, 2);
  EXPECT_TRUE(nothing.err.ends_with(empty + ": no notes in the four parts\n")) << nothing.err;

  const CliRun voices = runCli({"check", kChorale, "--voices", "5"});
  EXPECT_EQ(voices.exitCode, 2);
  EXPECT_TRUE(voices.err.starts_with("quorvel-cli check: --voices: Value 5 not in range")) << voices.err;
}

}  // namespace
}  // namespace quorvel::test
