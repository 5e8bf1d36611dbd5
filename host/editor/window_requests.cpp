#include "editor/window_requests.h"

#include "tz_string.h"
#include "tzui_panes.h"

namespace tzad {

namespace {

WindowRequests& installed() {
  static WindowRequests requests;
  return requests;
}

}  // namespace

void setWindowRequests(WindowRequests requests) {
  installed() = std::move(requests);
}

}  // namespace tzad

using tzad::installed;

int tzedShowPane(const char16_t* pane) {
  if (pane == nullptr || !installed().showPane) return RTERROR;
  return installed().showPane(pane) ? RTNORM : RTERROR;
}

int tzedShowObjects(const TzArray<TzDbObjectId>& ids) {
  if (!installed().showObjects) return RTERROR;
  installed().showObjects({ids.begin(), ids.end()});
  return RTNORM;
}

int tzedPostObjectAction(const char16_t* action, const TzArray<TzDbObjectId>& ids,
                         const char16_t* step) {
  if (action == nullptr || !installed().postObjectAction) return RTERROR;
  installed().postObjectAction(action, {ids.begin(), ids.end()}, step ? step : action);
  return RTNORM;
}

int tzedPostCommand(const TzArray<TzString>& lines) {
  if (lines.empty() || !installed().postCommand) return RTERROR;
  std::vector<std::string> typed;
  for (const TzString& line : lines) typed.push_back(tzutToUtf8(line));
  installed().postCommand(std::move(typed));
  return RTNORM;
}
