#pragma once
// A song context answered by the scripted user, with a temporary folder of its own.
#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "settings/TempFolder.h"
#include "support/FakeUi.h"

namespace quorvel::test {

class AppFixture : public ::testing::Test {
 protected:
  // One Soprano note, and the song marked modified.
  void modify() {
    addNote(app.score, kSopranoSet, makeMelodyNote(10, 72, 4, kSoprano));
    markModified(app.score, ui);
  }
  std::size_t notesIn(int set) const { return app.score.noteSets[static_cast<std::size_t>(set)].size(); }

  TempFolder folder;
  FakeUi ui;
  AppContext app{ui};
};

}  // namespace quorvel::test
