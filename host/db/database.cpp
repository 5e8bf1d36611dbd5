#include "tzdb_database.h"

#include <filesystem>

#include "base/translation.h"
#include "db/database_impl.h"
#include "db/object_data.h"

const TzDbObjectId TzDbObjectId::kNull;

bool TzDbObjectId::isErased() const {
  return stub_ && stub_->has(kRecErased);
}
TzDbHandle TzDbObjectId::handle() const {
  return stub_ ? TzDbHandle(stub_->handle) : TzDbHandle();
}
TzDbDatabase* TzDbObjectId::database() const {
  return stub_ ? stub_->db()->self : nullptr;
}
TzDbStub* TzDbObjectId::stub() const {
  return stub_;
}
TzDbObjectId TzDbObjectId::of(TzDbStub* stub) {
  return TzDbObjectId(stub);
}

TzDbHostApplicationServices* tzdbHostApplicationServices() {
  static TzDbHostApplicationServices services;
  return &services;
}

TzDbDatabaseImpl& TzDbDatabase::impl() const {
  return *impl_;
}

TzDbDatabase::TzDbDatabase(bool buildDefaultDrawing, bool)
    : impl_(std::make_unique<TzDbDatabaseImpl>(this)) {
  if (buildDefaultDrawing) impl_->buildDefault();
}

TzDbDatabase::~TzDbDatabase() {
  if (tzdbHostApplicationServices()->workingDatabase() == this)
    tzdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

Tzad::ErrorStatus TzDbDatabase::readDwgFile(const TzString& fileName, int, bool, const TzString&) {
  if (fileName.empty()) return Tzad::eInvalidInput;
  if (!impl_->load(fileName)) {
    // Told by the file system, not by the message, which is in the user's language.
    std::error_code ec;
    bool missing = !std::filesystem::exists(u16ToPath(fileName), ec) && !ec;
    std::string error = impl_->lastError;
    impl_->clear();
    impl_->lastError = error;
    return missing ? Tzad::eFileNotFound : Tzad::eBadDxfFile;
  }
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbDatabase::saveAs(const TzString& fileName) {
  return saveAs(fileName, false);
}

Tzad::ErrorStatus TzDbDatabase::saveAs(const TzString& fileName, bool keepBackup) {
  if (impl_->head == kNoRecord) {
    impl_->fail(tzad::tr("cannot save: the database holds no drawing"));
    return Tzad::eNoDatabase;
  }
  return impl_->save(fileName, keepBackup) ? Tzad::eOk : Tzad::eWriteFailed;
}

TzString TzDbDatabase::lastErrorText() const {
  return tzutFromUtf8(impl_->lastError);
}

Tzad::ErrorStatus TzDbDatabase::getFilename(const char16_t*& fileName) const {
  fileName = impl_->fileName.c_str();
  return Tzad::eOk;
}
TzString TzDbDatabase::fileName() const {
  return impl_->fileName;
}
TzDb::DwgVersion TzDbDatabase::version() const {
  return impl_->version;
}
TzString TzDbDatabase::codePage() const {
  return impl_->codec.isUtf8() ? u"UTF-8" : tzutFromUtf8(impl_->codePage);
}
bool TzDbDatabase::isModified() const {
  return impl_->modified;
}

Tzad::ErrorStatus TzDbDatabase::getHyperlinkBase(TzString& base) const {
  base = tzutFromUtf8(impl_->headerVar("$HYPERLINKBASE").value_or(""));
  return Tzad::eOk;
}
TzString TzDbDatabase::hyperlinkBase() const {
  TzString base;
  return getHyperlinkBase(base) == Tzad::eOk ? base : TzString();
}
Tzad::ErrorStatus TzDbDatabase::setHyperlinkBase(const TzString& base) {
  if (impl_->head == kNoRecord) return Tzad::eNoDatabase;
  // The value a drawing without the variable has already: nothing to add (not even a header).
  if (!impl_->headerVar("$HYPERLINKBASE") && base.empty()) return Tzad::eOk;
  if (!impl_->setHeaderVar("$HYPERLINKBASE", 1, tzutToUtf8(base))) return Tzad::eOutOfMemory;
  return Tzad::eOk;
}

namespace {
template <typename T>
Tzad::ErrorStatus openTable(TzDbDatabaseImpl& db, const char* name, T*& table,
                            TzDb::OpenMode mode) {
  table = nullptr;
  TableIndex* t = db.table(name);
  if (t == nullptr || t->table == kNoRecord) return Tzad::eKeyNotFound;
  return tzdbOpenObject(table, db.idOf(t->table), mode);
}
TzDbObjectId tableId(TzDbDatabaseImpl& db, const char* name) {
  TableIndex* t = db.table(name);
  return t ? db.idOf(t->table) : TzDbObjectId();
}
}  // namespace

Tzad::ErrorStatus TzDbDatabase::getSymbolTable(TzDbLayerTable*& t, TzDb::OpenMode m) {
  return openTable(*impl_, "LAYER", t, m);
}
Tzad::ErrorStatus TzDbDatabase::getSymbolTable(TzDbViewTable*& t, TzDb::OpenMode m) {
  return openTable(*impl_, "VIEW", t, m);
}
Tzad::ErrorStatus TzDbDatabase::getSymbolTable(TzDbBlockTable*& t, TzDb::OpenMode m) {
  return openTable(*impl_, "BLOCK_RECORD", t, m);
}
Tzad::ErrorStatus TzDbDatabase::getSymbolTable(TzDbRegAppTable*& t, TzDb::OpenMode m) {
  return openTable(*impl_, "APPID", t, m);
}
TzDbObjectId TzDbDatabase::layerTableId() const {
  return tableId(*impl_, "LAYER");
}
TzDbObjectId TzDbDatabase::viewTableId() const {
  return tableId(*impl_, "VIEW");
}
TzDbObjectId TzDbDatabase::blockTableId() const {
  return tableId(*impl_, "BLOCK_RECORD");
}
TzDbObjectId TzDbDatabase::regAppTableId() const {
  return tableId(*impl_, "APPID");
}

Tzad::ErrorStatus TzDbDatabase::getLayoutDictionary(TzDbDictionary*& dict, TzDb::OpenMode mode) {
  dict = nullptr;
  if (impl_->layoutDictionary == kNoRecord) return Tzad::eKeyNotFound;
  return tzdbOpenObject(dict, impl_->idOf(impl_->layoutDictionary), mode);
}
TzDbObjectId TzDbDatabase::layoutDictionaryId() const {
  return impl_->idOf(impl_->layoutDictionary);
}

TzDbObjectId TzDbDatabase::currentSpaceId() const {
  return impl_->idOf(impl_->currentSpace);
}
TzDbObjectId TzDbDatabase::modelSpaceId() const {
  return impl_->idOf(impl_->modelSpace);
}
TzDbObjectId TzDbDatabase::paperSpaceId() const {
  return impl_->idOf(impl_->paperSpace);
}

Tzad::ErrorStatus TzDbDatabase::setCurrentSpace(TzDbObjectId blockRecordId) {
  uint32_t r = impl_->indexOf(blockRecordId);
  if (r == kNoRecord) return Tzad::eInvalidInput;
  if (r != impl_->modelSpace && !impl_->isPaperLayoutRecord(r)) return Tzad::eNotThatKindOfClass;
  impl_->currentSpace = r;
  return Tzad::eOk;
}

TzDbObjectId TzDbDatabase::clayer() const {
  std::string name(trimBlanks(impl_->headerVar("$CLAYER").value_or("0")));
  uint32_t r = impl_->findTableRecord("LAYER", tzutFromUtf8(name));
  if (r == kNoRecord) r = impl_->findTableRecord("LAYER", u"0");
  return impl_->idOf(r);
}

Tzad::ErrorStatus TzDbDatabase::setClayer(TzDbObjectId layerId) {
  uint32_t r = impl_->indexOf(layerId);
  if (r == kNoRecord || impl_->typeName(impl_->at(r)) != "LAYER") return Tzad::eInvalidInput;
  std::string name = tzutToUtf8(impl_->recordName(r));
  if (!impl_->headerVar("$CLAYER") && name == "0") return Tzad::eOk;
  if (!impl_->setHeaderVar("$CLAYER", 8, name)) return Tzad::eOutOfMemory;
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbDatabase::getTzDbObjectId(TzDbObjectId& id, bool, TzDbHandle handle) {
  id = objectIdOf(handle);
  return id.isNull() ? Tzad::eKeyNotFound : Tzad::eOk;
}

TzDbObjectId TzDbDatabase::objectIdOf(TzDbHandle handle) const {
  uint32_t r = impl_->findByHandle(handle.value());
  return r == kNoRecord ? TzDbObjectId() : impl_->idOf(r);
}

std::vector<TzDbObjectId> TzDbDatabase::allEntityIds() const {
  std::vector<TzDbObjectId> ids;
  TzDbDatabaseImpl& db = *impl_;
  if (db.entitiesBegin != kNoRecord) {
    for (uint32_t i = db.at(db.entitiesBegin).next; i != kNoRecord && i != db.entitiesEnd;
         i = db.at(i).next)
      if (db.at(i).has(kRecEntity) && !db.at(i).has(kRecErased)) ids.push_back(db.idOf(i));
  }
  for (const BlockIndex& b : db.blocks) {
    if (!db.isPaperLayoutRecord(b.blockRecord) || b.blockRecord == db.paperSpace) continue;
    for (uint32_t i = db.at(b.begin).next; i != kNoRecord && i != b.end; i = db.at(i).next)
      if (db.at(i).has(kRecEntity) && !db.at(i).has(kRecErased)) ids.push_back(db.idOf(i));
  }
  return ids;
}
