#pragma once
// Scripted stand-in for the user: answers message boxes from a queue and
// records everything the core showed.
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "base/Ui.h"

namespace quorvel::test {

struct ShownMessage {
  std::string text;
  std::string caption;
  MsgIcon icon;
  MsgButtons buttons;
};

class FakeUi : public Ui {
 public:
  void songStateChanged(const SongState& state) override {
    checkWatchedLock();
    songState_ = state;
  }
  void setStatus(int field, const std::string& text) override {
    checkWatchedLock();
    status_[field] = text;
  }
  MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgButtons buttons) override;
  void redraw(RedrawTarget) override { checkWatchedLock(); }
  void pumpEvents() override {
    checkWatchedLock();
    ++pumps_;
    if (pumpHook_) pumpHook_();
  }
  void openUrl(const std::string& url) override { openedUrls_.push_back(url); }
  void showDrumsBand(bool shown) override { drumsBandShown_ = shown; }
  void requestClose() override { ++closeRequests_; }
  void openProgressWindow(const ProgressWindowText& text, int rangeMax) override;
  void setProgressPosition(int position) override { progressPositions_.push_back(position); }
  void setProgressLines(const std::string& segmentLine, const std::string& retryLine) override;
  void closeProgressWindow() override;
  bool progressCancelled() override { return progressOpen_ && cancelWhenOpen_; }
  std::string askOpenFileName(const FileDialogRequest& request) override;
  std::string askSaveFileName(const FileDialogRequest& request) override;
  std::string askFolder(const std::string& title, const std::string& startFolder) override;
  void runFileListDialog(const FileListDialogRequest& request) override { fileListDialogs_.push_back(request); }
  void showTableDialog(const TableDialogRequest& request) override { tableDialogs_.push_back(request); }
  void showVoiceLeadingWindow(const VoiceLeadingWindowRequest& request) override {
    voiceLeadingWindows_.push_back(request);
  }
  bool runTrackAssignment(TrackAssignment& model) override;
  void openInfiniteWindow(const InfiniteWindowText& text, bool autoSaveTicked) override;
  void setInfiniteStock(const std::string& stockLine, int stock, int capacity) override;
  void setInfiniteNote(const std::string& note) override { infiniteNotes_.push_back(note); }
  void setInfiniteAutoSave(bool ticked) override { autoSaveTicked_ = ticked; }
  CheckChange takeInfiniteAutoSaveChange() override;
  bool infiniteWindowOpen() override { return infiniteOpen_; }
  void closeInfiniteWindow() override { infiniteOpen_ = false; }

  // Answers for the next message boxes; unscripted boxes answer Ok (or Yes).
  void queueAnswer(MsgAnswer a) { answers_.push_back(a); }
  // The user presses Cancel as soon as a progress window shows.
  void cancelProgressWhenOpen() { cancelWhenOpen_ = true; }
  // Paths the user picks in the next open/save dialogs; unscripted dialogs are cancelled.
  void queueOpenPath(const std::string& path) { openPaths_.push_back(path); }
  void queueSavePath(const std::string& path) { savePaths_.push_back(path); }
  // Folders the user picks in the next folder choosers; unscripted ones are cancelled.
  void queueFolder(const std::string& path) { folders_.push_back(path); }
  // Runs at every pump: tests move a simulated clock and act as the user there.
  void onPump(std::function<void()> hook) { pumpHook_ = std::move(hook); }
  // The infinite-generation window's Stop and its check box.
  void pressInfiniteStop() { infiniteOpen_ = false; }
  void clickInfiniteAutoSave();
  // What the user does in the "Open" dialog; unscripted, OK on the model as offered.
  void onTrackAssignment(std::function<bool(TrackAssignment&)> answer) { trackAnswer_ = std::move(answer); }

  const SongState& songState() const { return songState_; }
  std::string status(int field) const;
  const std::vector<ShownMessage>& messages() const { return messages_; }
  int pumps() const { return pumps_; }
  const std::vector<std::string>& openedUrls() const { return openedUrls_; }
  bool drumsBandShown() const { return drumsBandShown_; }
  int closeRequests() const { return closeRequests_; }
  bool progressOpen() const { return progressOpen_; }
  // Every window opened, with the range it was given.
  const std::vector<std::pair<ProgressWindowText, int>>& progressOpenings() const { return progressOpenings_; }
  // Segment and retry lines in the order they were shown (openings included).
  const std::vector<std::pair<std::string, std::string>>& progressLines() const { return progressLines_; }
  const std::vector<int>& progressPositions() const { return progressPositions_; }
  int progressCloses() const { return progressCloses_; }
  const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
  int trackAssignments() const { return trackAssignments_; }
  const std::vector<std::string>& folderTitles() const { return folderTitles_; }
  const std::vector<FileListDialogRequest>& fileListDialogs() const { return fileListDialogs_; }
  const std::vector<TableDialogRequest>& tableDialogs() const { return tableDialogs_; }
  const std::vector<VoiceLeadingWindowRequest>& voiceLeadingWindows() const { return voiceLeadingWindows_; }
  bool infiniteOpen() const { return infiniteOpen_; }
  int infiniteOpenings() const { return infiniteOpenings_; }
  const InfiniteWindowText& infiniteText() const { return infiniteText_; }
  bool autoSaveTicked() const { return autoSaveTicked_; }
  const std::vector<std::string>& stockLines() const { return stockLines_; }
  const std::vector<int>& stocks() const { return stocks_; }
  const std::vector<std::string>& infiniteNotes() const { return infiniteNotes_; }
  void clearRecords();

  // Counts the calls that reach the window while `lock` is held: the real
  // window paints there, and the player thread would wait for it. Checked
  // from another thread, since the note lock is recursive.
  void watchForCallsUnder(std::recursive_mutex& lock) { watched_ = &lock; }
  int callsUnderWatchedLock() const { return callsUnderLock_; }

 private:
  SongState songState_;
  std::map<int, std::string> status_;
  std::vector<ShownMessage> messages_;
  std::deque<MsgAnswer> answers_;
  int pumps_ = 0;
  std::vector<std::string> openedUrls_;
  bool drumsBandShown_ = true;
  int closeRequests_ = 0;
  bool progressOpen_ = false;
  bool cancelWhenOpen_ = false;
  int progressCloses_ = 0;
  std::vector<std::pair<ProgressWindowText, int>> progressOpenings_;
  std::vector<std::pair<std::string, std::string>> progressLines_;
  std::vector<int> progressPositions_;
  std::deque<std::string> openPaths_;
  std::deque<std::string> savePaths_;
  std::deque<std::string> folders_;
  std::vector<std::string> folderTitles_;
  std::vector<FileListDialogRequest> fileListDialogs_;
  std::vector<TableDialogRequest> tableDialogs_;
  std::vector<VoiceLeadingWindowRequest> voiceLeadingWindows_;
  std::vector<FileDialogRequest> fileDialogs_;
  std::function<bool(TrackAssignment&)> trackAnswer_;
  int trackAssignments_ = 0;
  std::function<void()> pumpHook_;
  bool infiniteOpen_ = false;
  int infiniteOpenings_ = 0;
  InfiniteWindowText infiniteText_;
  bool autoSaveTicked_ = false;
  CheckChange autoSaveChange_ = CheckChange::None;
  std::vector<std::string> stockLines_;
  std::vector<int> stocks_;
  std::vector<std::string> infiniteNotes_;
  std::recursive_mutex* watched_ = nullptr;
  int callsUnderLock_ = 0;
  void checkWatchedLock();
};

}  // namespace quorvel::test
