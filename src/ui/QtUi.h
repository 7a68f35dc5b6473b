#pragma once
// The Ui port on Qt Widgets: message boxes, file dialogs, the progress window,
// status fields, the title and redraws of the main window.
#include <QPointer>
#include <QProgressDialog>

#include "base/Ui.h"
#include "ui/InfiniteWindow.h"
#include "ui/VoiceLeadingDialog.h"

namespace quorvel {

class MainWindow;
class Player;

class QtUi : public Ui {
 public:
  // The window is attached once it exists; until then the port shows boxes without a parent.
  void attach(MainWindow* window) { window_ = window; }
  // The track-assignment dialog auditions tracks through the player, when there is one.
  void setPlayer(Player* player) { player_ = player; }
  // Opening takes the proposed tracks without asking (unattended runs).
  void acceptProposedTracks() { acceptProposedTracks_ = true; }

  void songStateChanged(const SongState& state) override;
  void setStatus(int field, const std::string& text) override;
  MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgButtons buttons) override;
  void redraw(RedrawTarget target) override;
  void pumpEvents() override;
  void openUrl(const std::string& url) override;
  void showDrumsBand(bool shown) override;
  void requestClose() override;

  void openProgressWindow(const ProgressWindowText& text, int rangeMax) override;
  void setProgressPosition(int position) override;
  void setProgressLines(const std::string& segmentLine, const std::string& retryLine) override;
  void closeProgressWindow() override;
  bool progressCancelled() override;

  void openInfiniteWindow(const InfiniteWindowText& text, bool autoSaveTicked) override;
  void setInfiniteStock(const std::string& stockLine, int stock, int capacity) override;
  void setInfiniteNote(const std::string& note) override;
  void setInfiniteAutoSave(bool ticked) override;
  CheckChange takeInfiniteAutoSaveChange() override;
  bool infiniteWindowOpen() override;
  void closeInfiniteWindow() override;
  InfiniteWindow* infiniteWindow() const { return infinite_.data(); }

  std::string askOpenFileName(const FileDialogRequest& request) override;
  std::string askSaveFileName(const FileDialogRequest& request) override;
  bool runTrackAssignment(TrackAssignment& model) override;
  // Learning-data dialogs and the folder picker (QtUiLearning.cpp).
  std::string askFolder(const std::string& title, const std::string& startFolder) override;
  void runFileListDialog(const FileListDialogRequest& request) override;
  void showTableDialog(const TableDialogRequest& request) override;
  // The voice-leading window (QtUiVoiceLeading.cpp); the one open, or null.
  void showVoiceLeadingWindow(const VoiceLeadingWindowRequest& request) override;
  VoiceLeadingDialog* voiceLeadingWindow() const;

 private:
  QPointer<MainWindow> window_;
  Player* player_ = nullptr;
  bool acceptProposedTracks_ = false;
  QPointer<QProgressDialog> progress_;
  QPointer<VoiceLeadingDialog> voiceLeading_;
  ProgressWindowText progressText_;
  bool progressCancelled_ = false;  // survives the window, which deletes itself when closed
  QPointer<InfiniteWindow> infinite_;
};

}  // namespace quorvel
