#pragma once
// A Ui for work without a user (batch conversion, benchmarks, fuzzing): it
// shows nothing and answers every question with Ok, so callers report
// failures themselves.
#include "base/Ui.h"

namespace quorvel {

class QuietUi : public Ui {
 public:
  void songStateChanged(const SongState&) override {}
  void setStatus(int, const std::string&) override {}
  MsgAnswer messageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
  void redraw(RedrawTarget) override {}
  void pumpEvents() override {}
};

}  // namespace quorvel
