#pragma once
// The eight pages of the Options window, each bound to the page state of the
// OptionsModel: a control's change writes into the model and marks its page.
#include <QWidget>
#include <functional>
#include <vector>

#include "app/OptionsModel.h"

namespace quorvel {

struct OptionsPage {
  QWidget* widget = nullptr;
  std::function<void()> load;  // shows the model's values without marking the page
};

// changed(tab) is called after every edit a user makes on a page.
std::vector<OptionsPage> buildOptionsPages(OptionsModel& model, const Settings& live, int language,
                                           std::function<void(int tab)> changed);

}  // namespace quorvel
