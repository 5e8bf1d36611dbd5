// -LAYER: new layers, lock and unlock, freeze and thaw, the current layer, colours.
#include <cstdlib>
#include <memory>

#include "base/translation.h"
#include "editor/commands/command_support.h"
#include "tzdb_database.h"

namespace tzad {

namespace {

Editor& ed() {
  return Editor::instance();
}

void newLayers(TzDbDatabase& db, const std::vector<std::u16string>& names) {
  TzDbLayerTable* opened = nullptr;
  if (db.getSymbolTable(opened, TzDb::kForWrite) != Tzad::eOk) {
    ed().write(tr("This drawing has no layer table.\n"));
    return;
  }
  TzDbObjectPointer<TzDbLayerTable> table(opened);
  for (const std::u16string& name : names) {
    if (table->has(name)) {
      ed().write(trf("Layer \"{0}\" already exists.\n", {name}));
      continue;
    }
    auto layer = std::make_unique<TzDbLayerTableRecord>();
    Tzad::ErrorStatus es = layer->setName(name);
    if (es == Tzad::eOk) es = tzdbAddNewObject(*table.get(), std::move(layer));
    if (es != Tzad::eOk) ed().write(trf("Cannot create layer \"{0}\".\n", {name}));
  }
  if (table.close() != Tzad::eOk) ed().write(tr("The layer table could not be updated.\n"));
}

// Applies a change to each named layer; a missing name or a failed change is reported, the
// rest go on.
template <typename Change>
void changeLayers(TzDbDatabase& db, const std::vector<std::u16string>& names, Change change) {
  for (const std::u16string& name : names) {
    TzDbObjectPointer<TzDbLayerTableRecord> layer(findRecord<TzDbLayerTable>(db, name),
                                                  TzDb::kForWrite);
    if (!layer) {
      ed().write(trf("Layer \"{0}\" not found.\n", {name}));
      continue;
    }
    Tzad::ErrorStatus es = change(*layer.get(), name);
    if (es == Tzad::eOk) es = layer.close();
    if (es != Tzad::eOk) ed().write(trf("Cannot change layer \"{0}\".\n", {name}));
  }
}

// Carries out one option; false when the user cancelled (which ends the command).
bool runOption(TzDbDatabase& db, const std::u16string& option) {
  if (option == u"Color") {
    auto text = askText(trf("Enter color (1-255): "));
    if (!text) return false;
    char* end = nullptr;
    std::string digits = tzutToUtf8(platform::trimmed(*text));
    long color = std::strtol(digits.c_str(), &end, 10);
    if (digits.empty() || *end != 0 || color < 1 || color > 255) {
      ed().write(tr("A colour is a number from 1 to 255.\n"));
      return true;
    }
    auto names = askText(trf("Enter name list of layer(s) for color {0}: ", {color}));
    if (!names) return false;
    changeLayers(db, nameList(*names), [&](TzDbLayerTableRecord& l, const std::u16string&) {
      return l.setColorIndex(static_cast<int>(color));
    });
    return true;
  }
  static const std::pair<const char16_t*, const char*> kPrompts[] = {
      {u"New", markedText("Enter name list for new layer(s): ")},
      {u"Lock", markedText("Enter name list of layer(s) to lock: ")},
      {u"Unlock", markedText("Enter name list of layer(s) to unlock: ")},
      {u"Freeze", markedText("Enter name list of layer(s) to freeze: ")},
      {u"Thaw", markedText("Enter name list of layer(s) to thaw: ")},
      {u"Set", markedText("Enter layer name to make current: ")}};
  const char* prompt = nullptr;
  for (auto& [name, text] : kPrompts)
    if (option == name) prompt = text;
  auto answer = askText(trf(prompt));
  if (!answer) return false;
  std::vector<std::u16string> names = nameList(*answer);
  if (option == u"New") {
    newLayers(db, names);
    return true;
  }
  if (option == u"Set") {
    TzDbObjectId id = names.empty() ? TzDbObjectId() : findRecord<TzDbLayerTable>(db, names[0]);
    TzDbObjectPointer<TzDbLayerTableRecord> layer(id, TzDb::kForRead);
    if (!layer)
      ed().write(trf("Layer \"{0}\" not found.\n", {*answer}));
    else if (layer->isFrozen())
      ed().write(tr("A frozen layer cannot be made current.\n"));
    else if (db.setClayer(id) != Tzad::eOk)
      ed().write(trf("Cannot make layer \"{0}\" current.\n", {*answer}));
    return true;
  }
  TzDbObjectId current = db.clayer();
  changeLayers(db, names, [&](TzDbLayerTableRecord& l, const std::u16string& name) {
    if (option == u"Lock") return l.setIsLocked(true);
    if (option == u"Unlock") return l.setIsLocked(false);
    if (option == u"Thaw") return l.setIsFrozen(false);
    if (l.objectId() != current) return l.setIsFrozen(true);
    ed().write(trf("Cannot freeze layer \"{0}\": it is the current layer.\n", {name}));
    return Tzad::eOk;
  });
  return true;
}

}  // namespace

void registerLayerCommand(Editor& editor) {
  editor.addCommand(u"-LAYER", [] {
    Document* doc = requireDocument();
    if (doc == nullptr) return;
    // Options repeat until the user presses Enter.
    while (true) {
      auto option = askKeyword(trf("Enter an option [New/Lock/Unlock/Freeze/Thaw/Set/Color]: "),
                               keywordList("New Lock Unlock Freeze Thaw Set Color"), u"");
      if (!option || option->empty() || !runOption(*doc->database(), *option)) return;
    }
  });
}

}  // namespace tzad
