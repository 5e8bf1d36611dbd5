// HELP and ?: every command with one line about it. The host's commands are described here;
// a module's commands by the module itself (or as belonging to it).
#include <algorithm>
#include <map>

#include "base/translation.h"
#include "editor/commands/command_support.h"
#include "editor/variables.h"

namespace tzad {

namespace {

// English texts, translated when HELP shows them.
const std::map<std::u16string, const char*>& hostCommandLines() {
  static const std::map<std::u16string, const char*> lines = {
      {u"NEW", markedText("Starts a new, empty drawing.")},
      {u"OPEN", markedText("Opens a drawing (a DXF file).")},
      {u"SAVE", markedText("Saves the current drawing under its name.")},
      {u"SAVEAS", markedText("Saves the current drawing under a new name.")},
      {u"CLOSE", markedText("Closes the current drawing, asking about unsaved changes.")},
      {u"QUIT", markedText("Ends tzad, asking about unsaved changes.")},
      {u"EXIT", markedText("Ends tzad, as QUIT does.")},
      {u"SELECT", markedText("Selects objects for the next command.")},
      {u"LIST", markedText("Lists the selected objects with their hyperlinks.")},
      {u"SETVAR", markedText("Shows or changes a system variable.")},
      {u"-LAYER", markedText("Makes, locks, freezes, colours layers and sets the current one.")},
      {u"-VIEW", markedText("Lists, restores, saves and deletes named views.")},
      {u"LAYOUT", markedText("Lists the layouts or makes one current.")},
      {u"UCS", markedText("Sets the user coordinate system.")},
      {u"ZOOM", markedText("Shows the whole drawing (Extents).")},
      {u"HELP", markedText("Lists the commands.")},
      {u"?", markedText("Lists the commands, as HELP does.")},
      {u"U", markedText("Undoes the last command.")},
      {u"UNDO", markedText("Undoes a number of commands, or all of them.")},
      {u"REDO", markedText("Redoes what the last U or UNDO took back.")},
      {u"EXPORTPDF",
       markedText("Writes the current layout or all layouts to a PDF with live hyperlinks.")},
      {u"RECOVER", markedText("Lists the automatic saves and opens one as its drawing.")},
  };
  return lines;
}

std::u16string lineFor(const Editor::CommandHelp& command) {
  if (!command.description.empty()) return command.description;
  auto host = hostCommandLines().find(command.name);
  if (host != hostCommandLines().end()) return trf(host->second);
  if (const SystemVariable* var = findSystemVariable(command.name))
    return var->readOnly ? trf("Shows the system variable {0}.", {var->name})
                         : trf("Shows or changes the system variable {0}.", {var->name});
  return {};
}

void helpCommand() {
  Editor& ed = Editor::instance();
  std::vector<Editor::CommandHelp> commands = ed.commandHelp();
  size_t width = 0;
  for (const auto& c : commands) width = std::max(width, c.name.size());
  std::u16string text = trf("Commands (type a name at \"Command: \"):\n");
  for (const auto& c : commands)
    text += u"  " + c.name + std::u16string(width - c.name.size() + 2, u' ') + lineFor(c) + u"\n";
  ed.write(text);
}

}  // namespace

void registerHelpCommand(Editor& editor) {
  editor.addCommand(u"HELP", helpCommand);
  editor.addCommand(u"?", helpCommand);
}

}  // namespace tzad
