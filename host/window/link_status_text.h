// The status bar's line for the linked object under the mouse: its address and named
// location, and where the address leads, as the loaded module that follows links resolves it
// (the absolute path of a relative one; a missing file marked). Without such a module, the
// address alone.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "tzrx_link_target.h"
#include "view/first_link.h"

namespace tzad {

struct LinkTargetSeen {
  TzLinkTargetKind kind = kTzLinkTargetOther;
  std::u16string target;
};

// The line, from the link and what its address leads to (nothing: not known).
std::u16string linkStatusText(const ObjectLink& link, const std::optional<LinkTargetSeen>& seen);

// What addresses lead to, asked of the module once per address: the mouse passes over the same
// objects again and again. Targets resolve against the current drawing, and files come and go
// with what commands do: after each command every address is asked about again.
class LinkTargets {
 public:
  std::optional<LinkTargetSeen> of(const std::u16string& address);
  void forget() { known_.clear(); }

 private:
  std::unordered_map<std::u16string, std::optional<LinkTargetSeen>> known_;
};

}  // namespace tzad
