#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "model/NodePool.h"
#include "model/NoteSet.h"

namespace quorvel {
namespace {

NoteSet filled(int count) {
  NoteSet set;
  for (int i = 0; i < count; ++i) set.insert(static_cast<NoteCode>(i * 7919 % 100003));
  return set;
}

TEST(NodePool, FreedNodesAreReusedWithinAThreadAndAfterItEnds) {
  constexpr int kNodes = 60000;
  { const NoteSet warm = filled(kNodes); }
  const std::size_t afterWarmUp = nodepool::reservedBytes();
  { const NoteSet again = filled(kNodes); }
  EXPECT_EQ(nodepool::reservedBytes(), afterWarmUp);

  // A thread's free and unused blocks go to the next thread that needs them.
  std::thread([] { const NoteSet s = filled(kNodes); }).join();
  const std::size_t afterOneThread = nodepool::reservedBytes();
  for (int round = 0; round < 3; ++round) std::thread([] { const NoteSet s = filled(kNodes); }).join();
  EXPECT_EQ(nodepool::reservedBytes(), afterOneThread);
}

TEST(NodePool, SetsMadeOnOneThreadMayBeChangedAndFreedOnAnother) {
  NoteSet made;
  std::thread([&] { made = filled(5000); }).join();
  std::thread([&] {
    for (NoteCode c = 0; c < 1000; ++c) eraseAll(made, c * 7919 % 100003);
    made.insert(200000);
  }).join();
  EXPECT_EQ(made.size(), 4001u);
  EXPECT_EQ(*made.rbegin(), 200000u);
  EXPECT_TRUE(std::is_sorted(made.begin(), made.end()));
}

}  // namespace
}  // namespace quorvel
