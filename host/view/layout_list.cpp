#include "view/layout_list.h"

#include <algorithm>
#include <memory>

#include "tzdb_database.h"

namespace tzad {

std::vector<LayoutEntry> layoutsInTabOrder(TzDbDatabase& db) {
  struct Ordered {
    LayoutEntry entry;
    int order;
  };
  std::vector<Ordered> all;
  TzDbDictionary* opened = nullptr;
  if (db.getLayoutDictionary(opened, TzDb::kForRead) != Tzad::eOk) return {};
  TzDbObjectPointer<TzDbDictionary> dict(opened);
  std::unique_ptr<TzDbDictionaryIterator> it(dict->newIterator());
  for (; !it->done(); it->next()) {
    TzDbObjectPointer<TzDbLayout> layout(it->objectId(), TzDb::kForRead);
    if (!layout) continue;
    bool model = layout->modelType();
    all.push_back(
        {{layout->getLayoutName(), it->objectId(), layout->getBlockTableRecordId(), model},
         model ? -1 : layout->getTabOrder()});
  }
  if (dict.close() != Tzad::eOk) return {};
  std::stable_sort(all.begin(), all.end(),
                   [](const Ordered& a, const Ordered& b) { return a.order < b.order; });
  std::vector<LayoutEntry> entries;
  for (Ordered& o : all) entries.push_back(std::move(o.entry));
  return entries;
}

std::vector<std::u16string> namedViews(TzDbDatabase& db, bool paperOnly) {
  std::vector<std::u16string> names;
  TzDbViewTable* opened = nullptr;
  if (db.getSymbolTable(opened, TzDb::kForRead) != Tzad::eOk) return names;
  TzDbObjectPointer<TzDbViewTable> table(opened);
  TzDbSymbolTableIterator* raw = nullptr;
  Tzad::ErrorStatus es = table->newIterator(raw);
  std::unique_ptr<TzDbSymbolTableIterator> it(raw);
  for (; es == Tzad::eOk && !it->done(); it->step()) {
    TzDbObjectPointer<TzDbViewTableRecord> view(it->recordId(), TzDb::kForRead);
    if (view && (!paperOnly || view->isPaperspaceView())) names.push_back(view->getName());
  }
  return names;
}

}  // namespace tzad
