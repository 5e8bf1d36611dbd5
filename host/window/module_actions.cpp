#include "window/module_actions.h"

#include "editor/editor.h"
#include "window/window_input.h"

namespace tzad {

bool isOffered(const ModuleAction& action) {
  return Editor::instance().hasObjectAction(action.name);
}

void runAtCommandPrompt(WindowInput& input, const ModuleAction& action,
                        std::vector<TzDbObjectId> ids) {
  input.runAtCommandPrompt([action, ids = std::move(ids)] { runNow(action, ids); });
}

std::vector<TzDbObjectId> runNow(const ModuleAction& action, const std::vector<TzDbObjectId>& ids) {
  TzArray<TzDbObjectId> objects(ids.begin(), ids.end());
  if (Editor::instance().runObjectAction(action.name, objects, trf(action.step)) != RTNORM)
    return {};
  return {objects.begin(), objects.end()};
}

}  // namespace tzad
