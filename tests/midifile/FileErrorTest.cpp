// What the user is told about a file that is not a readable MIDI file: the
// familiar first line, and a second line that names the fault.
#include <filesystem>
#include <fstream>

#include "ReaderFixture.h"
#include "midifile/SmfHeader.h"
#include "settings/TempFolder.h"

namespace quorvel::test {
namespace {

using FileErrors = ReaderFixture;

Raw song() { return smf(0, 96, {TrackEvents().on(0, 60).off(96, 60).end()}); }

std::string problemOf(const Raw& bytes) {
  const HeaderProblem p = diagnoseHeader(bytes);
  if (p.text == nullptr) return "none";
  std::string text = p.text;
  const auto at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(p.value));
  return text;
}

TEST_F(FileErrors, EachHeaderFaultIsRefusedWithItsOwnReasonAndLeavesTheSongAlone) {
  const NoteCode kept = makeMelodyNote(10, 72, 4, 3);
  addNote(*score, kSopranoSet, kept);
  const Raw good = song();
  const auto with = [&](std::size_t at, std::uint8_t value) {
    Raw r = good;
    r[at] = value;
    return r;
  };
  const std::pair<Raw, std::string> faults[] = {
      {Raw{}, "The file is empty."},
      {Raw{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'}, "This is not a MIDI file."},
      {Raw(good.begin(), good.begin() + 9), "The file is cut off at byte 9."},
      {Raw(good.begin(), good.begin() + 18), "The file is cut off at byte 18."},
      {Raw(good.begin(), good.begin() + 22), "The file is cut off at byte 22."},
      {with(7, 7), "The MIDI header has an unknown size."},
      {with(9, 3), "Unsupported MIDI format 3."},
      {with(11, 0), "The file declares no tracks."},
      {with(13, 0), "Unsupported time division 0."},
      {with(14, 'X'), "No track follows the header."},
      {smf(0, 96, {TrackEvents()}), "The first track is empty."},
  };
  for (const auto& [bytes, reason] : faults) {
    SCOPED_TRACE(reason);
    EXPECT_EQ(problemOf(bytes), reason);
    EXPECT_EQ(read(bytes), -1);
    EXPECT_EQ(readMerged(bytes), -1);
  }
  EXPECT_EQ(problemOf(good), "none");
  EXPECT_EQ(codes(kSopranoSet), (Codes{kept}));
}

TEST_F(FileErrors, TextEmptyAndCutFilesReadDifferentlyInBothLanguages) {
  TempFolder folder;
  const auto write = [&](const char* name, const Raw& bytes) {
    const auto path = folder.path() / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    return path.string();
  };
  const Raw good = song();
  const std::string text = write("notes.txt", Raw{'C', ' ', 'D', ' ', 'E', '\n'});
  const std::string empty = write("empty.mid", Raw{});
  const std::string cut = write("cut.mid", Raw(good.begin(), good.begin() + 10));
  std::string chosen;
  for (const std::string& path : {text, empty, cut}) ASSERT_EQ(readMidiFile(*score, ui, path, false, result, chosen), -1);
  ASSERT_EQ(ui.messages().size(), 3u);
  EXPECT_EQ(ui.messages()[0].text, "Please check if the file is right\nThis is not a MIDI file.");
  EXPECT_EQ(ui.messages()[1].text, "Please check if the file is right\nThe file is empty.");
  EXPECT_EQ(ui.messages()[2].text, "Please check if the file is right\nThe file is cut off at byte 10.");
  EXPECT_EQ(ui.messages()[2].caption, cut);

  score->settings.general.language = 1;
  ASSERT_EQ(readMidiFile(*score, ui, cut, false, result, chosen), -1);
  EXPECT_EQ(ui.messages().back().text, "ファイルが正しいか確認してください\nファイルが10バイト目で途切れています。");
}

}  // namespace
}  // namespace quorvel::test
