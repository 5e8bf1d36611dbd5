// -LAYER: new layers, lock and unlock, freeze and thaw, the current layer, colours.
#include <cstdlib>
#include <memory>

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
    ed().write("This drawing has no layer table.\n");
    return;
  }
  TzDbObjectPointer<TzDbLayerTable> table(opened);
  for (const std::u16string& name : names) {
    if (table->has(name)) {
      ed().write(u"Layer \"" + name + u"\" already exists.\n");
      continue;
    }
    auto layer = std::make_unique<TzDbLayerTableRecord>();
    Tzad::ErrorStatus es = layer->setName(name);
    if (es == Tzad::eOk) es = tzdbAddNewObject(*table.get(), std::move(layer));
    if (es != Tzad::eOk) ed().write(u"Cannot create layer \"" + name + u"\".\n");
  }
  if (table.close() != Tzad::eOk) ed().write("The layer table could not be updated.\n");
}

// Applies a change to each named layer; a missing name or a failed change is reported, the
// rest go on.
template <typename Change>
void changeLayers(TzDbDatabase& db, const std::vector<std::u16string>& names, Change change) {
  for (const std::u16string& name : names) {
    TzDbObjectPointer<TzDbLayerTableRecord> layer(findRecord<TzDbLayerTable>(db, name),
                                                  TzDb::kForWrite);
    if (!layer) {
      ed().write(u"Layer \"" + name + u"\" not found.\n");
      continue;
    }
    Tzad::ErrorStatus es = change(*layer.get(), name);
    if (es == Tzad::eOk) es = layer.close();
    if (es != Tzad::eOk) ed().write(u"Cannot change layer \"" + name + u"\".\n");
  }
}

// Carries out one option; false when the user cancelled (which ends the command).
bool runOption(TzDbDatabase& db, const std::u16string& option) {
  if (option == u"Color") {
    auto text = askText(u"Enter color (1-255): ");
    if (!text) return false;
    char* end = nullptr;
    std::string digits = tzutToUtf8(platform::trimmed(*text));
    long color = std::strtol(digits.c_str(), &end, 10);
    if (digits.empty() || *end != 0 || color < 1 || color > 255) {
      ed().write("A colour is a number from 1 to 255.\n");
      return true;
    }
    auto names = askText(u"Enter name list of layer(s) for color " +
                         tzutFromUtf8(std::to_string(color)) + u": ");
    if (!names) return false;
    changeLayers(db, nameList(*names), [&](TzDbLayerTableRecord& l, const std::u16string&) {
      return l.setColorIndex(static_cast<int>(color));
    });
    return true;
  }
  static const std::pair<const char16_t*, const char16_t*> kPrompts[] = {
      {u"New", u"Enter name list for new layer(s): "},
      {u"Lock", u"Enter name list of layer(s) to lock: "},
      {u"Unlock", u"Enter name list of layer(s) to unlock: "},
      {u"Freeze", u"Enter name list of layer(s) to freeze: "},
      {u"Thaw", u"Enter name list of layer(s) to thaw: "},
      {u"Set", u"Enter layer name to make current: "}};
  const char16_t* prompt = nullptr;
  for (auto& [name, text] : kPrompts)
    if (option == name) prompt = text;
  auto answer = askText(prompt);
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
      ed().write(u"Layer \"" + *answer + u"\" not found.\n");
    else if (layer->isFrozen())
      ed().write("A frozen layer cannot be made current.\n");
    else if (db.setClayer(id) != Tzad::eOk)
      ed().write(u"Cannot make layer \"" + *answer + u"\" current.\n");
    return true;
  }
  TzDbObjectId current = db.clayer();
  changeLayers(db, names, [&](TzDbLayerTableRecord& l, const std::u16string& name) {
    if (option == u"Lock") return l.setIsLocked(true);
    if (option == u"Unlock") return l.setIsLocked(false);
    if (option == u"Thaw") return l.setIsFrozen(false);
    if (l.objectId() != current) return l.setIsFrozen(true);
    ed().write(u"Cannot freeze layer \"" + name + u"\": it is the current layer.\n");
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
      auto option = askKeyword(u"Enter an option [New/Lock/Unlock/Freeze/Thaw/Set/Color]: ",
                               u"New Lock Unlock Freeze Thaw Set Color "
                               u"_New Lock Unlock Freeze Thaw Set Color",
                               u"");
      if (!option || option->empty() || !runOption(*doc->database(), *option)) return;
    }
  });
}

}  // namespace tzad
