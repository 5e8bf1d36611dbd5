#include "module/module_state.h"

#include "model/link_targets.h"

namespace hyperlink {

ModuleState& moduleState() {
  static ModuleState state;
  return state;
}

std::vector<TzString>& recentEmailLinks() {
  static std::vector<TzString> links;
  return links;
}

void rememberEmailLink(const TzString& address) {
  if (!isMailtoLink(address)) return;
  for (const TzString& known : recentEmailLinks())
    if (tzutEqualsNoCase(known, address)) return;
  recentEmailLinks().push_back(address);
}

}  // namespace hyperlink
