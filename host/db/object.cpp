#include <charconv>
#include <cstdlib>
#include <new>

#include "db/object_data.h"
#include "db/packed_link.h"
#include "dxf/dxf_codes.h"
#include "tzdb_database.h"

DxfTag* TzDbObjectData::find(int code) {
  for (DxfTag& t : tags())
    if (t.code == code) return &t;
  return nullptr;
}

const DxfTag* TzDbObjectData::find(int code) const {
  for (const DxfTag& t : tags())
    if (t.code == code) return &t;
  return nullptr;
}

const DxfTag* TzDbObjectData::findAfter(std::string_view marker, int code) const {
  bool seen = false;
  for (const DxfTag& t : tags()) {
    if (t.code == DxfCode::kSubclass && t.value == marker)
      seen = true;
    else if (seen && t.code == code)
      return &t;
  }
  return nullptr;
}

std::string TzDbObjectData::get(int code, std::string_view fallback) const {
  const DxfTag* t = find(code);
  return t ? t->value : std::string(fallback);
}

int TzDbObjectData::getInt(int code, int fallback) const {
  const DxfTag* t = find(code);
  if (!t) return fallback;
  std::string_view v = trimBlanks(t->value);
  int value = fallback;
  std::from_chars(v.data(), v.data() + v.size(), value);
  return value;
}

double TzDbObjectData::getReal(int code, double fallback) const {
  const DxfTag* t = find(code);
  if (!t) return fallback;
  return parseReal(t->value).value_or(fallback);
}

void TzDbObjectData::set(int code, const std::string& value, int after) {
  bodyChanged = true;
  if (DxfTag* t = find(code)) {
    t->set(value);
    return;
  }
  size_t pos = tags().size();
  if (after >= 0) {
    for (size_t i = 0; i < tags().size(); ++i)
      if (tags()[i].code == after) pos = i + 1;
  }
  tags().insert(tags().begin() + static_cast<long>(pos), DxfTag(code, value));
}

void TzDbObjectData::parseBody() {
  bodyParsed = true;
  tags_ = parseTags(bodyText_, db->codec);
}

std::string_view TzDbObjectData::layerText() const {
  if (!bodyParsed) return layerRaw_;
  const DxfTag* t = find(8);
  return t ? std::string_view(t->value) : std::string_view();
}

std::string_view TzDbObjectData::firstValue(int code) const {
  if (!bodyParsed) return firstRawValue(bodyText_, code);
  const DxfTag* t = find(code);
  return t ? std::string_view(t->value) : std::string_view();
}

std::string TzDbObjectData::layerName() const {
  if (bodyParsed) return get(8, "0");
  return layerRaw_.empty() ? std::string("0") : db->codec.decode(layerRaw_);
}

std::string_view firstRawValue(std::string_view body, int wanted) {
  size_t pos = 0;
  while (pos < body.size()) {
    size_t codeEnd = findLineEnd(body, pos);
    if (codeEnd == std::string_view::npos) break;
    size_t valueEnd = findLineEnd(body, codeEnd + 1);
    size_t next = valueEnd == std::string_view::npos ? body.size() : valueEnd + 1;
    int code = 0;
    parseGroupCode(body.substr(pos, codeEnd - pos), code);
    if (code == wanted) return trimLineEnd(body.substr(codeEnd + 1, next - codeEnd - 1));
    pos = next;
  }
  return {};
}

void loadObjectData(TzDbObjectData& data, TzDbDatabaseImpl& db, uint32_t record) {
  data.db = &db;
  data.record = record;
  const TzDbStub& r = db.at(record);
  data.type = db.typeName(r);
  std::string_view body = db.text.view(r.body);
  data.layerRaw_ = firstRawValue(body, DxfCode::kLayer);
  data.bodyText_ = body;
  data.bodyParsed = false;
  data.tags_.clear();
  data.xdata.clear();
  if (r.xdata.size())
    data.xdata = r.has(kRecPackedLink) ? unpackLink(db.text.view(r.xdata))
                                       : parseTags(db.text.view(r.xdata), db.codec);
}

namespace {

// The record's new texts, stored before any of it changes.
struct CommittedText {
  TextRef body;
  TextRef xdata;
  bool packed = false;
};

bool storePackedLink(TzDbDatabaseImpl& db, const std::string& packed, TextRef& ref) {
  if (packed == db.lastPackedLink && !db.lastPackedLink.empty()) {
    ref = db.lastPackedLinkRef;
    return true;
  }
  if (!db.text.store(packed, ref)) return false;
  db.lastPackedLink = packed;
  db.lastPackedLinkRef = ref;
  return true;
}

bool storeChanges(TzDbObjectData& data, const TzDbStub& r, CommittedText& out) {
  TextArena& text = data.db->text;
  if (data.bodyChanged) {
    std::string body;
    writeTags(data.tags(), data.db->codec, data.db->eol, body);
    if (!text.store(body, out.body)) return false;
  } else {
    out.body = r.body;
  }
  if (std::optional<std::string> packed = packLink(data.xdata)) {
    out.packed = true;
    return storePackedLink(*data.db, *packed, out.xdata);
  }
  std::string x;
  writeTags(data.xdata, data.db->codec, data.db->eol, x);
  return text.store(x, out.xdata);
}

}  // namespace

namespace {

// A polyline's vertices and an insert's attributes go and come back with it.
void setErased(TzDbDatabaseImpl& db, uint32_t record, bool erased) {
  auto mark = [&db, erased](TzDbStub& r) {
    db.journal.touchXdata(db, r.index());
    if (erased)
      r.flags |= kRecErased;
    else
      r.flags &= static_cast<uint8_t>(~kRecErased);
  };
  mark(db.at(record));
  if (!db.at(record).has(kRecEntity)) return;  // a vertex or attribute goes alone
  for (uint32_t i = db.at(record).next; i != kNoRecord && db.at(i).has(kRecSubEntity);
       i = db.at(i).next)
    mark(db.at(i));
}

}  // namespace

Tzad::ErrorStatus commitObjectData(TzDbObjectData& data) noexcept {
  if (data.isNew()) return Tzad::eOk;
  TzDbStub& r = data.db->at(data.record);
  bool textChanged = data.bodyChanged || data.xdataChanged;
  CommittedText committed;
  try {
    if (textChanged && !storeChanges(data, r, committed)) return Tzad::eOutOfMemory;
  } catch (const std::bad_alloc&) {
    return Tzad::eOutOfMemory;
  }
  if (data.erasing || data.unerasing || data.bodyChanged) data.db->tableChanged(data.type);
  if (data.erasing || data.unerasing) {
    setErased(*data.db, data.record, data.erasing);
    data.db->modified = true;
  }
  if (!textChanged) return Tzad::eOk;
  if (data.bodyChanged)
    data.db->journal.touch(*data.db, data.record);
  else
    data.db->journal.touchXdata(*data.db, data.record);
  data.db->modified = true;
  r.body = committed.body;
  r.xdata = committed.xdata;
  if (committed.packed)
    r.flags |= kRecPackedLink;
  else
    r.flags &= static_cast<uint8_t>(~kRecPackedLink);
  return Tzad::eOk;
}

// --- TzDbObject ---------------------------------------------------------------------------

TzDbObject::TzDbObject() : data_(std::make_unique<TzDbObjectData>()) {}
TzDbObject::TzDbObject(std::unique_ptr<TzDbObjectData> data) : data_(std::move(data)) {}
TzDbObjectData* TzDbObject::data() const {
  return data_.get();
}
TzDbObject::~TzDbObject() {
  if (data_ && data_->mode == TzDb::kForWrite && data_->stub()) data_->stub()->openedForWrite = 0;
}

TzDbObjectId TzDbObject::objectId() const {
  return data_->isNew() ? TzDbObjectId() : TzDbInternals::idOf(data_->stub());
}

TzDbObjectId TzDbObject::ownerId() const {
  if (data_->isNew()) return {};
  unsigned long long h = 0;
  if (!parseHandle(data_->get(DxfCode::kOwner), h)) return {};
  return data_->db->idOf(data_->db->findByHandle(h));
}

TzDbHandle TzDbObject::getDbHandle() const {
  return data_->isNew() ? TzDbHandle() : TzDbHandle(data_->stub()->handle);
}

TzDbDatabase* TzDbObject::database() const {
  return data_->db ? data_->db->self : nullptr;
}
TzString TzDbObject::dxfName() const {
  return tzutFromUtf8(data_->type);
}
bool TzDbObject::isReadEnabled() const {
  return true;
}
bool TzDbObject::isWriteEnabled() const {
  return data_->mode == TzDb::kForWrite;
}
bool TzDbObject::isNewObject() const {
  return data_->isNew();
}
bool TzDbObject::isErased() const {
  return data_->erasing || (data_->stub() && data_->stub()->has(kRecErased) && !data_->unerasing);
}

Tzad::ErrorStatus TzDbObject::erase(bool erasing) {
  if (data_->mode != TzDb::kForWrite) return Tzad::eNotOpenForWrite;
  if (data_->isNew()) return Tzad::eNotInDatabase;
  data_->erasing = erasing;
  data_->unerasing = !erasing && data_->stub()->has(kRecErased);
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbObject::close() noexcept {
  if (data_->isNew()) return Tzad::eOk;
  Tzad::ErrorStatus es = Tzad::eOk;
  if (data_->mode == TzDb::kForWrite && !data_->stub()->has(kRecVirtual))
    es = commitObjectData(*data_);
  // The open ends either way: changes that could not be stored are dropped with the object.
  delete this;
  return es;
}

// --- opening ------------------------------------------------------------------------------

namespace {

// Entities of one layer come in runs, so the answer is remembered by the name's raw text
// until the layer table changes. `name` decodes the layer name when it is not known yet.
template <typename Name>
int cachedLayerFlags(TzDbDatabaseImpl& db, std::string_view raw, Name name) {
  TableIndex* layers = db.table("LAYER");
  if (layers == nullptr) return 0;
  if (!layers->byNameValid) {
    layers->layerFlagsByRawName.clear();
    layers->lastLayer = nullptr;
  }
  if (layers->lastLayer != nullptr && layers->lastLayer->first == raw)
    return layers->lastLayer->second;
  auto known = layers->layerFlagsByRawName.find(raw);
  if (known == layers->layerFlagsByRawName.end()) {
    const TableIndex::Entry* layer = db.findTableEntry("LAYER", tzutFromUtf8(name()));
    known = layers->layerFlagsByRawName.emplace(std::string(raw), layer ? layer->flags : 0).first;
  }
  layers->lastLayer = &*known;
  return known->second;
}

}  // namespace

int entityLayerFlags(const TzDbObjectData& entity) {
  return cachedLayerFlags(*entity.db, entity.layerText(), [&] { return entity.layerName(); });
}

int entityLayerFlags(TzDbObjectId id) {
  TzDbStub* stub = TzDbInternals::stub(id);
  if (stub == nullptr || !stub->has(kRecEntity)) return 0;
  TzDbDatabaseImpl& db = *stub->db();
  std::string_view raw = firstRawValue(db.text.view(stub->body), DxfCode::kLayer);
  return cachedLayerFlags(db, raw,
                          [&] { return raw.empty() ? std::string("0") : db.codec.decode(raw); });
}

Tzad::ErrorStatus tzdbOpenObject(TzDbObject*& obj, TzDbObjectId id, TzDb::OpenMode mode,
                                 bool openErased) {
  obj = nullptr;
  TzDbStub* stub = TzDbInternals::stub(id);
  if (stub == nullptr) return Tzad::eNullObjectId;
  if (stub->has(kRecErased) && !openErased) return Tzad::eWasErased;
  if (mode == TzDb::kForWrite && stub->openedForWrite) return Tzad::eWasOpenForWrite;
  auto data = std::make_unique<TzDbObjectData>();
  loadObjectData(*data, *stub->db(), stub->index());
  data->mode = mode == TzDb::kForWrite ? TzDb::kForWrite : TzDb::kForRead;
  if (mode == TzDb::kForWrite && stub->has(kRecEntity) && (entityLayerFlags(*data) & 4))
    return Tzad::eOnLockedLayer;
  if (mode == TzDb::kForWrite) stub->openedForWrite = 1;
  obj = makeObjectFor(std::move(data));
  return Tzad::eOk;
}

TzDbObject* makeObjectFor(std::unique_ptr<TzDbObjectData> data) {
  const std::string& type = data->type;
  TzDbStub* stub = data->stub();
  using F = TzDbInternals;
  if (stub && stub->has(kRecEntity)) {
    if (type == "POLYLINE" && (data->getInt(DxfCode::kFlags) & kPolyline3d))
      return F::make<TzDb3dPolyline>(std::move(data));
    return F::make<TzDbEntity>(std::move(data));
  }
  if (type == "TABLE") {
    // The kind of table, as the drawing was read: without the blanks a file may put around it.
    std::string name(trimBlanks(data->get(DxfCode::kName)));
    if (name == "LAYER") return F::make<TzDbLayerTable>(std::move(data));
    if (name == "VIEW") return F::make<TzDbViewTable>(std::move(data));
    if (name == "BLOCK_RECORD") return F::make<TzDbBlockTable>(std::move(data));
    if (name == "APPID") return F::make<TzDbRegAppTable>(std::move(data));
    return F::make<TzDbSymbolTable>(std::move(data));
  }
  if (type == "LAYER") return F::make<TzDbLayerTableRecord>(std::move(data));
  if (type == "VIEW") return F::make<TzDbViewTableRecord>(std::move(data));
  if (type == "BLOCK_RECORD") return F::make<TzDbBlockTableRecord>(std::move(data));
  if (type == "APPID") return F::make<TzDbRegAppTableRecord>(std::move(data));
  if (type == "LTYPE" || type == "STYLE" || type == "UCS" || type == "VPORT" || type == "DIMSTYLE")
    return F::make<TzDbSymbolTableRecord>(std::move(data));
  if (type == "DICTIONARY") return F::make<TzDbDictionary>(std::move(data));
  if (type == "LAYOUT") return F::make<TzDbLayout>(std::move(data));
  if (type == "PLOTSETTINGS") return F::make<TzDbPlotSettings>(std::move(data));
  return F::make<TzDbObject>(std::move(data));
}
