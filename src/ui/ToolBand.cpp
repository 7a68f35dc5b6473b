#include "ui/ToolBand.h"

#include <QActionGroup>
#include <map>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/MenuTable.h"
#include "ui/Menus.h"

namespace quorvel {

ToolBand::ToolBand(QMainWindow& window, AppContext& app) : app_(app) {
  for (int i = 0; i < kToolbarCount; ++i) {
    // The generation modes start a second row; the drums band, which can be hidden, a third.
    if (i >= 2) window.addToolBarBreak();
    auto* bar = window.addToolBar(QStringLiteral("toolbar%1").arg(i));
    bar->setObjectName(QStringLiteral("toolbar%1").arg(i));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Compact buttons: a row of eighteen labels fits the default 800-pixel window.
    bar->setStyleSheet(QStringLiteral(
        "QToolBar { spacing: 0px; }"
        "QToolButton { padding: 1px 2px; min-width: 0px; border: 1px solid transparent; font-size: 8pt; }"
        "QToolButton:hover { border: 1px solid #a0a0a0; }"
        "QToolButton:checked, QToolButton:pressed { background: #d4d4d4; border: 1px solid #808080; }"));
    toolbars_[static_cast<std::size_t>(i)] = bar;
    addButtons(i);
  }
}

void ToolBand::addButtons(int index) {
  QToolBar* bar = toolbar(index);
  std::map<int, QActionGroup*> groups;
  for (const ToolbarButton& b : toolbarButtons(index)) {
    QAction* action = bar->addAction(QString::fromLatin1(b.label));
    action->setObjectName(QStringLiteral("button%1").arg(b.id));
    action->setProperty(kCommandIdProperty, b.id);
    action->setCheckable(b.kind != ButtonKind::Button);
    action->setChecked(b.initiallyDown);
    if (b.kind == ButtonKind::Group) {
      auto& group = groups[b.group];
      if (!group) group = new QActionGroup(bar);
      group->addAction(action);
    }
    const int id = b.id;
    // A button may change the edited part or drum set: the groups follow at once.
    QObject::connect(action, &QAction::triggered, bar, [this, id](bool checked) {
      dispatch(app_, id, checked ? 1 : 0);
      syncWithScore();
    });
  }
}

QAction* ToolBand::button(int commandId) const {
  for (QToolBar* bar : toolbars_)
    if (auto* action = bar->findChild<QAction*>(QStringLiteral("button%1").arg(commandId))) return action;
  return nullptr;
}

namespace {

// Checks one button of a group, or none: the part buttons are all up while the
// drums are edited, and the drum-set buttons while a part is.
void chooseInGroup(QAction* any, QAction* chosen) {
  QActionGroup* group = any->actionGroup();
  if (!group) return;
  group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (QAction* a : group->actions()) a->setChecked(a == chosen);
  group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
}

}  // namespace

void ToolBand::syncWithScore() {
  const Score& s = app_.score;
  static constexpr std::array<int, 4> kPartButtons{cmd::kBass, cmd::kTenor, cmd::kAlto, cmd::kSoprano};
  static constexpr std::array<int, 4> kDrumSetButtons{cmd::kDrumsUser, cmd::kDrumsLow, cmd::kDrumsMiddle, cmd::kDrumsHigh};
  const bool drums = s.drumsEditMode();
  const int part = s.editPart();
  const int level = s.drumSet() - kDrumSet0;
  QAction* partButton = part >= 0 && part < 4 ? button(kPartButtons[static_cast<std::size_t>(part)]) : nullptr;
  QAction* levelButton = level >= 0 && level < 4 ? button(kDrumSetButtons[static_cast<std::size_t>(level)]) : nullptr;
  chooseInGroup(button(cmd::kSoprano), drums ? nullptr : partButton);
  chooseInGroup(button(cmd::kDrumsHigh), drums ? levelButton : nullptr);
  button(cmd::kDrums)->setChecked(s.hasFlag(kFlagDrumsBand));
}

}  // namespace quorvel
