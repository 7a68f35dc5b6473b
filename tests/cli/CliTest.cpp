// quorvel-cli as scripts use it: exit codes, the error line, and its
// sub-commands on a real song.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "CliRun.h"
#include "support/TestData.h"

namespace quorvel::test {
namespace {

constexpr const char* kSong = "/usr/share/games/openttd/baseset/openmsx/busy_schedule.mid";

// The sub-command names the top-level help lists.
std::vector<std::string> subCommands() {
  std::istringstream help(runCli({"--help"}).out);
  std::vector<std::string> names;
  bool listing = false;
  for (std::string line; std::getline(help, line);) {
    if (line == "Subcommands:") listing = true;
    else if (listing && line.starts_with("  ")) names.push_back(line.substr(2, line.find(' ', 2) - 2));
  }
  return names;
}

// How many notes of one set a "read" listing holds.
int notesOfSet(const std::string& listing, int set) {
  std::istringstream lines(listing);
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += line.starts_with(std::to_string(set) + " ");
  return count;
}

TEST(CliUsage, EverySubCommandAnswersHelpOnStdoutWithExitZero) {
  const auto names = subCommands();
  ASSERT_GE(names.size(), 6u);
  for (const std::string& name : names) {
    const CliRun run = runCli({name, "--help"});
    EXPECT_EQ(run.exitCode, 0) << name;
    EXPECT_NE(run.out.find("Usage: quorvel-cli " + name), std::string::npos) << name;
    EXPECT_TRUE(run.err.empty()) << name;
  }
}

TEST(CliUsage, BadUsageExitsTwoWithTheCommandNamedOnStderr) {
  struct Case {
    std::vector<std::string> args;
    std::string line;
  };
  const Case cases[] = {
      {{}, "quorvel-cli: A subcommand is required"},
      {{"key"}, "quorvel-cli key: FILE is required"},
      {{"read", kSong, "--bogus"}, "quorvel-cli read: "},
      {{"render", kSong, "out.wav", "--tempo", "20"}, "quorvel-cli render: --tempo: Value 20 not in range"},
      {{"generate", "0to1A", "out.mid", "--track", "1"}, "quorvel-cli generate: --track requires --in"},
      {{"generate", "9to9Z", "out.mid"}, "quorvel-cli generate: MODE: \"9to9Z\" is not a generation mode"},
  };
  for (const Case& c : cases) {
    const CliRun run = runCli(c.args);
    EXPECT_EQ(run.exitCode, 2) << c.line;
    EXPECT_TRUE(run.err.starts_with(c.line)) << run.err;
    EXPECT_TRUE(run.out.empty() || c.args.at(0) == "generate") << run.out;
  }
}

TEST(CliFailure, UnreadableInputAndUnwritableOutputExitOneWithOneErrorLine) {
  const CliRun text = runCli({"key", QUORVEL_SOURCE_DIR "/CMakeLists.txt"});
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_TRUE(text.err.ends_with("quorvel-cli key: " QUORVEL_SOURCE_DIR "/CMakeLists.txt: not a readable MIDI file\n"))
      << text.err;

  const CliRun read = runCli({"read", "/no/such/song.mid"});
  EXPECT_EQ(read.exitCode, 1);
  EXPECT_TRUE(read.err.ends_with("quorvel-cli read: /no/such/song.mid: not a readable MIDI file\n")) << read.err;
  EXPECT_TRUE(read.out.empty());

  const CliRun write = runCli({"regulate", kSong, "/no/such/folder/out.mid"});
  EXPECT_EQ(write.exitCode, 1);
  EXPECT_TRUE(write.err.ends_with("quorvel-cli regulate: /no/such/folder/out.mid: could not be written\n"))
      << write.err;
}

TEST(CliSong, WriteWithDrumsThenReadGivesTheSameScore) {
  const std::string copy = scratchFolder("roundtrip") + "/copy.mid";
  const CliRun original = runCli({"read", kSong});
  ASSERT_EQ(original.exitCode, 0) << original.err;
  ASSERT_EQ(runCli({"write", kSong, copy, "--drums"}).exitCode, 0);
  const CliRun again = runCli({"read", copy});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_GT(original.out.size(), 10000u);
  EXPECT_EQ(again.out, original.out);
}

// Regulating keeps the song's tempo and writes the scale the key detection found.
TEST(CliSong, RegulateKeepsTheTempoAndWritesTheDetectedScale) {
  const std::string song = "/usr/share/games/openttd/baseset/openmsx/coconut_run2.mid";  // 180 bpm, E minor
  const std::string regulated = scratchFolder("regulate") + "/coconut.mid";
  const CliRun run = runCli({"regulate", song, regulated});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "E Minor 90.32%\n");
  const CliRun read = runCli({"read", regulated});
  EXPECT_TRUE(read.out.ends_with("tempo 180\nkey 72\nscale 1\n")) << read.out.substr(read.out.size() - 40);
}

TEST(CliSong, KeyPrintsTheStatusBarText) {
  const CliRun run = runCli({"key", kSong});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(std::regex_match(run.out, std::regex("[A-G][#b]? (Major|Minor) [0-9]+\\.[0-9]{2}%\n"))) << run.out;
}

TEST(CliSong, GenerateOnASongIsRepeatableForOneSeedAndWritesAReadableFile) {
  const std::string folder = scratchFolder("generate");
  const std::vector<std::string> args{"generate", "1to1A", folder + "/a.mid", "--in", kSong, "--seed", "11"};
  const CliRun first = runCli(args);
  ASSERT_EQ(first.exitCode, 0) << first.err;
  // Where the complete search had to break a rule, it says where.
  const std::regex output("^elapsed ms: [0-9]+\nretries: [0-9]+\n"
                          "(rules relaxed at bar [0-9]+ beat [0-9]+: [^\n]+\n)*$");
  EXPECT_TRUE(std::regex_search(first.out, output)) << first.out;

  auto again = args;
  again[2] = folder + "/b.mid";
  ASSERT_EQ(runCli(again).exitCode, 0);
  const CliRun a = runCli({"read", folder + "/a.mid"});
  const CliRun b = runCli({"read", folder + "/b.mid"});
  EXPECT_EQ(a.exitCode, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  // The song, merged into the Soprano, stays as it was; the counter line
  // goes into the Alto.
  const CliRun song = runCli({"read", kSong, "--format0"});
  EXPECT_EQ(notesOfSet(a.out, 3), notesOfSet(song.out, 3));
  EXPECT_GT(notesOfSet(a.out, 3), 1000);
  EXPECT_GT(notesOfSet(a.out, 2), 100);
}

}  // namespace
}  // namespace quorvel::test
