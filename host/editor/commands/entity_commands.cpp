// SELECT (the pre-selection for the next command) and LIST (what the selected objects are,
// with their hyperlinks).
#include <memory>
#include <utility>

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

// One write per entity: the command line shows each write at once, and a drawing can hold
// hundreds of thousands of entities.
void listEntity(TzDbObjectId id) {
  TzDbObjectPointer<TzDbEntity> entity(id, TzDb::kForRead);
  if (!entity) return;
  std::u16string space = entity->isInPaperSpace() ? u"Paper space" : u"Model space";
  std::u16string text = entity->dxfName() + u"  Handle: " + hex(id.handle().value()) +
                        u"  Layer: " + entity->layer() + u"  " + space + u"\n";
  TzDbHyperlinkCollection* raw = nullptr;
  TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(entity.get());
  if (pe == nullptr || pe->getHyperlinkCollection(entity.get(), raw) != Tzad::eOk) return;
  std::unique_ptr<TzDbHyperlinkCollection> links(raw);
  for (int i = 0; links && i < links->count(); ++i) {
    TzDbHyperlink* l = links->item(i);
    std::u16string n = links->count() > 1 ? u" " + tzutFromUtf8(std::to_string(i + 1)) : u"";
    // A drawing's texts are shown, never obeyed: escape sequences and line breaks in them show
    // as what they are, and cannot repaint the terminal or pose as lines of their own.
    text += u"  Hyperlink" + n + u": " + platform::displayText(l->name()) + u"\n";
    text += u"  Description: " + platform::displayText(l->description()) + u"\n";
    text += u"  Location: " + platform::displayText(l->subLocation()) + u"\n";
    text += u"  Flags: " + tzutFromUtf8(std::to_string(l->flags())) + u"\n";
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
