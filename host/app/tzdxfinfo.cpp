// Prints what a drawing holds: release, layers, layouts, views and the entities' hyperlinks.
#include <cstdio>
#include <cstring>
#include <memory>

#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

namespace {

const char* releaseName(TzDb::DwgVersion v) {
  static const char* names[] = {"R12",   "R13",   "R14",   "R2000", "R2004",
                                "R2007", "R2010", "R2013", "R2018"};
  return names[v];
}

std::string u8(const TzString& s) {
  return tzutToUtf8(s);
}

// Each listing answers false when the drawing could not be read through to its end.
bool printLayers(TzDbDatabase& db) {
  TzDbLayerTable* opened = nullptr;
  if (db.getSymbolTable(opened, TzDb::kForRead) != Tzad::eOk) return true;
  TzDbObjectPointer<TzDbLayerTable> table(opened);
  TzDbSymbolTableIterator* it = nullptr;
  Tzad::ErrorStatus es = table->newIterator(it);
  std::unique_ptr<TzDbSymbolTableIterator> owned(it);
  std::printf("Layers:\n");
  for (; es == Tzad::eOk && !it->done(); it->step()) {
    TzDbObjectPointer<TzDbLayerTableRecord> layer(it->recordId(), TzDb::kForRead);
    if (!layer) continue;
    std::printf("  %-20s colour %3d%s%s\n", u8(layer->getName()).c_str(), layer->colorIndex(),
                layer->isFrozen() ? "  frozen" : "", layer->isLocked() ? "  locked" : "");
  }
  return table.close() == Tzad::eOk && es == Tzad::eOk;
}

bool printLayouts(TzDbDatabase& db) {
  TzDbDictionary* opened = nullptr;
  if (db.getLayoutDictionary(opened, TzDb::kForRead) != Tzad::eOk) return true;
  TzDbObjectPointer<TzDbDictionary> dict(opened);
  std::unique_ptr<TzDbDictionaryIterator> it(dict->newIterator());
  std::printf("Layouts:\n");
  for (; !it->done(); it->next()) {
    TzDbObjectPointer<TzDbLayout> layout(it->objectId(), TzDb::kForRead);
    if (layout)
      std::printf("  %s%s\n", u8(layout->getLayoutName()).c_str(),
                  layout->modelType() ? "  (model)" : "");
  }
  return dict.close() == Tzad::eOk;
}

bool printViews(TzDbDatabase& db) {
  TzDbViewTable* opened = nullptr;
  if (db.getSymbolTable(opened, TzDb::kForRead) != Tzad::eOk) return true;
  TzDbObjectPointer<TzDbViewTable> table(opened);
  TzDbSymbolTableIterator* it = nullptr;
  Tzad::ErrorStatus es = table->newIterator(it);
  std::unique_ptr<TzDbSymbolTableIterator> owned(it);
  std::printf("Views:\n");
  for (; es == Tzad::eOk && !it->done(); it->step()) {
    TzDbObjectPointer<TzDbViewTableRecord> view(it->recordId(), TzDb::kForRead);
    if (view)
      std::printf("  %s%s\n", u8(view->getName()).c_str(),
                  view->isPaperspaceView() ? "  (paper space)" : "");
  }
  return table.close() == Tzad::eOk && es == Tzad::eOk;
}

bool printHyperlinks(TzDbDatabase& db) {
  bool complete = true;
  std::vector<TzDbObjectId> ids = db.allEntityIds();
  std::printf("Entities: %zu\n", ids.size());
  for (TzDbObjectId id : ids) {
    TzDbObjectPointer<TzDbEntity> entity(id, TzDb::kForRead);
    if (!entity) continue;
    TzDbHyperlinkCollection* links = nullptr;
    TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
    if (pe == nullptr || pe->getHyperlinkCollection(entity.get(), links) != Tzad::eOk) {
      complete = false;
      continue;
    }
    std::unique_ptr<TzDbHyperlinkCollection> owned(links);
    for (int i = 0; links && i < links->count(); ++i) {
      TzDbHyperlink* l = links->item(i);
      std::printf("  %llX %s on %s: \"%s\" \"%s\" \"%s\"\n",
                  static_cast<unsigned long long>(id.handle().value()),
                  u8(entity->dxfName()).c_str(), u8(entity->layer()).c_str(), u8(l->name()).c_str(),
                  u8(l->description()).c_str(), u8(l->subLocation()).c_str());
    }
  }
  return complete;
}

constexpr char kUsage[] = "usage: tzdxfinfo DRAWING.dxf\n";
constexpr char kHelp[] =
    "Prints what a DXF drawing holds: its release and code page, the hyperlink base, the\n"
    "layers, layouts and views, and each entity's hyperlinks (address, description, named\n"
    "location). The drawing is only read.\n"
    "  -h, --help  show this help\n";

bool isOption(const char* argument) {
  return argument[0] == '-' && argument[1] != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::printf("%s%s", kUsage, kHelp);
    return 0;
  }
  if (argc != 2 || isOption(argv[1])) {
    if (argc == 2) std::fprintf(stderr, "tzdxfinfo: unknown option %s\n", argv[1]);
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  TzDbDatabase db(false);
  if (db.readDwgFile(tzutFromUtf8(argv[1])) != Tzad::eOk) {
    std::fprintf(stderr, "%s\n", u8(db.lastErrorText()).c_str());
    return 1;
  }
  std::printf("%s: %s, %s\n", argv[1], releaseName(db.version()), u8(db.codePage()).c_str());
  std::printf("Hyperlink base: \"%s\"\n", u8(db.hyperlinkBase()).c_str());
  bool complete = printLayers(db);
  complete = printLayouts(db) && complete;
  complete = printViews(db) && complete;
  complete = printHyperlinks(db) && complete;
  if (complete) return 0;
  std::fprintf(stderr, "%s: part of the drawing could not be read\n", argv[1]);
  return 1;
}
