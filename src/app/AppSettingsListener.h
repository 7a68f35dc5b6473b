#pragma once
// Carries the effects of applied settings to the player and the views.
#include "settings/SettingsListener.h"

namespace quorvel {

struct AppContext;

class AppSettingsListener : public SettingsListener {
 public:
  explicit AppSettingsListener(AppContext& app) : app_(app) {}

  void playerSettingsChanged() override;
  void playPartChosen(int setIndex) override;
  void programChange(int channel, int program) override;
  void stopPlayback() override;
  void partSelected(int part) override;
  void drumSetSelected(int drumSet) override;

 private:
  AppContext& app_;
};

}  // namespace quorvel
