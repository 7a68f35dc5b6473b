#pragma once
// "Options": a modeless tool window with the eight settings pages and the
// buttons Default, OK, Cancel and Apply. Made on first use, then hidden and
// shown again; closing it acts as Cancel.
#include <QWidget>
#include <memory>
#include <vector>

#include "app/OptionsModel.h"
#include "ui/OptionsPages.h"

class QPushButton;
class QTabWidget;

namespace quorvel {

struct AppContext;

class OptionsWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 546, kHeight = 735;

  OptionsWindow(AppContext& app, SettingsListener& listener, QWidget* mainWindow);

  // Shows the window beside the main window: 5 px below its top the first time, 40 px after.
  void showBesideMain();
  OptionsModel& model() { return model_; }
  QTabWidget* tabs() const { return tabs_; }
  QPushButton* applyButton() const { return apply_; }

  void pressDefault();
  void pressOk();
  void pressCancel();
  void pressApply();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void addButtons();
  void addPageKeys();
  void showPages();
  void pageChanged(int tab);

  AppContext& app_;
  OptionsModel model_;
  QWidget* main_;
  QTabWidget* tabs_ = nullptr;
  QPushButton* apply_ = nullptr;
  std::vector<OptionsPage> pages_;
  bool shownBefore_ = false;
};

// Binds "&Options", Ctrl+H and "OPTS" to one window made on first use.
void bindOptionsWindow(AppContext& app, SettingsListener& listener, QWidget& mainWindow);

}  // namespace quorvel
