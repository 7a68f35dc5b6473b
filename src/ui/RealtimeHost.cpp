#include "ui/RealtimeHost.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/DialogTexts.h"
#include "app/RealtimeInput.h"
#include "base/Messages.h"
#include "settings/ExtraSettings.h"
#include "ui/MainWindow.h"
#include "ui/RealtimeDialog.h"
#include "ui/views/PianoRoll.h"

namespace quorvel {

namespace {

constexpr int kPollMs = 50;

}  // namespace

RealtimeHost::RealtimeHost(AppContext& app, NotePreview& preview, MainWindow& window, MidiInput& input)
    : app_(app), preview_(preview), window_(window) {
  const auto extraFile = app.settingsPath.empty() ? std::filesystem::path() : extraSettingsPath(app.settingsPath);
  // The keyboard's messages arrive on the input's thread; they are played on the window thread.
  keyboard_ = std::make_unique<MidiKeyboard>(input, extraFile, [this](std::uint32_t message) {
    QMetaObject::invokeMethod(
        this,
        [this, message] {
          preview_.midiInputMessage(message);
          showSoundingKeys();
        },
        Qt::QueuedConnection);
  });
  keyboard_->openRemembered();
  connectPanes();
  lightNoteKeys();
  bindRealTimeButton();
  buildMidiInputMenu();
  connect(&timer_, &QTimer::timeout, this, &RealtimeHost::poll);
  timer_.start(kPollMs);
}

// No message may arrive for a host that is gone.
RealtimeHost::~RealtimeHost() { keyboard_->close(); }

void RealtimeHost::showSoundingKeys() { window_.pianoRoll()->setSoundingKeys(preview_.soundingKeys()); }

// The computer keyboard's notes light their keys as they sound.
void RealtimeHost::lightNoteKeys() {
  const auto wrap = [this](std::function<void(AppContext&, int)>& op) {
    op = [this, play = op](AppContext& a, int offset) {
      if (play) play(a, offset);
      showSoundingKeys();
    };
  };
  wrap(app_.ops.noteKeyDown);
  wrap(app_.ops.noteKeyUp);
}

void RealtimeHost::connectPanes() {
  views::PianoRoll* panes = window_.pianoRoll();
  connect(panes, &views::PianoRoll::pianoKeyPressed, this,
          [this](int key) { preview_.keyPressed(key - app_.score.keyBase, kSourceMouse); });
  connect(panes, &views::PianoRoll::pianoKeyReleased, this, [this](int) { preview_.keyReleased(kNoKey, kSourceMouse); });
  connect(panes, &views::PianoRoll::drumLanePressed, this, [this](int lane) { preview_.previewDrum(lane); });
  connect(panes, &views::PianoRoll::drumLaneReleased, this, [this](int) { preview_.releaseDrum(); });
}

// Down (and not busy, not infinite): the dialog decides; up: the take ends.
int RealtimeHost::realTimeButton(int down) {
  if (!down) {
    stopRealtimeMode(app_, preview_);
    poll();
    return 0;
  }
  int result = -2;
  if (!app_.busy() && !app_.infinite()) {
    const auto choice = RealtimeDialog::ask(app_.score.editPart(), app_.score.language(), app_.ui, &window_);
    if (choice) result = startRealtimeMode(app_, preview_, *choice);
  }
  poll();
  return result;
}

void RealtimeHost::bindRealTimeButton() {
  app_.commands.bind(cmd::kRealTime, [this](AppContext&, int down) { return realTimeButton(down); });
}

void RealtimeHost::poll() {
  preview_.writeFinishedNotes();
  showSoundingKeys();
  if (QAction* button = window_.toolBand().button(cmd::kRealTime)) {
    const QSignalBlocker block(button);
    button->setChecked(preview_.realtimeMode() != 0);
  }
}

void RealtimeHost::buildMidiInputMenu() {
  menu_ = window_.menuBar()->addMenu(QString::fromStdString(dialogText("MIDI &Input", app_.score.language())));
  menu_->setObjectName(QStringLiteral("midiInputMenu"));
  connect(menu_, &QMenu::aboutToShow, this, &RealtimeHost::fillMidiInputMenu);
  fillMidiInputMenu();
}

// The ports as they are now; with none (as on a machine without a MIDI system) the menu says so.
void RealtimeHost::fillMidiInputMenu() {
  menu_->clear();
  const int language = app_.score.language();
  const std::vector<std::string> ports = keyboard_->ports();
  if (ports.empty()) {
    menu_->addAction(QString::fromStdString(dialogText("No MIDI input port", language)))->setEnabled(false);
    return;
  }
  auto* group = new QActionGroup(menu_);
  const auto add = [&](const QString& label, const std::string& port) {
    QAction* a = menu_->addAction(label);
    a->setCheckable(true);
    a->setChecked(port == keyboard_->chosen());
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, port, language] {
      if (keyboard_->choose(port) != 0)
        app_.ui.messageBox(localized("Failed to open MIDI device", language), "Quorvel", MsgIcon::Exclamation,
                           MsgButtons::Ok);
    });
  };
  add(QString::fromStdString(localized("None", language)), "");
  for (const std::string& port : ports) add(QString::fromStdString(port), port);
}

}  // namespace quorvel
