#pragma once
// The MIDI keyboard chosen in the "MIDI Input" menu: its port is opened at
// start and whenever the choice changes, and the choice is remembered.
#include <filesystem>
#include <string>
#include <vector>

#include "playback/MidiInput.h"

namespace quorvel {

class MidiKeyboard {
 public:
  // `handler` receives the keyboard's messages on the input's thread.
  MidiKeyboard(MidiInput& input, std::filesystem::path extraSettingsFile, MidiInputHandler handler);

  std::vector<std::string> ports() { return input_.portNames(); }
  const std::string& chosen() const { return chosen_; }
  // Opens the remembered port when it is present; true when one is open.
  bool openRemembered();
  // Chooses a port by name (empty: none) and remembers it; -1 when the port
  // cannot be opened (the choice is still remembered for the next start).
  int choose(const std::string& port);
  // Stops the keyboard's messages; the choice stays remembered.
  void close() { input_.close(); }

 private:
  MidiInput& input_;
  std::filesystem::path file_;
  MidiInputHandler handler_;
  std::string chosen_;
};

}  // namespace quorvel
