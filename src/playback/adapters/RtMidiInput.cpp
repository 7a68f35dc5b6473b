#include "playback/adapters/RtMidiInput.h"

#include <rtmidi/RtMidi.h>

namespace quorvel {

namespace {

constexpr char kClientName[] = "Quorvel Input";

// RtMidi throws when the MIDI system is missing (no /dev/snd/seq).
std::unique_ptr<RtMidiIn> makeClient() {
  try {
    return std::make_unique<RtMidiIn>(RtMidi::UNSPECIFIED, kClientName);
  } catch (const RtMidiError&) {
    return nullptr;
  }
}

// Channel messages of up to three bytes; system messages are not for us.
void deliver(double, std::vector<unsigned char>* bytes, void* user) {
  if (!bytes || bytes->empty() || (*bytes)[0] >= 0xF0) return;
  std::uint32_t message = (*bytes)[0];
  if (bytes->size() > 1) message |= static_cast<std::uint32_t>((*bytes)[1] & 0x7F) << 8;
  if (bytes->size() > 2) message |= static_cast<std::uint32_t>((*bytes)[2] & 0x7F) << 16;
  (*static_cast<MidiInputHandler*>(user))(message);
}

}  // namespace

RtMidiInput::RtMidiInput() : in_(makeClient()) {}

RtMidiInput::~RtMidiInput() { close(); }

std::vector<std::string> RtMidiInput::portNames() {
  std::vector<std::string> names;
  if (!in_) return names;
  try {
    const unsigned count = in_->getPortCount();
    for (unsigned i = 0; i < count; ++i) names.push_back(in_->getPortName(i));
  } catch (const RtMidiError&) {
    names.clear();
  }
  return names;
}

void RtMidiInput::listen(MidiInputHandler handler) {
  handler_ = std::move(handler);
  in_->ignoreTypes(true, true, true);
  in_->setCallback(&deliver, &handler_);
  listening_ = true;
}

int RtMidiInput::open(const std::string& portName, MidiInputHandler handler) {
  close();
  if (!in_) return -1;
  try {
    const unsigned count = in_->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
      if (in_->getPortName(i) != portName) continue;
      in_->openPort(i, kClientName);
      listen(std::move(handler));
      return 0;
    }
  } catch (const RtMidiError&) {
    close();
  }
  return -1;
}

int RtMidiInput::openVirtual(const std::string& portName, MidiInputHandler handler) {
  close();
  if (!in_) return -1;
  try {
    in_->openVirtualPort(portName);
    listen(std::move(handler));
    return 0;
  } catch (const RtMidiError&) {
    close();
    return -1;
  }
}

void RtMidiInput::close() {
  if (!in_ || !listening_) return;
  try {
    in_->cancelCallback();
    in_->closePort();
  } catch (const RtMidiError&) {
    // The port is gone either way.
  }
  listening_ = false;
  handler_ = nullptr;
}

}  // namespace quorvel
