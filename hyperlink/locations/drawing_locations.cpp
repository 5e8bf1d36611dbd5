// Listing a drawing's layouts and named views. The host's order is kept as it comes: the
// dictionary's order for layouts, the view table's for views.
#include "locations/drawing_locations.h"

#include <memory>

#include "module/resource_string.h"
#include "tzdb_database.h"

namespace hyperlink {

namespace {

// The layout entry of one dictionary entry; false for anything that is not a named layout.
bool readLayoutEntry(TzDbObjectId id, LocationEntry& entry) {
  TzDbObjectPointer<TzDbObject> object(id, TzDb::kForRead);
  if (!object || !object->isKindOf(TzDbLayout::desc())) return false;
  auto* layout = static_cast<TzDbLayout*>(object.get());
  TzString name;
  if (layout->getLayoutName(name) != Tzad::eOk) return false;
  // The shown name and the space are decided apart: a layout called "model" in any case is
  // shown under the model name even when it is a paper layout.
  entry.name = tzutEqualsNoCase(name, u"Model") ? modelLayoutName() : name;
  entry.isView = false;
  entry.space = layout->modelType() ? 1 : 2;
  return true;
}

void listLayouts(TzDbDictionaryIterator& it, LocationList& list) {
  for (; !it.done(); it.next()) {
    LocationEntry entry;
    if (readLayoutEntry(it.objectId(), entry)) list.push_back(std::move(entry));
  }
}

void listNamedViews(TzDbDatabase& database, LocationList& list) {
  TzDbViewTable* opened = nullptr;
  if (database.getSymbolTable(opened, TzDb::kForRead) != Tzad::eOk || opened == nullptr) return;
  TzDbObjectPointer<TzDbViewTable> table(opened);
  TzDbSymbolTableIterator* created = nullptr;
  if (table->newIterator(created, true, true) != Tzad::eOk || created == nullptr) return;
  std::unique_ptr<TzDbSymbolTableIterator> it(created);
  for (; !it->done(); it->step(true, true)) {
    TzDbObjectId id;
    if (it->getRecordId(id) != Tzad::eOk) continue;
    TzDbObjectPointer<TzDbViewTableRecord> view(id, TzDb::kForRead);
    TzString name;
    if (!view || view->getName(name) != Tzad::eOk) continue;
    list.push_back({std::move(name), true, view->isPaperspaceView() ? 2 : 1});
  }
}

}  // namespace

TzString modelLayoutName() {
  return resourceText(text::kModelName);
}

bool listDrawingLocations(TzDbDatabase* database, LocationList& list) {
  if (database == nullptr) return false;
  const char16_t* fileName = nullptr;
  if (database->getFilename(fileName) != Tzad::eOk) return false;
  list.push_back({fileName ? TzString(fileName) : TzString(), false, 0});

  TzDbDictionary* opened = nullptr;
  if (database->getLayoutDictionary(opened, TzDb::kForRead) != Tzad::eOk || opened == nullptr)
    return false;
  TzDbObjectPointer<TzDbDictionary> dictionary(opened);
  std::unique_ptr<TzDbDictionaryIterator> it(newIteratorDic(dictionary.get(), 0));
  if (!it) return false;
  listLayouts(*it, list);
  listNamedViews(*database, list);
  return true;
}

bool listFileLocations(const TzString& path, LocationList& list) {
  // The drawing is read into a database of its own, never opened as a document, and the
  // database goes before the call returns: the file on disk is only read.
  try {
    auto database = std::make_unique<TzDbDatabase>(false, false);
    if (database->readDwgFile(path, 1, false, TzString()) != Tzad::eOk) return false;
    return listDrawingLocations(database.get(), list);
  } catch (...) {
    return false;
  }
}

TzString commaPrefixed(const TzString& text) {
  return text.empty() ? TzString() : u"," + text;
}

}  // namespace hyperlink
