// The machine's real devices: the built-in synth is listed whether or not
// there is audio (as on CI).
#include "playback/adapters/SystemDevices.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(SystemDevices, ListsTheBuiltInSynthFirst) {
  SystemDevices devices;
  ASSERT_GE(devices.deviceCount(), 1);
  EXPECT_EQ(devices.deviceName(0), kBuiltInSynthName);
  EXPECT_EQ(devices.openDevice(devices.deviceCount()), nullptr);
}

}  // namespace
}  // namespace quorvel
