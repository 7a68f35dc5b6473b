// The "Open" track dialog driven with real clicks and keys on a real song:
// how Enter, OK and Close end it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/SongFiles.h"
#include "midifile/TrackAssignment.h"
#include "model/Score.h"
#include "support/FakeUi.h"
#include "support/TestData.h"
#include "ui/MainWindow.h"  // completes the window type that QtUi points to
#include "ui/QtUi.h"
#include "ui/TrackAssignDialog.h"

namespace quorvel {
namespace {

void clickRow(QListWidget& list, int row) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, list.visualItemRect(list.item(row)).center());
}

void clickButton(QWidget& dialog, const QString& text) {
  for (auto* b : dialog.findChildren<QPushButton*>())
    if (b->text() == text) return QTest::mouseClick(b, Qt::LeftButton);
  ADD_FAILURE() << "no button " << text.toStdString();
}

// A song with at least two voice tracks and drums, read track by track.
struct ReadSong {
  std::unique_ptr<Score> score = std::make_unique<Score>();
  ImportResult imported;
};

bool readTracks(const std::string& path, ReadSong& song, test::FakeUi& ui) {
  const auto bytes = readWholeFile(path);
  song = ReadSong{};
  return bytes && readMidiBytes(*song.score, ui, *bytes, ReadOptions{}, song.imported) == 0;
}

std::string firstSongWithVoicesAndDrums() {
  test::FakeUi ui;
  for (const std::string& path : test::openmsxSongs()) {
    ReadSong song;
    if (!readTracks(path, song, ui)) continue;
    const TrackAssignment model = makeTrackAssignment(song.imported, 0);
    if (song.imported.anyDrums && model.voiceRows[1].setIndex >= 0) return path;
  }
  return {};
}

class TrackAssignDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = firstSongWithVoicesAndDrums();
    ASSERT_FALSE(path.empty()) << "no openmsx song with two voice tracks and drums";
    ASSERT_TRUE(readTracks(path, song, fakeUi));
    model = makeTrackAssignment(song.imported, 0);
    offered = model;
  }

  // Acts on the dialog once the core has opened it modally, then leaves it.
  static void whenDialogOpens(std::function<void(TrackAssignDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
      auto* dialog = qobject_cast<TrackAssignDialog*>(QApplication::activeModalWidget());
      if (!dialog) {
        ADD_FAILURE() << "the track dialog did not open";
        if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) other->reject();
        return;
      }
      act(*dialog);
    });
  }

  // The song as the core builds it from a model changed without any widget.
  std::unique_ptr<Score> songFromModel(const TrackAssignment& chosen) {
    ReadSong direct;
    EXPECT_TRUE(readTracks(path, direct, fakeUi));
    applyTrackAssignment(*direct.score, fakeUi, chosen, direct.imported, path);
    return std::move(direct.score);
  }

  std::string path;
  test::FakeUi fakeUi;
  ReadSong song;
  TrackAssignment model;
  TrackAssignment offered;
};

TEST_F(TrackAssignDialogTest, EnterAcceptsWithoutFlippingAToggle) {
  TrackAssignDialog dialog(model);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  // Enter goes where the user's goes: to whatever has the focus when the dialog comes up.
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.voiceOn, offered.voiceOn);
}

TEST_F(TrackAssignDialogTest, CloseLeavesTheSongEmptyAndOkGivesTheSongTheCoreBuildsFromTheSameChoices) {
  QtUi ui;
  Score score;
  whenDialogOpens([](TrackAssignDialog& dialog) { clickButton(dialog, "Close"); });
  EXPECT_EQ(openSongFile(score, ui, path), -1);
  for (int set = kBassSet; set <= kImportedTrackFirst; ++set)
    EXPECT_TRUE(score.noteSets[static_cast<std::size_t>(set)].empty()) << "set " << set;
  EXPECT_TRUE(score.fileName.empty());

  whenDialogOpens([](TrackAssignDialog& dialog) {
    auto* voices = dialog.findChild<QListWidget*>(QStringLiteral("voiceTracks"));
    clickRow(*voices, 0);
    clickButton(dialog, "Down");
    auto* tenor = dialog.findChild<QPushButton*>(QStringLiteral("toggleT"));
    ASSERT_NE(tenor, nullptr);
    QTest::mouseClick(tenor, Qt::LeftButton);
    clickButton(dialog, "OK");
  });
  ASSERT_EQ(openSongFile(score, ui, path), 0);

  TrackAssignment chosen = offered;
  chosen.selectVoice(0);
  chosen.moveDown();
  chosen.voiceOn[2] = !chosen.voiceOn[2];
  const auto expected = songFromModel(chosen);
  const auto unchanged = songFromModel(offered);
  for (int set = kBassSet; set < kDrumSet0 + 4; ++set)
    EXPECT_EQ(score.noteSets[static_cast<std::size_t>(set)], expected->noteSets[static_cast<std::size_t>(set)])
        << "set " << set;
  EXPECT_FALSE(score.noteSets[kSopranoSet].empty());
  EXPECT_NE(score.noteSets[kSopranoSet], unchanged->noteSets[kSopranoSet]);
  EXPECT_TRUE(score.noteSets[kImportedDrums].empty());
}

TEST_F(TrackAssignDialogTest, TheSummarySaysWhatEachToggleDoesInTheSongsLanguage) {
  TrackAssignDialog dialog(model);
  dialog.show();
  auto* soprano = dialog.findChild<QPushButton*>(QStringLiteral("toggleS"));
  auto* summary = dialog.findChild<QLabel*>(QStringLiteral("importSummary"));
  ASSERT_TRUE(soprano && summary);
  const QString firstTrack = QString::fromStdString(model.voiceRows[0].label);
  EXPECT_TRUE(summary->text().contains(QStringLiteral("S: ") + firstTrack)) << summary->text().toStdString();

  // Switching Soprano off is said at once, and the button looks off.
  const QImage on = soprano->grab().toImage();
  QTest::mouseClick(soprano, Qt::LeftButton);
  EXPECT_FALSE(model.voiceOn[0]);
  EXPECT_TRUE(summary->text().contains(QStringLiteral("S: off"))) << summary->text().toStdString();
  EXPECT_NE(soprano->grab().toImage().pixelColor(3, 3), on.pixelColor(3, 3));

  // Tall enough for many tracks; Play without a highlighted row plays the first track.
  auto* voices = dialog.findChild<QListWidget*>(QStringLiteral("voiceTracks"));
  EXPECT_GE(voices->height(), 16 * 22);
  int previewed = -1;
  QObject::connect(&dialog, &TrackAssignDialog::previewRequested, [&](int set) { previewed = set; });
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("playButton")), Qt::LeftButton);
  EXPECT_EQ(previewed, model.voiceRows[0].setIndex);
}

}  // namespace
}  // namespace quorvel
