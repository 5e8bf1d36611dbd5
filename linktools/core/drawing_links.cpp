#include "core/drawing_links.h"

#include <cstdio>
#include <memory>
#include <unordered_map>

#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

namespace linktools {

namespace {

constexpr char16_t kAreaLayer[] = u"URLLAYER";

// The layout of each layout's block record. A drawing without a layout dictionary (R12) has
// none: its objects are told apart by the space they are in.
std::unordered_map<TzDbObjectId, TzString> layoutNames(TzDbDatabase& db) {
  std::unordered_map<TzDbObjectId, TzString> names;
  TzDbDictionary* opened = nullptr;
  if (db.getLayoutDictionary(opened, TzDb::kForRead) != Tzad::eOk || opened == nullptr)
    return names;
  TzDbObjectPointer<TzDbDictionary> dictionary(opened);
  std::unique_ptr<TzDbDictionaryIterator> it(dictionary->newIterator());
  for (; it && !it->done(); it->next()) {
    TzDbObjectPointer<TzDbLayout> layout(it->objectId(), TzDb::kForRead);
    if (layout) names[layout->getBlockTableRecordId()] = layout->getLayoutName();
  }
  return names;
}

TzString hexHandle(TzDbHandle handle) {
  char text[17];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(handle.value()));
  return tzutFromUtf8(text);
}

}  // namespace

std::vector<DrawingLink> listDrawingLinks(TzDbDatabase& db) {
  std::vector<DrawingLink> links;
  const std::unordered_map<TzDbObjectId, TzString> layouts = layoutNames(db);
  for (TzDbObjectId id : db.allEntityIds()) {
    TzDbObjectPointer<TzDbEntity> entity(id, TzDb::kForRead);
    if (!entity) continue;
    TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
    TzDbHyperlinkCollection* raw = nullptr;
    if (pe == nullptr || pe->getHyperlinkCollection(entity.get(), raw, true, true) != Tzad::eOk)
      continue;
    std::unique_ptr<TzDbHyperlinkCollection> collection(raw);
    const TzDbHyperlink* first = collection ? collection->item(0) : nullptr;
    if (first == nullptr) continue;
    DrawingLink link;
    link.id = id;
    link.handle = hexHandle(id.handle());
    link.address = first->name();
    link.location = first->subLocation();
    link.description = first->description();
    link.objectType = entity->dxfName();
    link.layer = entity->layer();
    auto layout = layouts.find(entity->ownerId());
    if (layout != layouts.end())
      link.layout = layout->second;
    else
      link.layout = entity->isInPaperSpace() ? u"Layout1" : u"Model";
    link.area = tzutEqualsNoCase(link.layer, kAreaLayer);
    links.push_back(std::move(link));
  }
  return links;
}

TzString addressWithLocation(const TzString& address, const TzString& location) {
  return location.empty() ? address : address + u"#" + location;
}

}  // namespace linktools
