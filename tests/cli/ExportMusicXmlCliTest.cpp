// quorvel-cli export-musicxml on a real song: the score it writes, the two
// staves option, and its failures.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "CliRun.h"

namespace quorvel::test {
namespace {

// 180 bpm, E minor, with drums.
constexpr const char* kSong = "/usr/share/games/openttd/baseset/openmsx/coconut_run2.mid";

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(ExportMusicXmlCli, WritesTheSongsVoicesKeyTempoAndDrums) {
  std::ifstream probe(kSong);
  if (!probe) GTEST_SKIP() << "openmsx songs are not installed";
  const std::string folder = scratchFolder("musicxml");
  const CliRun four = runCli({"export-musicxml", kSong, folder + "/four.musicxml"});
  ASSERT_EQ(four.exitCode, 0) << four.err;
  const std::string xml = fileText(folder + "/four.musicxml");
  EXPECT_NE(xml.find("<work-title>coconut_run2</work-title>"), std::string::npos);
  EXPECT_NE(xml.find("<per-minute>180</per-minute>"), std::string::npos);
  EXPECT_EQ(count(xml, "<fifths>1</fifths>"), 4u) << "E minor on each voice's staff";
  EXPECT_EQ(count(xml, "<mode>minor</mode>"), 4u);
  EXPECT_EQ(count(xml, "<score-part id="), 5u) << "four voices and the drums";
  EXPECT_NE(xml.find("<sign>percussion</sign>"), std::string::npos);

  const CliRun two = runCli({"export-musicxml", kSong, folder + "/two.musicxml", "--staves", "2"});
  ASSERT_EQ(two.exitCode, 0) << two.err;
  EXPECT_EQ(count(fileText(folder + "/two.musicxml"), "<score-part id="), 3u);
}

TEST(ExportMusicXmlCli, BadStavesAndUnreadableInputFail) {
  const std::string folder = scratchFolder("musicxml-bad");
  const CliRun staves = runCli({"export-musicxml", kSong, folder + "/x.musicxml", "--staves", "3"});
  EXPECT_EQ(staves.exitCode, 2);
  EXPECT_NE(staves.err.find("quorvel-cli export-musicxml: --staves"), std::string::npos) << staves.err;
  const CliRun missing = runCli({"export-musicxml", folder + "/none.mid", folder + "/x.musicxml"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("quorvel-cli export-musicxml: " + folder + "/none.mid: not a readable MIDI file"),
            std::string::npos)
      << missing.err;
  const CliRun unwritable = runCli({"export-musicxml", kSong, folder + "/no/such/folder/x.musicxml"});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_NE(unwritable.err.find("could not be written"), std::string::npos) << unwritable.err;
}

}  // namespace
}  // namespace quorvel::test
