#pragma once
// The reader and the tools report through the Ui port; batch conversion
// reports failures itself, so their messages go nowhere.
#include "base/Ui.h"

namespace quorvel {

class QuietUi : public Ui {
 public:
  void setWindowTitle(const std::string&) override {}
  void setStatus(int, const std::string&) override {}
  MsgAnswer messageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
  void redraw(RedrawTarget) override {}
  void pumpEvents() override {}
};

}  // namespace quorvel
