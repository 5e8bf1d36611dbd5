// A drawing: its objects, tables, layouts and header, read from and written to DXF files.
#pragma once

#include <memory>
#include <string>

#include "tz_export.h"
#include "tzdb_dictionary.h"
#include "tzdb_symbol_table.h"

// The host's own types, which the SDK names only by pointer: declared outside the exported
// region, they stay inside libtzad.
struct TzDbDatabaseImpl;

TZAD_SDK_BEGIN

namespace TzDb {
// DXF releases a drawing can be written in.
enum DwgVersion : int {
  kDHL_R12 = 0,  // AC1009
  kDHL_R13,      // AC1012
  kDHL_R14,      // AC1014
  kDHL_R2000,    // AC1015
  kDHL_R2004,    // AC1018
  kDHL_R2007,    // AC1021
  kDHL_R2010,    // AC1024
  kDHL_R2013,    // AC1027
  kDHL_R2018,    // AC1032
};
}  // namespace TzDb

class TzDbDatabase {
 public:
  // buildDefaultDrawing makes a new empty R2018 drawing; otherwise the database stays empty
  // until readDwgFile fills it.
  explicit TzDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
  ~TzDbDatabase();
  TzDbDatabase(const TzDbDatabase&) = delete;
  TzDbDatabase& operator=(const TzDbDatabase&) = delete;

  // Reads a DXF drawing. openMode and password exist for SDK compatibility.
  Tzad::ErrorStatus readDwgFile(const TzString& fileName, int openMode = 1,
                                bool allowCodePageConversion = false,
                                const TzString& password = TzString());
  // Writes the drawing to fileName atomically; the old file stays intact on failure.
  Tzad::ErrorStatus saveAs(const TzString& fileName);
  // The same, as the host's SAVE writes a drawing: with keepBackup the file it replaces stays
  // beside it as NAME.bak ("plan.dxf" -> "plan.bak"). A read-only file or a folder is never
  // replaced (eWriteFailed; lastErrorText says why). A tool that changes drawings it read
  // itself saves them with this, honouring the user's ISAVEBAK (tzedGetVar).
  Tzad::ErrorStatus saveAs(const TzString& fileName, bool keepBackup);
  // The reason of the last failed read or save: file, line and what was wrong.
  TzString lastErrorText() const;

  Tzad::ErrorStatus getFilename(const char16_t*& fileName) const;
  TzString fileName() const;
  TzDb::DwgVersion version() const;
  // The code page of pre-2007 drawings ("ANSI_1252"); R2007 and later are UTF-8.
  TzString codePage() const;
  bool isModified() const;

  Tzad::ErrorStatus getHyperlinkBase(TzString& base) const;
  TzString hyperlinkBase() const;
  Tzad::ErrorStatus setHyperlinkBase(const TzString& base);

  Tzad::ErrorStatus getSymbolTable(TzDbLayerTable*& table, TzDb::OpenMode mode);
  Tzad::ErrorStatus getSymbolTable(TzDbViewTable*& table, TzDb::OpenMode mode);
  Tzad::ErrorStatus getSymbolTable(TzDbBlockTable*& table, TzDb::OpenMode mode);
  Tzad::ErrorStatus getSymbolTable(TzDbRegAppTable*& table, TzDb::OpenMode mode);
  TzDbObjectId layerTableId() const;
  TzDbObjectId viewTableId() const;
  TzDbObjectId blockTableId() const;
  TzDbObjectId regAppTableId() const;

  Tzad::ErrorStatus getLayoutDictionary(TzDbDictionary*& dict, TzDb::OpenMode mode);
  TzDbObjectId layoutDictionaryId() const;

  // The block record of the space new entities go to: model space, or the current layout's.
  TzDbObjectId currentSpaceId() const;
  TzDbObjectId modelSpaceId() const;
  TzDbObjectId paperSpaceId() const;
  // Makes a layout's block record the current space (model space or a paper layout).
  Tzad::ErrorStatus setCurrentSpace(TzDbObjectId blockRecordId);

  TzDbObjectId clayer() const;
  Tzad::ErrorStatus setClayer(TzDbObjectId layerId);

  // The id of the object with this handle, or a null id.
  Tzad::ErrorStatus getTzDbObjectId(TzDbObjectId& id, bool createIfNotFound, TzDbHandle handle);
  TzDbObjectId objectIdOf(TzDbHandle handle) const;
  // Every entity of model space and of the paper layouts, in drawing order.
  std::vector<TzDbObjectId> allEntityIds() const;

  // The host's drawing behind this one.
  TZAD_HOST_ONLY TzDbDatabaseImpl& impl() const;

 private:
  std::unique_ptr<TzDbDatabaseImpl> impl_;
};

// The host application's services to modules.
class TzDbHostApplicationServices {
 public:
  TzDbDatabase* workingDatabase() const { return working_; }
  void setWorkingDatabase(TzDbDatabase* db) { working_ = db; }

 private:
  TzDbDatabase* working_ = nullptr;
};

TzDbHostApplicationServices* tzdbHostApplicationServices();

TZAD_SDK_END
