// The panes that loaded modules offer (tzui_panes.h): the window shows a View menu item for
// each and creates a pane when it is first shown. A module loaded later replaces an earlier
// one's pane of the same name; unloaded modules take theirs along.
#pragma once

#include <string>
#include <vector>

#include "tzui_panes.h"

namespace tzad {

struct ModulePane {
  std::u16string name;
  std::string shortcut;
  TzPaneLabelFunction label;
  TzPaneCreateFunction create;
  TzPaneChangedFunction changed;
};

void addModulePane(ModulePane pane);
void removeModulePanes();
// In the order the modules were loaded.
const std::vector<ModulePane>& modulePanes();
// The menu item's text the module gives, or the pane's name when it gives none.
std::u16string paneLabel(const ModulePane& pane);

}  // namespace tzad
