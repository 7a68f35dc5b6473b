#pragma once
// A MIDI keyboard: the input ports the machine offers and the one that is
// open. Messages arrive packed like MidiOut's, on the input's own thread.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorvel {

using MidiInputHandler = std::function<void(std::uint32_t message)>;

class MidiInput {
 public:
  virtual ~MidiInput() = default;
  // Empty when the machine has no MIDI system or no input port.
  virtual std::vector<std::string> portNames() = 0;
  // Opens a port by its name, closing the one open; 0, or -1 when it cannot be opened.
  virtual int open(const std::string& portName, MidiInputHandler handler) = 0;
  virtual void close() = 0;
};

}  // namespace quorvel
