#pragma once
// Only one generation runs at a time: a command holds the busy bit 0x4000 of
// stateFlags from its start to every way out.
#include "generator/GenerationEnv.h"

namespace quorvel {

class BusyScope {
 public:
  // Refuses with "Now Learning" while a learning-data conversion runs, and
  // silently while another generation holds the bit.
  explicit BusyScope(GenerationEnv& env);
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

  bool acquired() const { return acquired_; }

 private:
  Score& score_;
  bool acquired_ = false;
};

}  // namespace quorvel
