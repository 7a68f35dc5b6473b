#pragma once
// The one way the core reaches the user. The Qt front-end implements it; tests
// use a scripted fake. Later features add their dialogs here.
#include <functional>
#include <string>
#include <vector>

namespace quorvel {

enum class MsgIcon { None, Exclamation, Question, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// What a redraw request refers to.
enum class RedrawTarget { Melody, Drums, Ruler, KeyNote, All };

// What a file dialog shows: "MIDI(*.mid,*.midi)", default extension "midi",
// the starting folder and (save dialog) the starting file name.
struct FileDialogRequest {
  std::string filter;
  std::string defaultExtension;
  std::string folder;
  std::string initialName;
};

struct TrackAssignment;

// A modal dialog over a list of files dropped from the shell, with one group
// of radio buttons and the buttons Delete, Clear, Convert and Close; texts
// already in the user's language.
struct FileListDialogRequest {
  std::string title;
  std::string groupTitle;
  std::vector<std::string> choices;  // the radio buttons, in order
  int selected = 0;                  // the radio checked when the dialog opens
  std::string deleteLabel, clearLabel, convertLabel, closeLabel;
  // Convert pressed: runs with the listed paths and the checked radio while
  // the dialog stays open.
  std::function<void(const std::vector<std::string>& files, int choice)> convert;
};

// A modal dialog showing a table; Ctrl+C copies `clipboardText`.
struct TableDialogRequest {
  std::string title;
  std::vector<std::string> columnTitles;
  std::vector<int> columnWidths;
  std::vector<std::vector<std::string>> rows;  // the first cell of a row is its title
  std::string clipboardText;
  std::string okLabel, closeLabel, convertLabel;  // all three just close it
};

// The modeless window of the voice-leading check: one row per place that
// breaks a rule; texts already in the user's language.
struct VoiceLeadingWindowRequest {
  std::string title;
  std::vector<std::string> columnTitles;       // bar, beat, voices, rule
  std::vector<std::vector<std::string>> rows;  // one cell per column
  std::string summary;                         // the line above the table
  std::string closeLabel;
  // A row was clicked: selects its notes in the piano roll.
  std::function<void(int row)> rowChosen;
};

// Texts of a progress window, already in the user's language.
struct ProgressWindowText {
  std::string title;        // "Now Generating.."
  std::string text;         // "Now generating melody lines.."
  std::string segmentLine;  // "Segment: 1 / 2"
  std::string retryLine;    // "Retry count: 4 / 100"
  std::string cancelLabel;  // "Cancel"
};

// Texts of the infinite-generation window, already in the user's language.
struct InfiniteWindowText {
  std::string title;          // "Infinitely generating.."
  std::string text;           // "Now generating melodies infinitely.."
  std::string stockLine;      // "Stock: 0 / 16."
  std::string autoSaveLabel;  // "Auto Save to MIDI file"
  std::string stopLabel;      // "Stop"
};

// What the user did to a check box since it was last asked.
enum class CheckChange { None, Ticked, Unticked };

// Where the song stands with its file. The core reports it; the front-end
// words it (the window title).
struct SongState {
  std::string fileName;  // empty: not saved yet
  bool modified = false;
  int language = 0;
};

class Ui {
 public:
  virtual ~Ui() = default;

  virtual void songStateChanged(const SongState& state) = 0;
  // Status-bar fields 0..3.
  virtual void setStatus(int field, const std::string& text) = 0;
  virtual MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                               MsgButtons buttons) = 0;
  virtual void redraw(RedrawTarget target) = 0;
  // Lets the window repaint and react during long runs on the window thread.
  virtual void pumpEvents() = 0;

  // Window-level effects of commands; a front-end without windows ignores them.
  virtual void openUrl(const std::string& /*url*/) {}
  // Shows or hides the drums band (the window grows or shrinks with it).
  virtual void showDrumsBand(bool /*shown*/) {}
  // Asks the main window to close; closing runs the close sequence.
  virtual void requestClose() {}

  // The modeless progress window of long generation runs. A front-end
  // without windows shows nothing and is never cancelled.
  virtual void openProgressWindow(const ProgressWindowText& /*text*/, int /*rangeMax*/) {}
  virtual void setProgressPosition(int /*position*/) {}
  virtual void setProgressLines(const std::string& /*segmentLine*/, const std::string& /*retryLine*/) {}
  virtual void closeProgressWindow() {}
  // True once Cancel was pressed (or the window closed) since the window opened.
  virtual bool progressCancelled() { return false; }

  // The modeless window of infinite generation: the stock line with a bar of
  // the stock, a line for trouble (empty when there is none), the check box
  // "Auto Save to MIDI file" and Stop. A front-end without windows shows
  // nothing, and its window is never open, so a run ends after its first block.
  virtual void openInfiniteWindow(const InfiniteWindowText& /*text*/, bool /*autoSaveTicked*/) {}
  virtual void setInfiniteStock(const std::string& /*stockLine*/, int /*stock*/, int /*capacity*/) {}
  virtual void setInfiniteNote(const std::string& /*note*/) {}
  virtual void setInfiniteAutoSave(bool /*ticked*/) {}
  virtual CheckChange takeInfiniteAutoSaveChange() { return CheckChange::None; }
  // False once Stop was pressed or the window closed.
  virtual bool infiniteWindowOpen() { return false; }
  virtual void closeInfiniteWindow() {}

  // File dialogs; an empty answer means the user cancelled. The save dialog
  // asks before overwriting and accepts only paths whose folder exists.
  virtual std::string askOpenFileName(const FileDialogRequest& /*request*/) { return {}; }
  virtual std::string askSaveFileName(const FileDialogRequest& /*request*/) { return {}; }
  // The folder picker: a window title and the folder it starts in; an empty
  // answer means the user cancelled.
  virtual std::string askFolder(const std::string& /*title*/, const std::string& /*startFolder*/) { return {}; }
  // The "Open" track-assignment dialog over its model; true for OK, false for Close.
  virtual bool runTrackAssignment(TrackAssignment& /*model*/) { return false; }
  // The learning-data dialogs; a front-end without windows shows nothing.
  virtual void runFileListDialog(const FileListDialogRequest& /*request*/) {}
  virtual void showTableDialog(const TableDialogRequest& /*request*/) {}
  // Shows the voice-leading findings, replacing a window already open; a
  // front-end without windows shows nothing.
  virtual void showVoiceLeadingWindow(const VoiceLeadingWindowRequest& /*request*/) {}
};

}  // namespace quorvel
