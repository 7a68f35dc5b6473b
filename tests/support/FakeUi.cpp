#include "support/FakeUi.h"

namespace quorvel::test {

MsgAnswer FakeUi::messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                             MsgButtons buttons) {
  messages_.push_back({text, caption, icon, buttons});
  if (!answers_.empty()) {
    const MsgAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  // Unscripted: the plain acknowledgement of the box.
  return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::Yes;
}

std::string FakeUi::status(int field) const {
  auto it = status_.find(field);
  return it == status_.end() ? std::string() : it->second;
}

void FakeUi::clearRecords() {
  messages_.clear();
  redraws_.clear();
  status_.clear();
  pumps_ = 0;
}

}  // namespace quorvel::test
