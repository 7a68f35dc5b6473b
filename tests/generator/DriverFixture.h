#pragma once
// A song, a scripted user and the real pattern library for the driver tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "generator/GenerationEnv.h"
#include "support/FakeUi.h"

namespace quorvel::test {

inline const DrumLibrary& realDrumLibrary() {
  static const DrumLibrary library = [] {
    DrumLibrary lib;
    std::string error;
    const auto path = std::filesystem::path(QUORVEL_SOURCE_DIR) / "data" / "drums" / "patterns.txt";
    if (loadDrumLibrary(path, lib, error) != 0) ADD_FAILURE() << error;
    return lib;
  }();
  return library;
}

class DriverTest : public ::testing::Test {
 protected:
  // The save-changes question as the spine asks it: Cancel stops the command.
  int askSaveChanges() {
    if (!score.isModified()) return 0;
    ++questionsAsked;
    return ui.messageBox("save?", "Quorvel", MsgIcon::Question, MsgButtons::YesNoCancel) == MsgAnswer::Cancel ? -2
                                                                                                             : 0;
  }

  // A clock that moves on by `step` ms each time it is read, so that every
  // run seems long enough to open the progress window.
  void useSlowClock(std::int64_t step = 1500) { clockStep = step; }

  std::vector<NoteCode> notesOf(int set) const {
    const NoteSet& s = score.noteSets[static_cast<std::size_t>(set)];
    return {s.begin(), s.end()};
  }
  std::vector<std::string> messageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : ui.messages()) out.push_back(m.text);
    return out;
  }
  std::string lastMessage() const { return ui.messages().empty() ? std::string() : ui.messages().back().text; }
  void setLocators(int left, int right) {
    score.leftLocator = left;
    score.rightLocator = right;
    score.settings.melody[kBetweenLocators] = 10;
  }
  // A melody of the given (start step, key, length) notes in one part.
  void writeMelody(int part, const std::vector<std::array<int, 3>>& notes) {
    for (const auto& n : notes) addNote(score, part, makeMelodyNote(n[0], n[1], n[2], part));
  }

  Score score;
  FakeUi ui;
  Random random{12345};
  GenerationState state;
  int questionsAsked = 0;
  std::int64_t clockStep = 0;
  std::int64_t clock = 100000;
  GenerationEnv env{score, ui, random, state, realDrumLibrary(), [this] { return askSaveChanges(); },
                    [this] { return clock += clockStep; }};
};

}  // namespace quorvel::test
