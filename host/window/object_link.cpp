#include "window/object_link.h"

#include "base/translation.h"
#include "platform/display_text.h"

namespace tzad {

// A description of millions of characters would hold the window up for seconds and garble
// the tooltip: it shows cut, on one line, its controls escaped.
std::u16string linkTooltip(const ObjectLink& link, bool followed) {
  std::u16string text = link.description;
  if (text.empty()) {
    text = link.address;
    if (!link.location.empty()) text += (text.empty() ? u"" : u" ") + (u"#" + link.location);
  }
  std::u16string shown = platform::displayText(text, platform::kShownLength);
  return followed ? shown + u"\n" + trf("Ctrl+click to follow") : shown;
}

}  // namespace tzad
