#include "model/entity_hyperlinks.h"

#include <algorithm>
#include <memory>

#include "module/resource_string.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"
#include "tzed_editor.h"

namespace {

constexpr char16_t kAreaLayer[] = u"URLLAYER";

struct Closer {
  void operator()(TzDbObject* o) const { o->close(); }
};
using OpenEntity = std::unique_ptr<TzDbEntity, Closer>;

// Opens an entity; `locked` records a refusal because of a locked layer.
OpenEntity openEntity(TzDbObjectId id, TzDb::OpenMode mode, bool* locked = nullptr) {
  TzDbEntity* entity = nullptr;
  Tzad::ErrorStatus es = tzdbOpenObject(entity, id, mode);
  if (es == Tzad::eOnLockedLayer && locked) *locked = true;
  return OpenEntity(es == Tzad::eOk ? entity : nullptr);
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
  OpenEntity entity = openEntity(id, TzDb::kForRead);
  if (!entity) return false;
  TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
  TzDbHyperlinkCollection* raw = nullptr;
  if (pe == nullptr || pe->getHyperlinkCollection(entity.get(), raw, true, true) != Tzad::eOk)
    return false;
  std::unique_ptr<TzDbHyperlinkCollection> links(raw);
  try {
    if (!links || links->count() < 1) return false;
    TzDbHyperlink* link = links->item(0);
    out.address = link->name();
    out.description = link->description();
    out.location = link->subLocation();
    out.flags = link->flags();
    out.nestingLevel = link->getNestedLevel();
    out.outermost = link->isOutermostContainer() ? 1 : 0;
    out.displayString = link->getDisplayString();
    return true;
  } catch (...) {
    return false;  // a host failure while reading counts as no hyperlink
  }
}

bool applyHyperlink(TzArray<TzDbObjectId> ids, HyperlinkData data) {
  bool written = false, locked = false;
  for (TzDbObjectId id : ids) {
    OpenEntity entity = openEntity(id, TzDb::kForWrite, &locked);
    if (!entity) continue;
    TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
    TzDbHyperlinkCollection* links = nullptr;
    if (pe == nullptr ||
        pe->getHyperlinkCollection(entity.get(), links, false, true) != Tzad::eOk ||
        links == nullptr)
      continue;
    if (links->count() == 0) {
      links->addTail(data.address, data.description, data.location);
    } else {
      TzDbHyperlink* first = links->item(0);
      first->setName(data.address);
      first->setDescription(data.description);
      first->setSubLocation(data.location);
    }
    links->item(0)->setFlags(data.flags);
    pe->setHyperlinkCollection(entity.get(), links);  // the entity takes the collection
    written = true;
  }
  reportLockedLayer(locked);
  return written;
}

int removeHyperlinks(TzArray<TzDbObjectId> ids, bool eraseAreaShapes) {
  int removed = 0;
  bool locked = false;
  for (TzDbObjectId id : ids) {
    OpenEntity entity = openEntity(id, TzDb::kForWrite, &locked);
    if (!entity) continue;
    TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
    TzDbHyperlinkCollection* raw = nullptr;
    if (pe == nullptr || pe->getHyperlinkCollection(entity.get(), raw, false, true) != Tzad::eOk ||
        raw == nullptr)
      continue;
    std::unique_ptr<TzDbHyperlinkCollection> links(raw);
    if (links->count() > 0) {
      links->removeHead();
      pe->setHyperlinkCollection(entity.get(), links.release());
      ++removed;
    }
    if (eraseAreaShapes && onAreaLayer(*entity)) entity->erase();
  }
  reportLockedLayer(locked);
  return removed;
}

int hasAnyHyperlink(TzArray<TzDbObjectId> ids) {
  // The first entity with a hyperlink decides: the rest cannot change the answer.
  for (TzDbObjectId id : ids) {
    OpenEntity entity = openEntity(id, TzDb::kForRead);
    if (!entity) continue;
    bool has = false;
    if (TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get()))
      pe->hasHyperlink(entity.get(), has, true);
    if (has) return 1;
  }
  return -1;
}

int selectEntities(TzArray<TzDbObjectId>& ids, const char16_t* mode) {
  tz_name ss;
  int status = tzedSSGet(mode, nullptr, nullptr, nullptr, ss);
  if (status != RTNORM) return status;
  int32_t length = 0;
  tzedSSLength(ss, &length);
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
