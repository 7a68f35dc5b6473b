#include "ui/Menus.h"

#include "app/AppContext.h"
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
    if (item.id == 0)
      current = bar.addMenu(QString::fromUtf8(menuText(item, language)));
    else if (current)
      addCommand(*current, item, app);
  }
}

}  // namespace quorvel
