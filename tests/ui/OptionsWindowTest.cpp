// The Options window on Qt's offscreen platform, driven through its widgets:
// validation, Default and Cancel, the restart message, the File page's rules,
// every page reaching the live settings, and layouts in which nothing is cut off.
#include "ui/OptionsWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "app/AppContext.h"
#include "app/AppSettingsListener.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

template <typename W>
W* nth(QWidget* page, int index) {
  const auto all = page->findChildren<W*>();
  return index < all.size() ? all[index] : nullptr;
}

QComboBox* comboOffering(QWidget* page, const QString& entry) {
  for (auto* c : page->findChildren<QComboBox*>())
    if (c->findText(entry) >= 0) return c;
  return nullptr;
}

QAbstractButton* buttonLabelled(QWidget* page, const QString& text) {
  for (auto* b : page->findChildren<QAbstractButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

class OptionsWindowTest : public ::testing::Test {
 protected:
  void open(int language = 0) {
    app.score.settings.general.language = language;
    window = std::make_unique<OptionsWindow>(app, listener, nullptr);
    window->showBesideMain();
  }
  QWidget* page(int tab) { return window->tabs()->widget(tab); }
  void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void click(const char* label) {
    auto* b = buttonLabelled(window.get(), label);
    ASSERT_NE(b, nullptr) << label;
    QTest::mouseClick(b, Qt::LeftButton);
  }

  test::FakeUi ui;
  AppContext app{ui};
  AppSettingsListener listener{app};
  std::unique_ptr<OptionsWindow> window;
};

TEST_F(OptionsWindowTest, DefaultThenCancelLeavesTheLiveSettingsAndThePageAsTheyWere) {
  app.score.settings.parts.instruments = {0, 1, 2, 3};
  app.score.settings.parts.playStrictLines = 10;
  open();
  window->tabs()->setCurrentIndex(kTabParts);
  click("Default");
  EXPECT_EQ(nth<QComboBox>(page(kTabParts), 0)->currentIndex(), 94);
  click("Cancel");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(app.score.settings.parts.instruments, (std::array<std::int32_t, 4>{0, 1, 2, 3}));
  EXPECT_EQ(app.score.settings.parts.playStrictLines, 10);
  window->showBesideMain();
  EXPECT_EQ(nth<QComboBox>(page(kTabParts), 0)->currentIndex(), 0);  // shown from the live settings again
  EXPECT_EQ(window->model().dirty(), 0);
}

TEST_F(OptionsWindowTest, ALanguageOnlyApplyShowsTheRestartMessageOnce) {
  open();
  comboOffering(page(kTabGeneral), QString::fromUtf8("日本語"))->setCurrentIndex(1);
  click("Apply");
  click("Apply");
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "You have to restart Quorvel for the changes to take effect.");
  EXPECT_EQ(app.score.language(), 1);
}

TEST_F(OptionsWindowTest, TheTwoReadAllNotesBoxesExcludeEachOther) {
  open();
  QWidget* file = page(kTabFile);
  auto* format0 = buttonLabelled(file, "Always read as format 0.");
  auto* drums = buttonLabelled(file, "Read all notes as drums track.");
  auto* regular = buttonLabelled(file, "Read all notes as regular track.");
  EXPECT_FALSE(regular->isEnabled());
  window->tabs()->setCurrentIndex(kTabFile);
  format0->click();
  ASSERT_TRUE(format0->isChecked());
  ASSERT_TRUE(regular->isEnabled());
  regular->click();
  drums->click();
  EXPECT_TRUE(drums->isChecked());
  EXPECT_FALSE(regular->isChecked());
  regular->click();
  EXPECT_FALSE(drums->isChecked());
}

// A bad value keeps the window open with its message; nothing is applied
// while learning runs, and OK is ignored while a generation runs.
TEST_F(OptionsWindowTest, BadValuesLearningAndGeneratingKeepTheSettings) {
  open();
  typeInto(nth<QLineEdit>(page(kTabGeneral), 0), "1.5");
  click("OK");
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "invalid quantize strength");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(app.score.settings.general.melodyQuantizeStrength, 0.0);
  typeInto(nth<QLineEdit>(page(kTabGeneral), 0), "0.25");

  typeInto(nth<QLineEdit>(page(kTabCounterNn), 0), "0.5");
  app.generation.learningRunning = true;
  click("Apply");
  EXPECT_EQ(ui.messages().back().text, "Now Learning");
  EXPECT_EQ(app.score.settings.counterNn.shuffleRate[0], 0.24);
  app.generation.learningRunning = false;
  typeInto(nth<QLineEdit>(page(kTabCounterNn), 1), "2");
  click("Apply");
  EXPECT_EQ(ui.messages().back().text, "invalid quantize rate.");
  EXPECT_EQ(app.score.settings.counterNn.shuffleRate[0], 0.24);
  typeInto(nth<QLineEdit>(page(kTabCounterNn), 1), "0.125");
  app.score.setFlag(kFlagGenerating);
  click("OK");
  EXPECT_TRUE(window->isVisible());
  app.score.clearFlag(kFlagGenerating);
  click("OK");
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->applyButton()->isEnabled());
  EXPECT_EQ(app.score.settings.general.melodyQuantizeStrength, 0.25);
  EXPECT_EQ(app.score.settings.counterNn.shuffleRate[0], 0.5);
  EXPECT_EQ(app.score.settings.counterNn.quantizeRate[0], 0.125);
}

// One change on every page reaches the live settings on OK (the saved image
// of every field is checked with the settings file).
TEST_F(OptionsWindowTest, EveryPageReachesTheLiveSettings) {
  open();
  nth<QSlider>(page(kTabGeneral), 0)->setValue(150);
  nth<QComboBox>(page(kTabMelody), 0)->setCurrentIndex(17);  // G3(67)
  buttonLabelled(page(kTabMelody), "Dorian")->click();
  buttonLabelled(page(kTabMelody), "2:2")->click();
  buttonLabelled(page(kTabMelody), "Generate between Locators.")->click();
  buttonLabelled(page(kTabParts), "Play selected part only.")->click();
  nth<QComboBox>(page(kTabParts), 3)->setCurrentIndex(40);
  nth<QComboBox>(page(kTabDrums), 11)->setCurrentIndex(0);
  buttonLabelled(page(kTabDrums), "Enable Note Off.")->click();
  buttonLabelled(page(kTabFile), "Export drums.")->click();  // on in fresh settings: the click turns it off
  nth<QComboBox>(page(kTabGeneratorNn), 0)->setCurrentIndex(1);
  typeInto(nth<QLineEdit>(page(kTabGeneratorNn), 0), "0.75");
  click("OK");
  EXPECT_TRUE(ui.messages().empty());
  const Settings& s = app.score.settings;
  EXPECT_EQ(s.general.tempo, 150);
  EXPECT_EQ(s.melody[kKeyNote], 67);
  EXPECT_EQ(s.melody[kMode], 2);
  EXPECT_EQ(s.melody[kCounterLines], 5);
  EXPECT_EQ(s.melody[kBetweenLocators], 10);
  EXPECT_EQ(s.parts.playSelectedPartOnly, 10);
  EXPECT_EQ(s.parts.instruments[3], 40);
  EXPECT_EQ(s.drums.drumKeys[11], 27);
  EXPECT_EQ(s.drums.enableNoteOff, 10);
  EXPECT_FALSE(s.file.isOn(kExportDrums));
  EXPECT_EQ(s.generatorNn.kind, 1);
  EXPECT_EQ(s.generatorNn.shuffleRate[1], 0.75);
}

TEST_F(OptionsWindowTest, CtrlTabGoesRoundThePages) {
  open();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->tabs()->currentIndex(), kTabGeneratorNn);
  QTest::keyClick(window.get(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(window->tabs()->currentIndex(), kTabGeneral);
}

// Every text of every page fits its widget and the page, in both languages.
// With QUORVEL_GRAB_DIR set, each page is also saved as a picture to look at.
TEST_F(OptionsWindowTest, NothingIsCutOffOnAnyPageInEitherLanguage) {
  const char* grabDir = std::getenv("QUORVEL_GRAB_DIR");
  for (int language : {0, 1}) {
    open(language);
    EXPECT_LE(window->tabs()->tabBar()->sizeHint().width(), window->tabs()->width());
    for (int tab = 0; tab < window->tabs()->count(); ++tab) {
      window->tabs()->setCurrentIndex(tab);
      QWidget* p = page(tab);
      SCOPED_TRACE(std::to_string(language) + "/" + std::to_string(tab));
      const QRect inside = p->rect();
      for (QWidget* w : p->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        const QRect r(w->mapTo(p, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(r)) << w->metaObject()->className();
        const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w);
        if (text) {
          EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->metaObject()->className();
        }
      }
      if (grabDir) window->grab().save(QString("%1/options-%2-%3.png").arg(grabDir).arg(language ? "ja" : "en").arg(tab));
    }
    window.reset();
  }
}

}  // namespace
}  // namespace quorvel
