#include "window/object_link.h"

#include <memory>

#include "platform/display_text.h"
#include "tzdb_hyperlink.h"

namespace tzad {

std::optional<ObjectLink> objectLink(TzDbObjectId id) {
  TzDbObjectPointer<TzDbObject> object(id, TzDb::kForRead);
  if (!object) return std::nullopt;
  TzDbEntityHyperlinkPE* links = TzDbEntityHyperlinkPE::query(object.get());
  TzDbHyperlinkCollection* raw = nullptr;
  if (links == nullptr || links->getHyperlinkCollection(object.get(), raw, true) != Tzad::eOk)
    return std::nullopt;
  std::unique_ptr<TzDbHyperlinkCollection> collection(raw);
  if (!collection || collection->count() == 0) return std::nullopt;
  const TzDbHyperlink* first = collection->item(0);
  return ObjectLink{first->name(), first->description(), first->subLocation()};
}

// A description of millions of characters would hold the window up for seconds and garble
// the tooltip: it shows cut, on one line, its controls escaped.
std::u16string linkTooltip(const ObjectLink& link) {
  std::u16string text = link.description;
  if (text.empty()) {
    text = link.address;
    if (!link.location.empty()) text += (text.empty() ? u"" : u" ") + (u"#" + link.location);
  }
  return platform::displayText(text, platform::kShownLength) + u"\nCtrl+click to follow";
}

}  // namespace tzad
