#include "db/object_data.h"
#include "dxf/dxf_codes.h"
#include "tzdb_database.h"

namespace {

std::vector<std::pair<TzString, TzDbObjectId>> entriesOf(const TzDbObjectData& d) {
  std::vector<std::pair<TzString, TzDbObjectId>> entries;
  for (size_t i = 0; i + 1 < d.tags().size(); ++i) {
    if (d.tags()[i].code != DxfCode::kEntryName) continue;
    const DxfTag& ref = d.tags()[i + 1];
    unsigned long long h = 0;
    if ((ref.code != DxfCode::kSoftOwnerId && ref.code != DxfCode::kHardOwnerId) ||
        !parseHandle(ref.value, h))
      continue;
    uint32_t r = d.db->findByHandle(h);
    if (r == kNoRecord || d.db->at(r).has(kRecErased)) continue;
    entries.emplace_back(tzutFromUtf8(d.tags()[i].value), d.db->idOf(r));
  }
  return entries;
}

}  // namespace

Tzad::ErrorStatus TzDbDictionary::getAt(const TzString& name, TzDbObjectId& id) const {
  id = TzDbObjectId();
  for (auto& [key, value] : entriesOf(dataOf(this))) {
    if (tzutEqualsNoCase(key, name)) {
      id = value;
      return Tzad::eOk;
    }
  }
  return Tzad::eKeyNotFound;
}

bool TzDbDictionary::has(const TzString& name) const {
  TzDbObjectId id;
  return getAt(name, id) == Tzad::eOk;
}

int TzDbDictionary::numEntries() const {
  return static_cast<int>(entriesOf(dataOf(this)).size());
}

TzDbDictionaryIterator* TzDbDictionary::newIterator(TzRx::DictIterType) const {
  return new TzDbDictionaryIterator(entriesOf(dataOf(this)));
}

namespace {
// The layout's block record: group 330 of its AcDbLayout part.
uint32_t layoutBlockRecord(const TzDbObjectData& d) {
  const DxfTag* t = d.findAfter("AcDbLayout", DxfCode::kOwner);
  unsigned long long h = 0;
  if (!t || !parseHandle(t->value, h)) return kNoRecord;
  return d.db->findByHandle(h);
}
}  // namespace

bool TzDbPlotSettings::modelType() const {
  const TzDbObjectData& d = dataOf(this);
  if (d.isNew()) return false;
  uint32_t block = layoutBlockRecord(d);
  if (block != kNoRecord) return block == d.db->modelSpace;
  return (d.getInt(DxfCode::kFlags) & 1024) == 0 &&
         tzutEqualsNoCase(tzutFromUtf8(d.get(DxfCode::kText)), u"Model");
}

Tzad::ErrorStatus TzDbLayout::getLayoutName(TzString& name) const {
  const DxfTag* t = dataOf(this).findAfter("AcDbLayout", DxfCode::kText);
  if (t == nullptr) return Tzad::eKeyNotFound;
  name = tzutFromUtf8(t->value);
  return Tzad::eOk;
}

TzString TzDbLayout::getLayoutName() const {
  TzString name;
  return getLayoutName(name) == Tzad::eOk ? name : TzString();
}

TzDbObjectId TzDbLayout::getBlockTableRecordId() const {
  return dataOf(this).isNew() ? TzDbObjectId()
                              : dataOf(this).db->idOf(layoutBlockRecord(dataOf(this)));
}

int TzDbLayout::getTabOrder() const {
  const DxfTag* t = dataOf(this).findAfter("AcDbLayout", DxfCode::kTabOrder);
  return t ? std::atoi(t->value.c_str()) : 0;
}
