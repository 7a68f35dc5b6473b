#pragma once
// Scripted stand-in for the user: answers message boxes from a queue and
// records everything the core showed.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/Ui.h"

namespace quorvel::test {

struct ShownMessage {
  std::string text;
  std::string caption;
  MsgIcon icon;
  MsgButtons buttons;
};

class FakeUi : public Ui {
 public:
  void setWindowTitle(const std::string& title) override { title_ = title; }
  void setStatus(int field, const std::string& text) override { status_[field] = text; }
  MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgButtons buttons) override;
  void redraw(RedrawTarget target) override { redraws_.push_back(target); }
  void pumpEvents() override { ++pumps_; }

  // Answers for the next message boxes; unscripted boxes answer Ok (or Yes).
  void queueAnswer(MsgAnswer a) { answers_.push_back(a); }

  const std::string& title() const { return title_; }
  std::string status(int field) const;
  const std::vector<ShownMessage>& messages() const { return messages_; }
  const std::vector<RedrawTarget>& redraws() const { return redraws_; }
  int pumps() const { return pumps_; }
  void clearRecords();

 private:
  std::string title_;
  std::map<int, std::string> status_;
  std::vector<ShownMessage> messages_;
  std::vector<RedrawTarget> redraws_;
  std::deque<MsgAnswer> answers_;
  int pumps_ = 0;
};

}  // namespace quorvel::test
