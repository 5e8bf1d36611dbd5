#include "db/database_impl.h"

#include <algorithm>
#include <cstdlib>

#include "base/translation.h"
#include "dxf/dxf_codes.h"
#include "platform/text.h"

namespace {

// Name groups: code 2 for table records, blocks and most named objects.
std::u16string nameFromTags(const DxfTags& tags, int code = 2) {
  for (const DxfTag& t : tags)
    if (t.code == code) return tzutFromUtf8(t.value);
  return {};
}

}  // namespace

std::string u16ToPath(const std::u16string& path) {
  return platform::toFileName(path);
}

bool TzDbDatabaseImpl::fileChangedOnDisk() const {
  if (!fileOnDisk) return false;
  // A file that is gone has nothing to lose.
  std::optional<FileIdentity> now = identifyFile(u16ToPath(fileName));
  return now && !(*now == *fileOnDisk);
}

bool TzDbDatabaseImpl::fileBecameLink() const {
  return fileOnDisk && !fileWasLink && isSymbolicLink(u16ToPath(fileName));
}

std::string TzDbDatabaseImpl::saveTarget(const std::u16string& path) const {
  std::string file = u16ToPath(path);
  return path == fileName && fileBecameLink() ? file : replacedFile(file);
}

uint16_t TzDbDatabaseImpl::internType(std::string_view name) {
  auto it = typeIds.find(name);
  if (it != typeIds.end()) return it->second;
  uint16_t id = static_cast<uint16_t>(typeNames.size());
  typeNames.emplace_back(name);
  typeIds.emplace(std::string(name), id);
  return id;
}

void TzDbDatabaseImpl::clear() {
  records.clear();
  head = tail = kNoRecord;
  handleIndex.clear();
  handleIndexSorted = true;
  tables.clear();
  blocks.clear();
  headerContinuations.clear();
  journal.clear();
  header = entitiesBegin = entitiesEnd = layoutDictionary = modelSpace = paperSpace = currentSpace =
      kNoRecord;
  lastError.clear();
  fileOnDisk.reset();
  fileWasLink = false;
  registeredApps.clear();
  modified = false;
  fileHasHandles = true;
  nextHandle = 1;
  handseedNeeded = 0;
}

uint32_t TzDbDatabaseImpl::indexOf(TzDbObjectId id) const {
  TzDbStub* stub = TzDbInternals::stub(id);
  if (stub == nullptr || stub->db() != this) return kNoRecord;
  return stub->index();
}

uint32_t TzDbDatabaseImpl::newRecord(std::string_view type, uint8_t flags) {
  uint32_t index = static_cast<uint32_t>(records.size());
  TzDbStub& r = records.emplace_back();
  r.type = internType(type);
  r.flags = flags;
  return index;
}

uint32_t TzDbDatabaseImpl::insertRecord(uint32_t after, std::string_view type,
                                        std::string_view body, uint64_t handle, uint8_t flags) {
  TextRef stored;
  if (!text.store(body, stored)) return kNoRecord;
  journal.structureChanges(*this);
  uint32_t index = newRecord(type, flags);
  journal.created(*this, index);
  TzDbStub& r = at(index);
  r.handle = handle;
  r.body = stored;
  if (!(flags & kRecVirtual)) {
    if (after == kNoRecord) after = tail;
    journal.touch(*this, after);
    if (at(after).next != kNoRecord) journal.touch(*this, at(after).next);
    r.prev = after;
    r.next = at(after).next;
    if (r.next != kNoRecord) at(r.next).prev = index;
    at(after).next = index;
    if (tail == after) tail = index;
    modified = true;
  }
  if (handle != 0) addHandle(index);
  if (!(flags & (kRecVirtual | kRecNoHandle)))
    handseedNeeded = std::max(handseedNeeded, handle + 1);
  return index;
}

uint32_t TzDbDatabaseImpl::previousOf(uint32_t i) const {
  return at(i).prev;
}

void TzDbDatabaseImpl::addHandle(uint32_t index) {
  if (!handleIndex.empty() && at(handleIndex.back()).handle > at(index).handle)
    handleIndexSorted = false;
  handleIndex.push_back(index);
}

// A drawing's handles come in long ascending runs (a section's entities are numbered in
// order): merging the runs pairwise costs far less than sorting the whole index again.
void TzDbDatabaseImpl::sortHandleIndex() const {
  if (handleIndexSorted) return;
  auto before = [this](uint32_t a, uint32_t b) { return at(a).handle < at(b).handle; };
  auto begin = handleIndex.begin();
  std::vector<size_t> runs{0};  // where each ascending run starts, then the end
  for (size_t i = 1; i < handleIndex.size(); ++i)
    if (before(handleIndex[i], handleIndex[i - 1])) runs.push_back(i);
  runs.push_back(handleIndex.size());
  while (runs.size() > 2) {
    std::vector<size_t> merged{0};
    for (size_t r = 0; r + 2 < runs.size(); r += 2) {
      std::inplace_merge(begin + static_cast<long>(runs[r]), begin + static_cast<long>(runs[r + 1]),
                         begin + static_cast<long>(runs[r + 2]), before);
      merged.push_back(runs[r + 2]);
    }
    if (merged.back() != runs.back()) merged.push_back(runs.back());
    runs = std::move(merged);
  }
  handleIndexSorted = true;
}

uint32_t TzDbDatabaseImpl::findByHandle(uint64_t handle) const {
  sortHandleIndex();
  auto it = std::lower_bound(handleIndex.begin(), handleIndex.end(), handle,
                             [this](uint32_t r, uint64_t h) { return at(r).handle < h; });
  if (it == handleIndex.end() || at(*it).handle != handle) return kNoRecord;
  return *it;
}

TableIndex* TzDbDatabaseImpl::table(std::string_view name) {
  auto it = tables.find(name);
  return it == tables.end() ? nullptr : &it->second;
}

std::u16string TzDbDatabaseImpl::recordName(uint32_t i) const {
  return nameFromTags(parseTags(text.view(at(i).body), codec));
}

namespace {
std::u16string folded(std::u16string_view name) {
  std::u16string f(name);
  for (char16_t& c : f) c = tzutFoldCase(c);
  return f;
}
}  // namespace

const TableIndex::Entry* TzDbDatabaseImpl::findTableEntry(std::string_view tableName,
                                                          std::u16string_view name) const {
  auto it = tables.find(tableName);
  if (it == tables.end()) return nullptr;
  TableIndex& t = const_cast<TableIndex&>(it->second);
  if (!t.byNameValid) {
    t.byName.clear();
    t.layerFlagsByRawName.clear();
    t.lastLayer = nullptr;
    for (uint32_t i : t.records) {
      if (at(i).has(kRecErased)) continue;
      DxfTags tags = parseTags(text.view(at(i).body), codec);
      std::u16string recordName;
      int flags = 0;
      for (const DxfTag& tag : tags) {
        if (tag.code == DxfCode::kName && recordName.empty()) recordName = tzutFromUtf8(tag.value);
        if (tag.code == DxfCode::kFlags) flags = std::atoi(tag.value.c_str());
      }
      t.byName.emplace(folded(recordName), TableIndex::Entry{i, flags});
    }
    t.byNameValid = true;
  }
  auto found = t.byName.find(folded(name));
  return found == t.byName.end() ? nullptr : &found->second;
}

void TzDbDatabaseImpl::tableChanged(std::string_view recordType) {
  auto it = tables.find(recordType);
  if (it != tables.end()) it->second.byNameValid = false;
}

uint32_t TzDbDatabaseImpl::findTableRecord(std::string_view tableName, std::u16string_view name,
                                           bool includeErased) const {
  if (!includeErased) {
    const TableIndex::Entry* e = findTableEntry(tableName, name);
    return e ? e->record : kNoRecord;
  }
  auto it = tables.find(tableName);
  if (it == tables.end()) return kNoRecord;
  for (uint32_t i : it->second.records)
    if (tzutEqualsNoCase(recordName(i), name)) return i;
  return kNoRecord;
}

uint32_t TzDbDatabaseImpl::blockOfRecord(uint32_t blockRecord) const {
  for (size_t b = 0; b < blocks.size(); ++b)
    if (blocks[b].blockRecord == blockRecord) return static_cast<uint32_t>(b);
  return kNoRecord;
}

bool TzDbDatabaseImpl::isPaperLayoutRecord(uint32_t blockRecord) const {
  if (blockRecord == kNoRecord) return false;
  std::u16string name = recordName(blockRecord);
  std::u16string prefix = u"*Paper_Space";
  if (name.size() < prefix.size()) return false;
  return tzutEqualsNoCase(std::u16string_view(name).substr(0, prefix.size()), prefix);
}

namespace {
// The tag holding a header variable's (first) value: the one after its name, past any comment.
DxfTag* headerValue(DxfTags& tags, std::string_view name) {
  for (size_t i = 0; i < tags.size(); ++i) {
    if (tags[i].code != DxfCode::kVariable || trimBlanks(tags[i].value) != name) continue;
    size_t v = i + 1;
    while (v < tags.size() && tags[v].code == DxfCode::kComment) ++v;
    return v < tags.size() && tags[v].code != DxfCode::kVariable ? &tags[v] : nullptr;
  }
  return nullptr;
}

// The value headerValue finds, read straight from a header record's text: a header holds
// hundreds of variables, and reading a drawing asks for a few of them, so only the names up
// to the one wanted are looked at and only its value is decoded.
std::optional<std::string> findHeaderValue(std::string_view body, std::string_view name,
                                           const TextCodec& codec) {
  bool named = false;
  for (size_t pos = 0; pos < body.size();) {
    size_t codeEnd = findLineEnd(body, pos);
    if (codeEnd == std::string_view::npos) break;
    size_t valueEnd = findLineEnd(body, codeEnd + 1);
    size_t stop = valueEnd == std::string_view::npos ? body.size() : valueEnd + 1;
    int code = 0;
    if (!parseGroupCode(body.substr(pos, codeEnd - pos), code)) code = 0;
    std::string_view value = trimLineEnd(body.substr(codeEnd + 1, stop - codeEnd - 1));
    pos = stop;
    if (named) {
      if (code == DxfCode::kComment) continue;
      if (code == DxfCode::kVariable) return std::nullopt;
      return codec.decode(value);
    }
    if (code != DxfCode::kVariable) continue;
    std::string_view raw = trimBlanks(value);
    // Names are ASCII; only escapes would spell one differently from its bytes.
    bool escaped = raw.find_first_of("^\\") != std::string_view::npos;
    named = escaped ? trimBlanks(codec.decode(value)) == name : raw == name;
  }
  return std::nullopt;
}
}  // namespace

std::optional<std::string> TzDbDatabaseImpl::headerVar(std::string_view name) const {
  if (header == kNoRecord) return std::nullopt;
  if (auto value = findHeaderValue(text.view(at(header).body), name, codec)) return value;
  for (uint32_t part : headerContinuations)
    if (auto value = findHeaderValue(text.view(at(part).body), name, codec)) return value;
  return std::nullopt;
}

// The header record that holds the variable, where it stands in the file; a new variable goes
// into the header's first part.
uint32_t TzDbDatabaseImpl::headerRecordOf(std::string_view name) const {
  for (uint32_t part : headerContinuations) {
    DxfTags tags = parseTags(text.view(at(part).body), codec);
    if (headerValue(tags, name)) return part;
  }
  return header;
}

bool TzDbDatabaseImpl::setHeaderVar(std::string_view name, int code, const std::string& value) {
  if (header == kNoRecord && addSection(Section::Header) == kNoRecord) return false;
  uint32_t record = headerRecordOf(name);
  TzDbStub& r = at(record);
  DxfTags tags = parseTags(text.view(r.body), codec);
  DxfTag* found = headerValue(tags, name);
  if (found) {
    if (found->value == value) return true;
    found->set(value);
  } else {
    tags.emplace_back(9, std::string(name));
    tags.emplace_back(code, value);
  }
  std::string out;
  writeTags(tags, codec, eol, out);
  TextRef stored;
  if (!text.store(out, stored)) return false;
  journal.touch(*this, record);
  r.body = stored;
  modified = true;
  return true;
}

bool TzDbDatabaseImpl::indexStructure(const std::string& displayName) {
  readDrawingSettings();
  if (!indexHandles(displayName)) return false;
  indexBlocks();
  findLayoutDictionary();
  if (!addVirtualRecords()) {
    fail(tzad::tr8("{0}: not enough memory", {displayName}));
    return false;
  }
  std::string tilemode(trimBlanks(headerVar("$TILEMODE").value_or("1")));
  currentSpace = tilemode == "0" && paperSpace != kNoRecord ? paperSpace : modelSpace;
  modified = false;
  return true;
}

// The release and code page: they decide how the records' text is decoded.
void TzDbDatabaseImpl::readDrawingSettings() {
  std::string acadver = headerVar("$ACADVER").value_or("AC1009");
  version = versionOf(trimBlanks(acadver));
  codePage = std::string(trimBlanks(headerVar("$DWGCODEPAGE").value_or("ANSI_1252")));
  codec.configure(version >= TzDb::kDHL_R2007, codePage);
}

// Handles: unique in the file, and the next one to give out.
bool TzDbDatabaseImpl::indexHandles(const std::string& displayName) {
  handleIndexSorted = false;
  sortHandleIndex();
  for (size_t i = 1; i < handleIndex.size(); ++i) {
    if (at(handleIndex[i]).handle == at(handleIndex[i - 1]).handle) {
      fail(tzad::tr8("{0}: handle {1} is used by two objects",
                     {displayName, formatHandle(at(handleIndex[i]).handle)}));
      return false;
    }
  }
  unsigned long long seed = 0;
  if (auto hs = headerVar("$HANDSEED")) parseHandle(*hs, seed);
  fileHasHandles = !handleIndex.empty();
  // R12 drawings say whether they carry handles; newer releases always do.
  if (version == TzDb::kDHL_R12)
    if (auto handling = headerVar("$HANDLING")) fileHasHandles = trimBlanks(*handling) != "0";
  uint64_t maxHandle = handleIndex.empty() ? 0 : at(handleIndex.back()).handle;
  nextHandle = std::max<uint64_t>({seed, maxHandle + 1, 1});
  // Records the file gives no handle still need an identity: internal handles, never written.
  for (uint32_t i = 0; i < records.size(); ++i) {
    TzDbStub& r = records[i];
    const std::string& type = typeName(r);
    if (r.handle != 0 || type == "SECTION" || type == "ENDSEC" || type == "EOF" ||
        type == "CLASS" || type == kCommentRecord)
      continue;
    r.handle = allocateHandle();
    r.flags |= kRecNoHandle;
    addHandle(i);
  }
  return true;
}

// Block definitions, matched to their block records.
void TzDbDatabaseImpl::indexBlocks() {
  uint32_t open = kNoRecord;
  for (uint32_t i = head; i != kNoRecord; i = at(i).next) {
    const std::string& type = typeName(at(i));
    if (type == "BLOCK") {
      open = i;
    } else if (type == "ENDBLK" && open != kNoRecord) {
      DxfTags tags = parseTags(text.view(at(open).body), codec);
      BlockIndex b;
      b.name = nameFromTags(tags);
      b.begin = open;
      b.end = i;
      for (const DxfTag& t : tags) {
        unsigned long long owner = 0;
        if (t.code == DxfCode::kOwner && parseHandle(t.value, owner)) {
          b.blockRecord = findByHandle(owner);
          break;
        }
      }
      blocks.push_back(std::move(b));
      open = kNoRecord;
    }
  }
  if (TableIndex* t = table("BLOCK_RECORD")) {
    for (BlockIndex& b : blocks) {
      if (b.blockRecord != kNoRecord) continue;
      for (uint32_t rec : t->records)
        if (tzutEqualsNoCase(recordName(rec), b.name)) b.blockRecord = rec;
    }
    modelSpace = findTableRecord("BLOCK_RECORD", TZDB_MODEL_SPACE, true);
    paperSpace = findTableRecord("BLOCK_RECORD", TZDB_PAPER_SPACE, true);
  }
}

// The layout dictionary: entry ACAD_LAYOUT of the first (root) dictionary.
void TzDbDatabaseImpl::findLayoutDictionary() {
  for (uint32_t i = head; i != kNoRecord; i = at(i).next) {
    if (typeName(at(i)) != "DICTIONARY") continue;
    DxfTags tags = parseTags(text.view(at(i).body), codec);
    for (size_t k = 0; k + 1 < tags.size(); ++k) {
      unsigned long long h = 0;
      if (tags[k].code == DxfCode::kEntryName && tags[k].value == "ACAD_LAYOUT" &&
          (tags[k + 1].code == DxfCode::kSoftOwnerId ||
           tags[k + 1].code == DxfCode::kHardOwnerId) &&
          parseHandle(tags[k + 1].value, h))
        layoutDictionary = findByHandle(h);
    }
    break;
  }
}

// R12 drawings store no block records and no layouts. Stand-ins give them the same model
// space, paper space and two layouts a newer drawing has, so callers need no special case.
bool TzDbDatabaseImpl::addVirtualRecords() {
  auto add = [&](std::string_view type, const std::string& body) {
    return insertRecord(kNoRecord, type, body, allocateHandle(), kRecVirtual | kRecNoHandle);
  };
  auto tag = [&](int code, const std::string& value) {
    char buf[16];
    snprintf(buf, sizeof buf, "%3d\n", code);
    return buf + value + "\n";
  };
  if (modelSpace == kNoRecord) {
    TableIndex& t = tables["BLOCK_RECORD"];
    if (t.table == kNoRecord) t.table = add("TABLE", tag(0, "TABLE") + tag(2, "BLOCK_RECORD"));
    modelSpace = add("BLOCK_RECORD", tag(0, "BLOCK_RECORD") + tag(2, "*Model_Space"));
    if (t.table == kNoRecord || modelSpace == kNoRecord) return false;
    t.records.push_back(modelSpace);
    if (paperSpace == kNoRecord) {
      paperSpace = add("BLOCK_RECORD", tag(0, "BLOCK_RECORD") + tag(2, "*Paper_Space"));
      if (paperSpace == kNoRecord) return false;
      t.records.push_back(paperSpace);
    }
  }
  if (layoutDictionary == kNoRecord) {
    auto layout = [&](const std::string& name, int flags, uint32_t block, int order) {
      return add("LAYOUT", tag(0, "LAYOUT") + tag(100, "AcDbLayout") + tag(1, name) +
                               tag(70, std::to_string(flags)) + tag(71, std::to_string(order)) +
                               tag(330, formatHandle(at(block).handle)));
    };
    uint32_t model = layout("Model", 1, modelSpace, 0);
    if (model == kNoRecord) return false;
    std::string dict =
        tag(0, "DICTIONARY") + tag(3, "Model") + tag(350, formatHandle(at(model).handle));
    if (paperSpace != kNoRecord) {
      uint32_t paper = layout("Layout1", 1, paperSpace, 1);
      if (paper == kNoRecord) return false;
      dict += tag(3, "Layout1") + tag(350, formatHandle(at(paper).handle));
    }
    layoutDictionary = add("DICTIONARY", dict);
    if (layoutDictionary == kNoRecord) return false;
  }
  for (const char* name : {"LAYER", "VIEW", "APPID"}) {
    TableIndex& t = tables[name];
    if (t.table == kNoRecord) t.table = add("TABLE", tag(0, "TABLE") + tag(2, name));
    if (t.table == kNoRecord) return false;
  }
  return true;
}

std::string TzDbDatabaseImpl::newRecordText(std::string_view type, uint64_t handle, uint64_t owner,
                                            std::initializer_list<std::string_view> markers,
                                            const DxfTags& groups) const {
  DxfTags tags;
  tags.emplace_back(0, std::string(type));
  if (fileHasHandles) tags.emplace_back(5, formatHandle(handle));
  if (version > TzDb::kDHL_R12) {
    if (owner != 0) tags.emplace_back(330, formatHandle(owner));
    for (std::string_view m : markers) tags.emplace_back(100, std::string(m));
  }
  for (const DxfTag& g : groups) {
    if (g.code == DxfCode::kSubclass && version == TzDb::kDHL_R12) continue;
    tags.emplace_back(g.code, g.value);
  }
  std::string out;
  writeTags(tags, codec, eol, out);
  return out;
}
