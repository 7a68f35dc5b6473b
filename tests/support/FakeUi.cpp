#include "support/FakeUi.h"

#include <thread>

namespace quorvel::test {

void FakeUi::checkWatchedLock() {
  if (!watched_) return;
  bool free = false;
  std::thread probe([this, &free] {
    free = watched_->try_lock();
    if (free) watched_->unlock();
  });
  probe.join();
  if (!free) ++callsUnderLock_;
}

MsgAnswer FakeUi::messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                             MsgButtons buttons) {
  checkWatchedLock();
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

void FakeUi::openProgressWindow(const ProgressWindowText& text, int rangeMax) {
  progressOpen_ = true;
  progressOpenings_.emplace_back(text, rangeMax);
  progressLines_.emplace_back(text.segmentLine, text.retryLine);
}

void FakeUi::setProgressLines(const std::string& segmentLine, const std::string& retryLine) {
  progressLines_.emplace_back(segmentLine, retryLine);
}

void FakeUi::closeProgressWindow() {
  progressOpen_ = false;
  ++progressCloses_;
}

namespace {

std::string nextOrCancel(std::deque<std::string>& queue) {
  if (queue.empty()) return {};
  std::string path = queue.front();
  queue.pop_front();
  return path;
}

}  // namespace

std::string FakeUi::askOpenFileName(const FileDialogRequest& request) {
  fileDialogs_.push_back(request);
  return nextOrCancel(openPaths_);
}

std::string FakeUi::askFolder(const std::string& title, const std::string&) {
  folderTitles_.push_back(title);
  return nextOrCancel(folders_);
}

std::string FakeUi::askSaveFileName(const FileDialogRequest& request) {
  fileDialogs_.push_back(request);
  return nextOrCancel(savePaths_);
}

bool FakeUi::runTrackAssignment(TrackAssignment& model) {
  ++trackAssignments_;
  return trackAnswer_ ? trackAnswer_(model) : true;
}

void FakeUi::clearRecords() {
  messages_.clear();
  status_.clear();
  pumps_ = 0;
}

void FakeUi::openInfiniteWindow(const InfiniteWindowText& text, bool autoSaveTicked) {
  infiniteOpen_ = true;
  ++infiniteOpenings_;
  infiniteText_ = text;
  autoSaveTicked_ = autoSaveTicked;
}

void FakeUi::setInfiniteStock(const std::string& stockLine, int stock, int /*capacity*/) {
  stockLines_.push_back(stockLine);
  stocks_.push_back(stock);
}

void FakeUi::clickInfiniteAutoSave() {
  autoSaveTicked_ = !autoSaveTicked_;
  autoSaveChange_ = autoSaveTicked_ ? CheckChange::Ticked : CheckChange::Unticked;
}

CheckChange FakeUi::takeInfiniteAutoSaveChange() {
  const CheckChange change = autoSaveChange_;
  autoSaveChange_ = CheckChange::None;
  return change;
}

}  // namespace quorvel::test
