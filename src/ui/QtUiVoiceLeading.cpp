// The Ui port's voice-leading window on Qt: modeless, one at a time.
#include "ui/MainWindow.h"
#include "ui/QtUi.h"
#include "ui/VoiceLeadingDialog.h"

namespace quorvel {

void QtUi::showVoiceLeadingWindow(const VoiceLeadingWindowRequest& request) {
  // A new check replaces the old list, whose rows may name notes since moved.
  if (voiceLeading_) voiceLeading_->close();
  voiceLeading_ = new VoiceLeadingDialog(request, window_.data());
  voiceLeading_->setAttribute(Qt::WA_DeleteOnClose);
  voiceLeading_->show();
  voiceLeading_->raise();
}

VoiceLeadingDialog* QtUi::voiceLeadingWindow() const { return voiceLeading_.data(); }

}  // namespace quorvel
