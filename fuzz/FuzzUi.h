#pragma once
// A Ui that answers every question with Ok and shows nothing, for fuzz targets.
#include "base/Ui.h"

namespace quorvel::fuzz {

class SilentUi : public Ui {
 public:
  void setWindowTitle(const std::string&) override {}
  void setStatus(int, const std::string&) override {}
  MsgAnswer messageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override {
    return MsgAnswer::Ok;
  }
  void redraw(RedrawTarget) override {}
  void pumpEvents() override {}
};

}  // namespace quorvel::fuzz
