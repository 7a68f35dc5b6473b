#pragma once
// Running a piece of a test in a forked child: under a file-size limit, as an
// unprivileged user, or killed with SIGKILL in the middle of its work.
#include <sys/types.h>

#include <functional>

namespace quorvel::test {

// Runs `body` in a child and answers its result (0..255), or -1 when the
// child did not exit normally.
int resultInChild(const std::function<int()>& body);

// In a child: writes beyond `bytes` fail with EFBIG, as on a full disk.
void limitFileSize(long bytes);
// In a child: drops root, so that folder permissions hold as for a user.
void dropRoot();

// Starts `work` in a child (which must not return), lets it run for
// `microseconds`, then kills it with SIGKILL and reaps it.
void killWhileRunning(const std::function<void()>& work, long microseconds);

}  // namespace quorvel::test
