// SELECT (the pre-selection for the next command) and LIST (what the selected objects are,
// with their hyperlinks).
#include <memory>
#include <utility>

#include "base/translation.h"
#include "editor/commands/command_support.h"
#include "platform/display_text.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

namespace tzad {

namespace {

// Runs "Select objects: " and hands the chosen ids over; false when nothing was chosen.
bool selectObjects(std::vector<TzDbObjectId>& ids) {
  tz_name ss;
  if (tzedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return false;
  int32_t n = 0;
  bool counted = tzedSSLength(ss, &n) == RTNORM;
  for (int32_t i = 0; counted && i < n; ++i) {
    tz_name ent;
    TzDbObjectId id;
    if (tzedSSName(ss, i, ent) == RTNORM && tzdbGetObjectId(id, ent) == Tzad::eOk)
      ids.push_back(id);
  }
  tzedSSFree(ss);
  return true;
}

std::u16string hex(uint64_t value) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(value));
  return tzutFromUtf8(buf);
}

// What the user's language calls an object of a DXF type; a type without a name of its own
// shows as the type.
std::u16string kindName(const std::u16string& dxfName) {
  static const std::pair<const char16_t*, const char*> kKinds[] = {
      {u"LINE", markedText("LINE")},
      {u"LWPOLYLINE", markedText("LWPOLYLINE")},
      {u"POLYLINE", markedText("POLYLINE")},
      {u"CIRCLE", markedText("CIRCLE")},
      {u"ARC", markedText("ARC")},
      {u"ELLIPSE", markedText("ELLIPSE")},
      {u"SPLINE", markedText("SPLINE")},
      {u"POINT", markedText("POINT")},
      {u"TEXT", markedText("TEXT")},
      {u"MTEXT", markedText("MTEXT")},
      {u"INSERT", markedText("INSERT")},
      {u"HATCH", markedText("HATCH")},
      {u"SOLID", markedText("SOLID")},
      {u"3DFACE", markedText("3DFACE")},
      {u"DIMENSION", markedText("DIMENSION")},
      {u"VIEWPORT", markedText("VIEWPORT")}};
  for (const auto& [name, english] : kKinds)
    if (dxfName == name) return trf(english);
  return dxfName;
}

// One write per entity: the command line shows each write at once, and a drawing can hold
// hundreds of thousands of entities.
void listEntity(TzDbObjectId id) {
  TzDbObjectPointer<TzDbEntity> entity(id, TzDb::kForRead);
  if (!entity) return;
  std::u16string space = entity->isInPaperSpace() ? trf("Paper space") : trf("Model space");
  std::u16string text =
      trf("{0}  Handle: {1}  Layer: {2}  {3}\n",
          {kindName(entity->dxfName()), hex(id.handle().value()), entity->layer(), space});
  TzDbHyperlinkCollection* raw = nullptr;
  TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
  if (pe == nullptr || pe->getHyperlinkCollection(entity.get(), raw) != Tzad::eOk) return;
  std::unique_ptr<TzDbHyperlinkCollection> links(raw);
  for (int i = 0; links && i < links->count(); ++i) {
    TzDbHyperlink* l = links->item(i);
    // A drawing's texts are shown, never obeyed: escape sequences and line breaks in them show
    // as what they are, and cannot repaint the terminal or pose as lines of their own.
    std::u16string address = platform::displayText(l->name());
    text += links->count() > 1 ? trf("  Hyperlink {0}: {1}\n", {i + 1, address})
                               : trf("  Hyperlink: {0}\n", {address});
    text += trf("  Description: {0}\n", {platform::displayText(l->description())});
    text += trf("  Location: {0}\n", {platform::displayText(l->subLocation())});
    text += trf("  Flags: {0}\n", {l->flags()});
  }
  Editor::instance().write(text);
}

}  // namespace

void registerEntityCommands(Editor& editor) {
  editor.addCommand(u"SELECT", [] {
    Document* doc = requireDocument();
    std::vector<TzDbObjectId> ids;
    if (doc == nullptr || !selectObjects(ids)) return;
    doc->pickfirst = std::move(ids);
  });
  editor.addCommand(u"LIST", [] {
    Document* doc = requireDocument();
    if (doc == nullptr) return;
    // Objects selected before the command are the ones it lists, as in other CAD programs.
    std::vector<TzDbObjectId> ids = std::exchange(doc->pickfirst, {});
    if (ids.empty() && !selectObjects(ids)) return;
    for (TzDbObjectId id : ids) listEntity(id);
  });
}

}  // namespace tzad
