// What the host's commands share: asking for texts and keywords, and the current drawing.
#pragma once

#include <optional>
#include <string>

#include "editor/editor.h"
#include "platform/trim.h"
#include "tzdb_database.h"
#include "tzed_editor.h"

namespace tzad {

// A text answer; nothing when cancelled.
std::optional<std::u16string> askText(const std::u16string& prompt, bool allowSpaces = true);
// A keyword answer (the global keyword); `whenEnter` when the user pressed Enter; nothing when
// cancelled.
std::optional<std::u16string> askKeyword(const std::u16string& prompt, const std::u16string& list,
                                         const std::u16string& whenEnter);
// The id of a record of one of the drawing's symbol tables by name (any letter case), or null.
// TableT is TzDbLayerTable, TzDbViewTable, ...
template <typename TableT>
TzDbObjectId findRecord(TzDbDatabase& db, const std::u16string& name) {
  TableT* opened = nullptr;
  TzDbObjectId id;
  if (db.getSymbolTable(opened, TzDb::kForRead) != Tzad::eOk) return id;
  TzDbObjectPointer<TableT> table(opened);
  bool found = table->getIdAt(name, id) == Tzad::eOk;
  bool closed = table.close() == Tzad::eOk;
  return found && closed ? id : TzDbObjectId();
}

// The current drawing, or null after saying that none is open.
Document* requireDocument();
// A file name without the double quotes a file manager or a shell may paste around it.
std::u16string unquoted(std::u16string name);
// Names separated by commas ("A,B , C").
std::vector<std::u16string> nameList(const std::u16string& text);

// The drawing's layouts in tab order (Model first), and its named views: what the main window
// offers to switch to.
std::vector<std::u16string> layoutNames(TzDbDatabase& db);
std::vector<std::u16string> viewNames(TzDbDatabase& db);

void registerFileCommands(Editor& editor);
void registerEntityCommands(Editor& editor);
void registerLayerCommand(Editor& editor);
void registerViewCommands(Editor& editor);
void registerVariableCommands(Editor& editor);
void registerUcsCommand(Editor& editor);
void registerHelpCommand(Editor& editor);
void registerUndoCommands(Editor& editor);
void registerExportPdfCommand(Editor& editor);
// RECOVER, and the question that offers a newer automatic save when a drawing is opened.
void registerRecoverCommand(Editor& editor);

}  // namespace tzad
