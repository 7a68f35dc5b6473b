#include "learning/OrderedBatch.h"

namespace quorvel {

unsigned batchThreads(unsigned jobs) {
  if (jobs > 0) return jobs;
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace quorvel
