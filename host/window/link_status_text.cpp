#include "window/link_status_text.h"

#include "base/translation.h"
#include "editor/editor.h"
#include "platform/display_text.h"

namespace tzad {

namespace {

// Paths as long as a folder tree allows: a full one fits, a description's worth does not.
constexpr size_t kLongestTarget = 2048;

std::u16string shown(std::u16string_view text) {
  return platform::displayText(text, platform::kShownLength);
}

}  // namespace

std::u16string linkStatusText(const ObjectLink& link, const std::optional<LinkTargetSeen>& seen) {
  std::u16string text = shown(link.address);
  if (!link.location.empty()) text += (text.empty() ? u"#" : u" #") + shown(link.location);
  if (!seen || seen->kind == kTzLinkTargetOther) return text;
  bool missing = seen->kind == kTzLinkTargetMissing;
  // An absolute path leads where it says: only whether it is there is news.
  if (seen->target == link.address) return missing ? trf("{0} — missing", {text}) : text;
  std::u16string target = platform::displayText(seen->target, kLongestTarget);
  return missing ? trf("{0} → {1} — missing", {text, target}) : trf("{0} → {1}", {text, target});
}

std::optional<LinkTargetSeen> LinkTargets::of(const std::u16string& address) {
  auto known = known_.find(address);
  if (known != known_.end()) return known->second;
  std::optional<LinkTargetSeen> seen;
  if (TzDescribeLinkTargetFunction describe = Editor::instance().linkTargetDescriber()) {
    std::u16string target(kLongestTarget + 1, u'\0');
    int kind = describe(address.c_str(), target.data(), static_cast<int>(target.size()));
    if (kind == kTzLinkTargetFile || kind == kTzLinkTargetMissing || kind == kTzLinkTargetOther) {
      target.resize(std::char_traits<char16_t>::length(target.c_str()));
      seen = LinkTargetSeen{static_cast<TzLinkTargetKind>(kind), std::move(target)};
    }
  }
  known_.emplace(address, seen);
  return seen;
}

}  // namespace tzad
