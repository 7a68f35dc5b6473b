#include "playback/adapters/RtMidiPortOut.h"

#include <rtmidi/RtMidi.h>

namespace quorvel {

namespace {

constexpr char kClientName[] = "Quorvel";

// RtMidi throws when the MIDI system is missing (no /dev/snd/seq).
std::unique_ptr<RtMidiOut> makeClient() {
  try {
    return std::make_unique<RtMidiOut>(RtMidi::UNSPECIFIED, kClientName);
  } catch (const RtMidiError&) {
    return nullptr;
  }
}

// Program change and channel pressure carry one data byte, the others two.
std::vector<unsigned char> bytesOf(std::uint32_t message) {
  const auto status = static_cast<unsigned char>(message & 0xFF);
  const auto data1 = static_cast<unsigned char>((message >> 8) & 0x7F);
  const auto data2 = static_cast<unsigned char>((message >> 16) & 0x7F);
  const int kind = status & 0xF0;
  if (kind == 0xC0 || kind == 0xD0) return {status, data1};
  return {status, data1, data2};
}

}  // namespace

std::vector<std::string> externalPortNames() {
  std::vector<std::string> names;
  try {
    std::unique_ptr<RtMidiOut> client = makeClient();
    if (!client) return names;
    const unsigned count = client->getPortCount();
    for (unsigned i = 0; i < count; ++i) names.push_back(client->getPortName(i));
  } catch (const RtMidiError&) {
    names.clear();
  }
  return names;
}

RtMidiPortOut::RtMidiPortOut(std::unique_ptr<RtMidiOut> out) : out_(std::move(out)) {}
RtMidiPortOut::~RtMidiPortOut() = default;

std::unique_ptr<RtMidiPortOut> RtMidiPortOut::open(int port) {
  std::unique_ptr<RtMidiOut> client = makeClient();
  if (!client || port < 0) return nullptr;
  try {
    client->openPort(static_cast<unsigned>(port));
  } catch (const RtMidiError&) {
    return nullptr;
  }
  return std::unique_ptr<RtMidiPortOut>(new RtMidiPortOut(std::move(client)));
}

int RtMidiPortOut::send(std::uint32_t message) {
  try {
    const std::vector<unsigned char> bytes = bytesOf(message);
    out_->sendMessage(&bytes);
    return 0;
  } catch (const RtMidiError&) {
    return -1;
  }
}

void RtMidiPortOut::reset() {
  constexpr int kAllSoundOff = 120, kResetControllers = 121;
  for (int channel = 0; channel < 16; ++channel) {
    send(0xB0u | static_cast<std::uint32_t>(channel) | (kAllSoundOff << 8));
    send(0xB0u | static_cast<std::uint32_t>(channel) | (kResetControllers << 8));
  }
}

}  // namespace quorvel
