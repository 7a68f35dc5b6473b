#pragma once
// Records what applying settings asked of the player and the views.
#include <utility>
#include <vector>

#include "settings/SettingsListener.h"

namespace quorvel::test {

class RecordingListener : public SettingsListener {
 public:
  void playerSettingsChanged() override { ++playerChanges; }
  void playPartChosen(int) override {}
  void programChange(int channel, int program) override { programs.emplace_back(channel, program); }
  void stopPlayback() override {}
  void partSelected(int) override {}
  void drumSetSelected(int drumSet) override { selectedDrumSets.push_back(drumSet); }

  int playerChanges = 0;
  std::vector<std::pair<int, int>> programs;
  std::vector<int> selectedDrumSets;
};

}  // namespace quorvel::test
