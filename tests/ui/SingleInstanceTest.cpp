// A second start with a file finds the running Quorvel and brings it forward;
// with none running, nothing answers and the start goes on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>

#include "ui/SingleInstance.h"

namespace quorvel {
namespace {

QString uniqueName() { return QStringLiteral("quorvel-test-%1").arg(QCoreApplication::applicationPid()); }

TEST(SingleInstance, ASecondStartFindsTheFirstAndRaisesIt) {
  SingleInstance first(uniqueName());
  int raised = 0;
  first.listen([&raised] { ++raised; });

  SingleInstance second(uniqueName());
  EXPECT_TRUE(second.otherIsRunning());
  const QDeadlineTimer deadline(2000);
  while (raised == 0 && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(raised, 1);
}

// A socket left behind by a crashed instance must not block the next start, nor
// make it think another instance runs.
TEST(SingleInstance, AStaleNameIsTakenOver) {
  {
    SingleInstance crashed(uniqueName() + "-stale");
    crashed.listen([] {});
  }
  SingleInstance next(uniqueName() + "-stale");
  EXPECT_FALSE(next.otherIsRunning());
  int raised = 0;
  next.listen([&raised] { ++raised; });
  SingleInstance later(uniqueName() + "-stale");
  EXPECT_TRUE(later.otherIsRunning());
}

}  // namespace
}  // namespace quorvel
