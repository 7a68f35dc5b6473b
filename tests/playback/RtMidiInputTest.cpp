// The RtMidi keyboard input: without a MIDI system it has no ports and fails
// nothing; with one, a note played into its own port arrives packed.
#include "playback/adapters/RtMidiInput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "playback/adapters/RtMidiPortOut.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

bool hasMidiSystem() { return std::filesystem::exists("/dev/snd/seq"); }

TEST(RtMidiInputTest, WithoutAMidiSystemThereAreNoPortsAndNothingFails) {
  if (hasMidiSystem()) GTEST_SKIP() << "this machine has a MIDI system";
  RtMidiInput input;
  EXPECT_TRUE(input.portNames().empty());
  EXPECT_EQ(input.open("any", [](std::uint32_t) {}), -1);
  EXPECT_EQ(input.openVirtual("Quorvel test", [](std::uint32_t) {}), -1);
  input.close();
}

TEST(RtMidiInputTest, ANotePlayedIntoTheVirtualPortArrivesPacked) {
  if (!hasMidiSystem()) GTEST_SKIP() << "no ALSA sequencer on this machine";
  RtMidiInput input;
  std::atomic<std::uint32_t> received{0};
  ASSERT_EQ(input.openVirtual("Quorvel test keys", [&](std::uint32_t m) { received = m; }), 0);
  const auto names = externalPortNames();
  int index = -1;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i].find("Quorvel test keys") != std::string::npos) index = static_cast<int>(i);
  ASSERT_GE(index, 0);
  auto out = RtMidiPortOut::open(index);
  ASSERT_NE(out, nullptr);
  out->send(0x90u | 61u << 8 | 77u << 16);
  for (int i = 0; i < 200 && received.load() == 0; ++i) std::this_thread::sleep_for(5ms);
  EXPECT_EQ(received.load(), 0x90u | 61u << 8 | 77u << 16);
}

}  // namespace
}  // namespace quorvel
