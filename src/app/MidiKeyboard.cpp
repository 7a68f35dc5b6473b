#include "app/MidiKeyboard.h"

#include "settings/ExtraSettings.h"

namespace quorvel {

MidiKeyboard::MidiKeyboard(MidiInput& input, std::filesystem::path extraSettingsFile, MidiInputHandler handler)
    : input_(input), file_(std::move(extraSettingsFile)), handler_(std::move(handler)) {
  if (!file_.empty()) chosen_ = loadExtraSettings(file_).midiInputPort;
}

bool MidiKeyboard::openRemembered() {
  if (chosen_.empty()) return false;
  return input_.open(chosen_, handler_) == 0;
}

int MidiKeyboard::choose(const std::string& port) {
  chosen_ = port;
  if (!file_.empty()) {
    ExtraSettings extra = loadExtraSettings(file_);
    extra.midiInputPort = port;
    saveExtraSettings(file_, extra);
  }
  if (port.empty()) {
    input_.close();
    return 0;
  }
  return input_.open(port, handler_);
}

}  // namespace quorvel
