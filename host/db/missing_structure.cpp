// Sections and tables that a drawing lacks, added when a change needs them. Minimal DXF
// writers leave out whatever an R12 reader can do without (a file may hold nothing but its
// ENTITIES section); such a drawing is saved back with only what the change itself needs.
#include <algorithm>
#include <array>

#include "db/database_impl.h"

namespace {

// Where each section stands in a file.
int sectionRank(Section s) {
  switch (s) {
    case Section::Header:
      return 0;
    case Section::Classes:
      return 1;
    case Section::Tables:
      return 2;
    case Section::Blocks:
      return 3;
    case Section::Entities:
      return 4;
    case Section::Objects:
      return 5;
    default:
      return 6;
  }
}

// The order of the tables in the TABLES section; any other table comes last.
constexpr std::array<std::string_view, 9> kTableOrder = {
    "VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"};

size_t tableRank(std::string_view name) {
  return static_cast<size_t>(std::find(kTableOrder.begin(), kTableOrder.end(), name) -
                             kTableOrder.begin());
}

}  // namespace

uint32_t TzDbDatabaseImpl::insertBefore(uint32_t before, std::string_view type,
                                        std::string_view body, uint64_t handle, uint8_t flags) {
  uint32_t after = before == kNoRecord ? tail : at(before).prev;
  if (after != kNoRecord) return insertRecord(after, type, body, handle, flags);
  // Before the first record: linked after it, then moved to the head.
  uint32_t index = insertRecord(before, type, body, handle, flags);
  if (index != kNoRecord) linkBefore(index, before);
  return index;
}

void TzDbDatabaseImpl::linkBefore(uint32_t index, uint32_t before) {
  journal.structureChanges(*this);
  auto touch = [this](uint32_t i) {
    if (i != kNoRecord) journal.touch(*this, i);
  };
  TzDbStub& r = at(index);
  touch(index);
  touch(r.prev);
  touch(r.next);
  if (r.prev != kNoRecord) at(r.prev).next = r.next;
  if (r.next != kNoRecord) at(r.next).prev = r.prev;
  if (tail == index) tail = r.prev;
  if (head == index) head = r.next;
  r.next = before;
  r.prev = before == kNoRecord ? tail : at(before).prev;
  touch(r.prev);
  touch(before);
  if (r.prev != kNoRecord) at(r.prev).next = index;
  if (before != kNoRecord) at(before).prev = index;
  if (head == before) head = index;
  if (before == kNoRecord) tail = index;
}

Section TzDbDatabaseImpl::sectionOfRecord(uint32_t i) const {
  if (typeName(at(i)) != "SECTION") return Section::None;
  for (const DxfTag& t : parseTags(text.view(at(i).body), codec))
    if (t.code == 2) return sectionOf(trimBlanks(t.value));
  return Section::Other;
}

uint32_t TzDbDatabaseImpl::findSection(Section which) const {
  for (uint32_t i = head; i != kNoRecord; i = at(i).next)
    if (typeName(at(i)) == "SECTION" && sectionOfRecord(i) == which) return i;
  return kNoRecord;
}

uint32_t TzDbDatabaseImpl::endOfSection(uint32_t section) const {
  for (uint32_t i = at(section).next; i != kNoRecord; i = at(i).next)
    if (typeName(at(i)) == "ENDSEC") return i;
  return kNoRecord;
}

std::string TzDbDatabaseImpl::recordText(const DxfTags& tags) const {
  std::string out;
  writeTags(tags, codec, eol, out);
  return out;
}

uint32_t TzDbDatabaseImpl::addSection(Section which) {
  if (head == kNoRecord) return kNoRecord;
  if (uint32_t found = findSection(which); found != kNoRecord) return found;
  // Before the first section that follows this one, else before EOF.
  uint32_t before = kNoRecord;
  for (uint32_t i = head; i != kNoRecord && before == kNoRecord; i = at(i).next) {
    const std::string& type = typeName(at(i));
    if (type == "EOF" ||
        (type == "SECTION" && sectionRank(sectionOfRecord(i)) > sectionRank(which)))
      before = i;
  }
  uint32_t section = insertBefore(
      before, "SECTION", recordText({DxfTag(0, "SECTION"), DxfTag(2, sectionName(which))}), 0, 0);
  if (section == kNoRecord) return kNoRecord;
  uint32_t end = insertBefore(before, "ENDSEC", recordText({DxfTag(0, "ENDSEC")}), 0, 0);
  if (end == kNoRecord) return kNoRecord;
  if (which == Section::Header) header = section;
  if (which == Section::Entities) {
    entitiesBegin = section;
    entitiesEnd = end;
  }
  return section;
}

bool TzDbDatabaseImpl::addTable(std::string_view name) {
  journal.structureChanges(*this);
  TableIndex* t = table(name);
  if (t == nullptr || t->table == kNoRecord) return false;
  if (t->endtab != kNoRecord) return true;
  // Model and paper space of an R12 drawing are stand-ins that are never written.
  if (name == "BLOCK_RECORD") return false;
  uint32_t section = addSection(Section::Tables);
  if (section == kNoRecord) return false;
  uint32_t before = endOfSection(section);
  for (uint32_t i = at(section).next; i != before; i = at(i).next) {
    if (typeName(at(i)) != "TABLE") continue;
    auto other = std::find_if(tables.begin(), tables.end(),
                              [i](const auto& entry) { return entry.second.table == i; });
    if (other != tables.end() && tableRank(other->first) > tableRank(name)) {
      before = i;
      break;
    }
  }
  // The stand-in the drawing had for the table becomes the real one: ids of it stay valid.
  journal.touch(*this, t->table);
  TzDbStub& r = at(t->table);
  DxfTags tags = {DxfTag(0, "TABLE"), DxfTag(2, std::string(name))};
  bool withHandle = fileHasHandles && version > TzDb::kDHL_R12;
  if (withHandle) {
    tags.emplace_back(5, formatHandle(r.handle));
    tags.emplace_back(330, "0");
    tags.emplace_back(100, "AcDbSymbolTable");
    r.flags &= static_cast<uint8_t>(~kRecNoHandle);
    handseedNeeded = std::max(handseedNeeded, r.handle + 1);
  }
  tags.emplace_back(70, "0");
  if (!text.store(recordText(tags), r.body)) return false;
  r.flags &= static_cast<uint8_t>(~kRecVirtual);
  linkBefore(t->table, before);
  t->endtab = insertBefore(before, "ENDTAB", recordText({DxfTag(0, "ENDTAB")}), 0, 0);
  if (t->endtab == kNoRecord) return false;
  modified = true;
  return true;
}
