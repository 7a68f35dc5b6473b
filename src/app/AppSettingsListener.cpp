#include "app/AppSettingsListener.h"

#include "app/AppContext.h"
#include "playback/MidiMessages.h"
#include "playback/Player.h"

namespace quorvel {

void AppSettingsListener::playerSettingsChanged() {
  if (app_.player) app_.player->settingsChanged();
}

// The player takes the part to play from the settings it re-reads.
void AppSettingsListener::playPartChosen(int) { playerSettingsChanged(); }

void AppSettingsListener::programChange(int channel, int program) {
  if (app_.player) app_.player->postShortMessage(quorvel::programChange(channel, program));
}

void AppSettingsListener::stopPlayback() {
  if (app_.player) app_.player->stop();
}

void AppSettingsListener::partSelected(int) {
  app_.ui.redraw(RedrawTarget::Melody);
  app_.ui.redraw(RedrawTarget::Drums);
}

void AppSettingsListener::drumSetSelected(int) { partSelected(0); }

}  // namespace quorvel
