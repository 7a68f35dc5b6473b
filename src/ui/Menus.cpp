#include "ui/Menus.h"

#include "app/AppContext.h"
#include "app/CommandState.h"
#include "app/MenuTable.h"

namespace quorvel {

namespace {

QAction* addCommand(QMenu& menu, const MenuItem& item, AppContext& app) {
  QAction* action = menu.addAction(QString::fromUtf8(menuText(item, app.score.settings.general.language)));
  action->setProperty(kCommandIdProperty, item.id);
  action->setObjectName(QStringLiteral("command%1").arg(item.id));
  const int id = item.id;
  QObject::connect(action, &QAction::triggered, &menu, [&app, id] { dispatch(app, id); });
  return action;
}

}  // namespace

void buildMenuBar(QMenuBar& bar, AppContext& app) {
  const int language = app.score.settings.general.language;
  QMenu* current = nullptr;
  for (const MenuItem& item : menuBarItems()) {
    if (item.id == 0) {
      current = bar.addMenu(QString::fromUtf8(menuText(item, language)));
      QObject::connect(current, &QMenu::aboutToShow, current, [current, &app] { updateMenuState(*current, app); });
    } else if (current) {
      addCommand(*current, item, app);
    }
  }
}

void updateMenuState(QMenu& menu, const AppContext& app) {
  for (QAction* action : menu.actions()) {
    const QVariant id = action->property(kCommandIdProperty);
    if (id.isValid()) action->setEnabled(isCommandAvailable(app, id.toInt()));
  }
}

}  // namespace quorvel
