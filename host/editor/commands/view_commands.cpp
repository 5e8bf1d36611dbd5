// -VIEW (list, restore, save, delete named views) and LAYOUT (switch layouts through CTAB).
#include <algorithm>
#include <memory>

#include "base/translation.h"
#include "editor/commands/command_support.h"
#include "tzdb_database.h"
#include "view/layout_list.h"
#include "view/scene.h"

namespace tzad {

namespace {

Editor& ed() {
  return Editor::instance();
}

void listViews(TzDbDatabase& db) {
  TzDbViewTable* opened = nullptr;
  if (db.getSymbolTable(opened, TzDb::kForRead) != Tzad::eOk) return;
  TzDbObjectPointer<TzDbViewTable> table(opened);
  TzDbSymbolTableIterator* raw = nullptr;
  Tzad::ErrorStatus es = table->newIterator(raw);
  std::unique_ptr<TzDbSymbolTableIterator> it(raw);
  ed().write(tr("Saved views:\n"));
  for (; es == Tzad::eOk && !it->done(); it->step()) {
    TzDbObjectPointer<TzDbViewTableRecord> view(it->recordId(), TzDb::kForRead);
    if (view)
      ed().write(u"  " + view->getName() + u"  " +
                 (view->isPaperspaceView() ? trf("PSPACE") : trf("MSPACE")) + u"\n");
  }
  if (table.close() != Tzad::eOk) ed().write(tr("The view table could not be read.\n"));
}

// Makes a view current: its centre and size; a paper-space view seen from model space moves to
// a paper layout, a model-space view seen from a layout to the model. Run by another command (a
// followed link that named a view and its paper layout) the layout stays: it was asked for by
// name, and a model-space view cannot be shown on paper.
void restoreView(Document& doc, const std::u16string& name) {
  TzDbDatabase& db = *doc.database();
  TzDbObjectPointer<TzDbViewTableRecord> view(findRecord<TzDbViewTable>(db, name), TzDb::kForRead);
  if (!view) return ed().write(trf("Cannot find view \"{0}\".\n", {name}));
  bool inPaper = db.currentSpaceId() != db.modelSpaceId();
  if (view->isPaperspaceView() && !inPaper) {
    for (const LayoutEntry& l : layoutsInTabOrder(db)) {
      if (l.blockRecord == db.modelSpaceId()) continue;
      if (db.setCurrentSpace(l.blockRecord) != Tzad::eOk)
        return ed().write(trf("Cannot show view \"{0}\": its layout cannot be opened.\n", {name}));
      break;
    }
  }
  if (!view->isPaperspaceView() && inPaper) {
    if (ed().runByACommand())
      return ed().write(
          trf("View \"{0}\" is in the model; this layout is shown as it is.\n", {name}));
    if (db.setCurrentSpace(db.modelSpaceId()) != Tzad::eOk)
      return ed().write(trf("Cannot show view \"{0}\": the model cannot be opened.\n", {name}));
  }
  doc.viewCenter = view->centerPoint();
  doc.viewSize = view->height();
  doc.viewSetByCommand = true;
}

// Adds a new view record to the drawing's view table, which then owns it.
Tzad::ErrorStatus addView(TzDbDatabase& db, std::unique_ptr<TzDbViewTableRecord> view) {
  TzDbViewTable* opened = nullptr;
  Tzad::ErrorStatus es = db.getSymbolTable(opened, TzDb::kForWrite);
  if (es != Tzad::eOk) return es;
  TzDbObjectPointer<TzDbViewTable> table(opened);
  es = tzdbAddNewObject(*table.get(), std::move(view));
  Tzad::ErrorStatus closed = table.close();
  return es == Tzad::eOk ? closed : es;
}

void saveView(Document& doc, const std::u16string& name) {
  TzDbDatabase& db = *doc.database();
  bool paper = db.currentSpaceId() != db.modelSpaceId();
  TzDbObjectPointer<TzDbViewTableRecord> existing(findRecord<TzDbViewTable>(db, name),
                                                  TzDb::kForWrite);
  TzDbViewTableRecord* view = existing.get();
  std::unique_ptr<TzDbViewTableRecord> created;
  if (view == nullptr) {
    created = std::make_unique<TzDbViewTableRecord>();
    view = created.get();
    if (view->setName(name) != Tzad::eOk)
      return ed().write(trf("\"{0}\" is not a view name.\n", {name}));
  }
  Tzad::ErrorStatus es = view->setIsPaperspaceView(paper);
  if (es == Tzad::eOk) es = view->setCenterPoint(doc.viewCenter);
  if (es == Tzad::eOk) es = view->setHeight(doc.viewSize);
  if (es == Tzad::eOk) es = view->setWidth(doc.viewSize * 1.5);
  if (es == Tzad::eOk && created) es = addView(db, std::move(created));
  if (es == Tzad::eOk && existing) es = existing.close();
  if (es != Tzad::eOk) ed().write(trf("Cannot save view \"{0}\".\n", {name}));
}

void viewCommand() {
  Document* doc = requireDocument();
  if (doc == nullptr) return;
  auto option = askKeyword(trf("Enter an option [?/Delete/Restore/Save]: "),
                           keywordList("? Delete Restore Save"), u"");
  if (!option || option->empty()) return;
  TzDbDatabase& db = *doc->database();
  if (*option == u"?") return listViews(db);
  std::u16string prompt = *option == u"Restore" ? trf("Enter view name to restore: ")
                          : *option == u"Save"  ? trf("Enter view name to save: ")
                                                : trf("Enter view name(s) to delete: ");
  auto answer = askText(prompt);
  if (!answer) return;
  std::u16string name(platform::trimmed(*answer));
  if (name.empty()) return;
  if (*option == u"Restore") return restoreView(*doc, name);
  if (*option == u"Save") return saveView(*doc, name);
  for (const std::u16string& n : nameList(name)) {
    TzDbObjectPointer<TzDbViewTableRecord> view(findRecord<TzDbViewTable>(db, n), TzDb::kForWrite);
    if (!view)
      ed().write(trf("Cannot find view \"{0}\".\n", {n}));
    else if (view->erase() != Tzad::eOk || view.close() != Tzad::eOk)
      ed().write(trf("Cannot delete view \"{0}\".\n", {n}));
  }
}

void layoutCommand() {
  Document* doc = requireDocument();
  if (doc == nullptr) return;
  auto option =
      askKeyword(trf("Enter layout option [?/Set] <Set>: "), keywordList("? Set"), u"Set");
  if (!option) return;
  if (*option == u"?") {
    for (const LayoutEntry& l : layoutsInTabOrder(*doc->database()))
      ed().write(u"  " + l.name + u"\n");
    return;
  }
  TzString current;
  if (tzedGetVarText(u"CTAB", current) != RTNORM) return;
  auto name = askText(trf("Enter layout to make current <{0}>: ", {current}));
  if (!name || platform::trimmed(*name).empty()) return;
  std::u16string value(platform::trimmed(*name));
  resbuf rb;
  rb.restype = RTSTR;
  rb.resval.rstring = value.data();
  static_cast<void>(tzedSetVar(u"CTAB", &rb));  // the variable reports a layout it cannot find
}

// ZOOM Extents (or All): the view shows the whole current layout, with a margin, as the
// drawing view opens it.
void zoomCommand() {
  Document* doc = requireDocument();
  if (doc == nullptr) return;
  auto option = askKeyword(trf("Enter an option [All/Extents] <Extents>: "),
                           keywordList("All Extents"), u"Extents");
  if (!option) return;
  ViewBox extents = buildCurrentScene(*doc->database()).extents();
  if (extents.empty()) return ed().write(tr("There is nothing to zoom to.\n"));
  // A twentieth of the view stays free on each side, as in the view's own zoom to the extents.
  constexpr double kMarginFraction = 0.05;
  double aspect = doc->viewAspect > 0 ? doc->viewAspect : 1.5;
  doc->viewCenter = {(extents.minX + extents.maxX) / 2, (extents.minY + extents.maxY) / 2, 0.0};
  doc->viewSize =
      std::max({extents.height(), extents.width() / aspect, 1e-9}) / (1 - 2 * kMarginFraction);
  doc->viewSetByCommand = true;
}

}  // namespace

std::vector<std::u16string> layoutNames(TzDbDatabase& db) {
  std::vector<std::u16string> names;
  for (const LayoutEntry& l : layoutsInTabOrder(db)) names.push_back(l.name);
  return names;
}

std::vector<std::u16string> viewNames(TzDbDatabase& db) {
  return namedViews(db, false);
}

void registerViewCommands(Editor& editor) {
  editor.addCommand(u"-VIEW", viewCommand);
  editor.addCommand(u"LAYOUT", layoutCommand);
  editor.addCommand(u"ZOOM", zoomCommand);
}

}  // namespace tzad
