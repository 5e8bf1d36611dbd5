#include "view/first_link.h"

#include <memory>

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

}  // namespace tzad
