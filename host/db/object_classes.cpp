// Run-time class descriptions of the database's classes.
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

#define TZRX_DEFINE_MEMBERS(CLASS, PARENT)        \
  TzRxClass* CLASS::desc() {                      \
    static TzRxClass cls(#CLASS, PARENT::desc()); \
    return &cls;                                  \
  }                                               \
  TzRxClass* CLASS::isA() const {                 \
    return desc();                                \
  }

TZRX_DEFINE_MEMBERS(TzDbObject, TzRxObject)
TZRX_DEFINE_MEMBERS(TzDbEntity, TzDbObject)
TZRX_DEFINE_MEMBERS(TzDb3dPolyline, TzDbEntity)
TZRX_DEFINE_MEMBERS(TzDbSymbolTable, TzDbObject)
TZRX_DEFINE_MEMBERS(TzDbLayerTable, TzDbSymbolTable)
TZRX_DEFINE_MEMBERS(TzDbViewTable, TzDbSymbolTable)
TZRX_DEFINE_MEMBERS(TzDbBlockTable, TzDbSymbolTable)
TZRX_DEFINE_MEMBERS(TzDbRegAppTable, TzDbSymbolTable)
TZRX_DEFINE_MEMBERS(TzDbSymbolTableRecord, TzDbObject)
TZRX_DEFINE_MEMBERS(TzDbLayerTableRecord, TzDbSymbolTableRecord)
TZRX_DEFINE_MEMBERS(TzDbViewTableRecord, TzDbSymbolTableRecord)
TZRX_DEFINE_MEMBERS(TzDbBlockTableRecord, TzDbSymbolTableRecord)
TZRX_DEFINE_MEMBERS(TzDbRegAppTableRecord, TzDbSymbolTableRecord)
TZRX_DEFINE_MEMBERS(TzDbDictionary, TzDbObject)
TZRX_DEFINE_MEMBERS(TzDbPlotSettings, TzDbObject)
TZRX_DEFINE_MEMBERS(TzDbLayout, TzDbPlotSettings)
TZRX_DEFINE_MEMBERS(TzDbEntityHyperlinkPE, TzRxObject)
