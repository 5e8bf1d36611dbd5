#include "editor/module_panes.h"

#include <algorithm>

namespace tzad {

namespace {

std::vector<ModulePane>& panes() {
  static std::vector<ModulePane> all;
  return all;
}

}  // namespace

void addModulePane(ModulePane pane) {
  std::erase_if(panes(), [&](const ModulePane& known) { return known.name == pane.name; });
  panes().push_back(std::move(pane));
}

void removeModulePanes() {
  panes().clear();
}

const std::vector<ModulePane>& modulePanes() {
  return panes();
}

std::u16string paneLabel(const ModulePane& pane) {
  char16_t buffer[128] = {};
  int n = pane.label ? pane.label(buffer, static_cast<int>(std::size(buffer))) : 0;
  if (n <= 0) return pane.name;
  return std::u16string(buffer, static_cast<size_t>(std::min<int>(n, std::size(buffer) - 1)));
}

}  // namespace tzad
