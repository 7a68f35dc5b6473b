#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/AppSettingsListener.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/FileDrop.h"
#include "app/RealtimeInput.h"
#include "app/Version.h"
#include "base/Messages.h"
#include "base/TextFormat.h"
#include "app/StartUp.h"
#include "netgen/adapters/RemoteConnection.h"
#include "playback/Player.h"
#include "playback/adapters/RealtimeKitBroker.h"
#include "playback/adapters/RtMidiInput.h"
#include "playback/adapters/SystemDevices.h"
#include "settings/SettingsLocation.h"
#include "ui/MainWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/QtUi.h"
#include "ui/RealtimeHost.h"
#include "ui/SingleInstance.h"

namespace {

bool isSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Without a display Qt would abort with a terse message; say what to do instead.
bool displayAvailable() { return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM"); }

void explainMissingDisplay() {
  std::fputs(
      "quorvel: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
      "Quorvel is a desktop program and needs a graphical session. Without one, either run it\n"
      "under a virtual X server:\n"
      "    xvfb-run -a bash scripts/run.sh\n"
      "or let Qt draw off screen (nothing is shown, useful for checks):\n"
      "    QT_QPA_PLATFORM=offscreen bash scripts/run.sh\n",
      stderr);
}

std::vector<quorvel::ScreenRect> workAreas() {
  std::vector<quorvel::ScreenRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->availableGeometry();
    areas.push_back({r.left(), r.top(), r.width(), r.height()});
  }
  return areas;
}

// The grooves of local drums generation; without them that generation has nothing to draw from.
void loadDrumGrooves(quorvel::AppContext& app) {
  std::string error;
  const auto file = quorvel::findDrumLibrary(app.programDir);
  if (file.empty() || quorvel::loadDrumLibrary(file, app.drumLibrary, error) != 0)
    std::fprintf(stderr, "quorvel: drum patterns not loaded: %s\n", file.empty() ? "file not found" : error.c_str());
}

// Play controls of the ruler: a dragged cue pauses playback and resumes it after.
void connectTransport(quorvel::AppContext& app, quorvel::Player& player) {
  app.transport.pause = [&player] { player.pause(); };
  app.transport.resume = [&player] { player.play(); };
  app.transport.placeCue = [&player](int x) { player.moveCueTo(x); };
}

struct Arguments {
  QString file;        // a MIDI file to open, if any
  QString screenshot;  // a PNG to draw the window into before quitting
  bool ofOptions = false;  // draw the Options window instead of the main window
};

Arguments parseArguments(const QApplication& application) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Quorvel: a composition assistant for four voices and drums.");
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption screenshot(
      "screenshot", "Open the file with its proposed tracks, draw the window into a PNG file and quit.", "png");
  parser.addOption(screenshot);
  const QCommandLineOption ofOptions("screenshot-options", "With --screenshot: draw the Options window.");
  parser.addOption(ofOptions);
  parser.addPositionalArgument("file", "A MIDI file to open (.mid, .midi).", "[file]");
  parser.process(application);
  const QStringList files = parser.positionalArguments();
  return {files.isEmpty() ? QString() : files.first(), parser.value(screenshot), parser.isSet(ofOptions)};
}

// The pictures of the help pages and the README are made this way, so they
// show the program as it is.
void takeScreenshotWhenSettled(QWidget& window, const QString& path, const std::function<QWidget*()>& shown) {
  constexpr int kSettleMs = 1000;
  QTimer::singleShot(kSettleMs, &window, [&window, path, shown] {
    QWidget* const target = shown ? shown() : &window;
    const bool saved = target && target->grab().save(path, "PNG");
    if (!saved) std::fprintf(stderr, "quorvel: %s could not be written\n", path.toLocal8Bit().constData());
    QCoreApplication::exit(saved ? 0 : 1);
  });
}

quorvel::OptionsWindow* openOptionsWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* options = qobject_cast<quorvel::OptionsWindow*>(widget); options && options->isVisible()) return options;
  return nullptr;
}

// A file for a second Quorvel is refused in words rather than dropped unseen.
void refuseSecondFile(const QString& file, int language) {
  const std::string text = quorvel::formatWithString(
      quorvel::localized("Quorvel is already running. Open \"%s\" there with File > Open; it was not opened here.",
                         language),
      file.toStdString());
  std::fprintf(stderr, "quorvel: %s\n", text.c_str());
  QMessageBox::warning(nullptr, "Quorvel", QString::fromStdString(text));
}

}  // namespace

int main(int argc, char** argv) {
  if (!displayAvailable()) {
    explainMissingDisplay();
    return 2;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quorvel");
  QApplication::setApplicationVersion(quorvel::kVersion);
  QApplication::setDesktopFileName("org.quorvel.Quorvel");
  const Arguments arguments = parseArguments(application);
  const QString& file = arguments.file;
  quorvel::QtUi ui;
  quorvel::AppContext app(ui);
  app.programDir = QCoreApplication::applicationDirPath().toStdString();
  loadDrumGrooves(app);
  app.remoteClient = quorvel::makeRemoteClient(quorvel::serverAddressFromEnvironment(), app.programDir);

  quorvel::SystemDevices devices;
  quorvel::RealtimeKitBroker realtimeKit;
  quorvel::ThreadPolicy threadPolicy(quorvel::systemSchedulingCalls(), &realtimeKit, true);
  quorvel::Player player(app.score, devices, quorvel::PlayerOptions{.threadPolicy = &threadPolicy});
  player.startOutputThread();
  player.startPlayerThread();
  app.player = &player;
  player.setInfinitePlayback(&app.infiniteStock);
  ui.setPlayer(&player);
  connectTransport(app, player);
  app.settingsPath = quorvel::settingsFilePath(quorvel::currentSettingsPlaces());
  quorvel::AppSettingsListener listener(app);
  quorvel::readSettingsAtStart(app, listener, workAreas());

  quorvel::SingleInstance instance(quorvel::SingleInstance::defaultName());
  if (!file.isEmpty() && arguments.screenshot.isEmpty() && instance.otherIsRunning()) {
    refuseSecondFile(file, app.score.settings.general.language);
    player.shutdown();
    return 1;
  }

  quorvel::MainWindow window(app);
  ui.attach(&window);
  window.applyStoredPlacement();

  // Note preview and real-time input: messages go out through the output thread.
  quorvel::GeneratorPartners partners(app.score, app.random);
  quorvel::NotePreview preview(app.score, ui,
                               {[&player](std::uint32_t m) { player.postShortMessage(m); }, [&player] { player.play(); }},
                               &partners);
  player.setNotePreview(&preview);
  quorvel::wireRealtimeInput(app, preview);
  quorvel::RtMidiInput midiInput;
  quorvel::RealtimeHost realtime(app, preview, window, midiInput);
  quorvel::bindOptionsWindow(app, listener, window);
  window.show();
  instance.listen([&window] {
    window.raise();
    window.activateWindow();
  });
  if (!arguments.screenshot.isEmpty()) {
    ui.acceptProposedTracks();
    std::function<QWidget*()> shown;
    if (arguments.ofOptions) {
      QTimer::singleShot(0, &window, [&app] { quorvel::dispatch(app, quorvel::cmd::kOptions); });
      shown = [] { return static_cast<QWidget*>(openOptionsWindow()); };
    }
    takeScreenshotWhenSettled(window, arguments.screenshot, shown);
  }
  if (!file.isEmpty())
    QTimer::singleShot(0, &window, [&app, file] { quorvel::dropFiles(app, {file.toStdString()}); });

  // The player thread publishes the cue and device failures; the window thread shows them.
  QTimer playerPoll;
  QObject::connect(&playerPoll, &QTimer::timeout, [&player, &ui] { player.refreshUi(ui); });
  playerPoll.start(50);

  const int result = application.exec();
  player.setNotePreview(nullptr);
  player.shutdown();
  return result;
}
