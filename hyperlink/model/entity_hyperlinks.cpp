#include "model/entity_hyperlinks.h"

#include <algorithm>
#include <memory>

#include "module/resource_string.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"
#include "tzed_editor.h"

namespace hyperlink {

namespace {

constexpr char16_t kAreaLayer[] = u"URLLAYER";

using OpenEntity = TzDbObjectPointer<TzDbEntity>;

// Records a refusal because of a locked layer, reported once for all entities.
void noteLockedLayer(const OpenEntity& entity, bool& locked) {
  if (entity.openStatus() == Tzad::eOnLockedLayer) locked = true;
}

void reportLockedLayer(bool locked) {
  if (locked) tzutPrintf(u"%s", resourceText(text::kLayerLocked).c_str());
}

// The entity's layer name names its layer record up to letter case, and the comparison
// ignores case: the name is read from the entity, without opening the layer.
bool onAreaLayer(TzDbEntity& entity) {
  return tzutEqualsNoCase(entity.layer(), kAreaLayer);
}

}  // namespace

bool readHyperlink(TzDbObjectId id, HyperlinkData& out) {
  OpenEntity entity(id, TzDb::kForRead);
  if (!entity) return false;
  TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
  TzDbHyperlinkCollection* raw = nullptr;
  if (pe == nullptr || pe->getHyperlinkCollection(entity.get(), raw, true, true) != Tzad::eOk)
    return false;
  std::unique_ptr<TzDbHyperlinkCollection> links(raw);
  try {
    TzDbHyperlink* link = links ? links->item(0) : nullptr;
    if (link == nullptr) return false;
    out.address = link->name();
    out.description = link->description();
    out.location = link->subLocation();
    out.flags = link->flags();
    out.nestingLevel = link->getNestedLevel();
    out.outermost = link->isOutermostContainer() ? 1 : 0;
    out.displayString = link->getDisplayString();
    return true;
  } catch (const std::bad_alloc&) {
    return false;  // the texts could not be copied: no hyperlink rather than half of one
  }
}

namespace {

// Makes `data` the entity's first hyperlink; eOk when the entity took it.
Tzad::ErrorStatus writeFirstHyperlink(TzDbEntity& entity, const HyperlinkData& data) {
  TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(&entity);
  if (pe == nullptr) return Tzad::eNotThatKindOfClass;
  TzDbHyperlinkCollection* links = nullptr;
  Tzad::ErrorStatus es = pe->getHyperlinkCollection(&entity, links, false, true);
  if (es != Tzad::eOk || links == nullptr) return es == Tzad::eOk ? Tzad::eNotApplicable : es;
  if (links->count() == 0) {
    links->addTail(data.address, data.description, data.location);
  } else {
    TzDbHyperlink* first = links->item(0);
    first->setName(data.address);
    first->setDescription(data.description);
    first->setSubLocation(data.location);
  }
  links->item(0)->setFlags(data.flags);
  return pe->setHyperlinkCollection(&entity, links);  // the entity takes the collection
}

// Removes the entity's first hyperlink, if it has one (`removed` says so).
Tzad::ErrorStatus removeFirstHyperlink(TzDbEntity& entity, bool& removed) {
  removed = false;
  TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(&entity);
  if (pe == nullptr) return Tzad::eNotThatKindOfClass;
  TzDbHyperlinkCollection* raw = nullptr;
  Tzad::ErrorStatus es = pe->getHyperlinkCollection(&entity, raw, false, true);
  if (es != Tzad::eOk || raw == nullptr) return es == Tzad::eOk ? Tzad::eNotApplicable : es;
  std::unique_ptr<TzDbHyperlinkCollection> links(raw);
  if (links->count() == 0) return Tzad::eOk;
  links->removeHead();
  es = pe->setHyperlinkCollection(&entity, links.release());
  removed = es == Tzad::eOk;
  return es;
}

}  // namespace

bool applyHyperlink(TzArray<TzDbObjectId> ids, HyperlinkData data) {
  bool written = false, locked = false;
  for (TzDbObjectId id : ids) {
    OpenEntity entity(id, TzDb::kForWrite);
    noteLockedLayer(entity, locked);
    if (!entity || writeFirstHyperlink(*entity.get(), data) != Tzad::eOk) continue;
    // Written only once the closed entity has kept it.
    if (entity.close() == Tzad::eOk) written = true;
  }
  reportLockedLayer(locked);
  return written;
}

int removeHyperlinks(TzArray<TzDbObjectId> ids, bool eraseAreaShapes) {
  int removed = 0;
  bool locked = false;
  for (TzDbObjectId id : ids) {
    OpenEntity entity(id, TzDb::kForWrite);
    noteLockedLayer(entity, locked);
    if (!entity) continue;
    bool hadLink = false;
    if (removeFirstHyperlink(*entity.get(), hadLink) != Tzad::eOk) continue;
    Tzad::ErrorStatus es = Tzad::eOk;
    if (eraseAreaShapes && onAreaLayer(*entity.get())) es = entity->erase();
    if (entity.close() == Tzad::eOk && es == Tzad::eOk && hadLink) ++removed;
  }
  reportLockedLayer(locked);
  return removed;
}

int hasAnyHyperlink(TzArray<TzDbObjectId> ids) {
  // The first entity with a hyperlink decides: the rest cannot change the answer.
  for (TzDbObjectId id : ids) {
    OpenEntity entity(id, TzDb::kForRead);
    if (!entity) continue;
    bool has = false;
    TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
    if (pe && pe->hasHyperlink(entity.get(), has, true) == Tzad::eOk && has) return 1;
  }
  return -1;
}

int selectEntities(TzArray<TzDbObjectId>& ids, const char16_t* mode) {
  tz_name ss;
  int status = tzedSSGet(mode, nullptr, nullptr, nullptr, ss);
  if (status != RTNORM) return status;
  int32_t length = 0;
  if (tzedSSLength(ss, &length) != RTNORM) length = 0;
  ids.reserve(ids.size() + static_cast<size_t>(std::max(length, 0)));
  for (int32_t i = 0; i < length; ++i) {
    tz_name entity;
    TzDbObjectId id;
    if (tzedSSName(ss, i, entity) == RTNORM && tzdbGetObjectId(id, entity) == Tzad::eOk)
      ids.append(id);
  }
  tzedSSFree(ss);
  return length == 0 ? RTERROR : RTNORM;
}

}  // namespace hyperlink
