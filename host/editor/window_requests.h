// What modules ask of the main window (tzui_panes.h). The window sits in a layer above the
// editor and installs itself here while it is open; without it every request is refused.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tzdb_object_id.h"

namespace tzad {

struct WindowRequests {
  std::function<bool(const std::u16string& pane)> showPane;
  std::function<void(std::vector<TzDbObjectId> ids)> showObjects;
  std::function<void(std::u16string action, std::vector<TzDbObjectId> ids, std::u16string step)>
      postObjectAction;
  std::function<void(std::vector<std::string> lines)> postCommand;
};

// The window's handlers while it is open; an empty set when it closes.
void setWindowRequests(WindowRequests requests);

}  // namespace tzad
