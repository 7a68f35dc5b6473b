#pragma once
// Runs one job per input on several threads and hands the results over on
// the calling thread in input order, so a parallel run writes exactly what a
// sequential one would. Workers stay at most a bounded distance ahead of the
// consumer, so results of a large corpus never pile up in memory.
#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quorvel {

// Threads to use for `jobs` (0 = every core).
unsigned batchThreads(unsigned jobs);

template <class Result>
class OrderedBatch {
 public:
  // work(index, worker) runs on worker threads; worker is 0..threads-1 so a
  // job can use per-thread scratch state. deliver(index, result) runs on the
  // calling thread in index order.
  using Work = std::function<Result(std::size_t index, unsigned worker)>;
  using Deliver = std::function<void(std::size_t index, Result& result)>;

  static void run(std::size_t count, unsigned threads, const Work& work, const Deliver& deliver) {
    OrderedBatch batch(count, std::max(1u, threads));
    batch.start(work);
    batch.consume(deliver);
    for (std::thread& t : batch.workers_) t.join();
  }

 private:
  OrderedBatch(std::size_t count, unsigned threads)
      : count_(count), threads_(threads), window_(64 * static_cast<std::size_t>(threads)), slots_(window_) {}

  void start(const Work& work) {
    for (unsigned w = 0; w < threads_; ++w) workers_.emplace_back([this, &work, w] { workLoop(work, w); });
  }

  void workLoop(const Work& work, unsigned worker) {
    for (;;) {
      std::size_t index;
      {
        std::unique_lock lock(mutex_);
        roomForMore_.wait(lock, [&] { return next_ >= count_ || next_ < delivered_ + window_; });
        if (next_ >= count_) return;
        index = next_++;
      }
      Result result = work(index, worker);
      {
        std::lock_guard lock(mutex_);
        slots_[index % window_] = std::move(result);
      }
      resultReady_.notify_all();
    }
  }

  void consume(const Deliver& deliver) {
    for (std::size_t index = 0; index < count_; ++index) {
      Result result;
      {
        std::unique_lock lock(mutex_);
        std::optional<Result>& slot = slots_[index % window_];
        resultReady_.wait(lock, [&] { return slot.has_value(); });
        result = std::move(*slot);
        slot.reset();
        delivered_ = index + 1;
      }
      roomForMore_.notify_all();
      deliver(index, result);
    }
  }

  const std::size_t count_;
  const unsigned threads_;
  const std::size_t window_;
  std::vector<std::optional<Result>> slots_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable roomForMore_, resultReady_;
  std::size_t next_ = 0;       // next index to hand to a worker
  std::size_t delivered_ = 0;  // indices below this have been delivered
};

}  // namespace quorvel
