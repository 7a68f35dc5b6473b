#pragma once
// The one way the core reaches the user. The Qt front-end implements it; tests
// use a scripted fake. Later features add their dialogs here.
#include <string>

namespace quorvel {

enum class MsgIcon { None, Exclamation, Question, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// What a redraw request refers to.
enum class RedrawTarget { Melody, Drums, Ruler, KeyNote, All };

class Ui {
 public:
  virtual ~Ui() = default;

  virtual void setWindowTitle(const std::string& title) = 0;
  // Status-bar fields 0..3.
  virtual void setStatus(int field, const std::string& text) = 0;
  virtual MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                               MsgButtons buttons) = 0;
  virtual void redraw(RedrawTarget target) = 0;
  // Lets the window repaint and react during long runs on the window thread.
  virtual void pumpEvents() = 0;
};

}  // namespace quorvel
