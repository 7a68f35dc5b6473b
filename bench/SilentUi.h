#pragma once
// The benchmarks run the core without a user: every message is acknowledged.
#include <string>

#include "base/Ui.h"

namespace quorvel::bench {

class SilentUi : public Ui {
 public:
  void setWindowTitle(const std::string&) override {}
  void setStatus(int, const std::string&) override {}
  MsgAnswer messageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
  void redraw(RedrawTarget) override {}
  void pumpEvents() override {}
};

}  // namespace quorvel::bench
