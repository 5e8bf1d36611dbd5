// HELP and ?: every command with one line about it. The host's commands are described here;
// a module's commands by the module itself (or as belonging to it).
#include <algorithm>
#include <map>

#include "editor/commands/command_support.h"
#include "editor/variables.h"

namespace tzad {

namespace {

const std::map<std::u16string, std::u16string>& hostCommandLines() {
  static const std::map<std::u16string, std::u16string> lines = {
      {u"NEW", u"Starts a new, empty drawing."},
      {u"OPEN", u"Opens a drawing (a DXF file)."},
      {u"SAVE", u"Saves the current drawing under its name."},
      {u"SAVEAS", u"Saves the current drawing under a new name."},
      {u"CLOSE", u"Closes the current drawing, asking about unsaved changes."},
      {u"QUIT", u"Ends tzad, asking about unsaved changes."},
      {u"EXIT", u"Ends tzad, as QUIT does."},
      {u"SELECT", u"Selects objects for the next command."},
      {u"LIST", u"Lists the selected objects with their hyperlinks."},
      {u"SETVAR", u"Shows or changes a system variable."},
      {u"-LAYER", u"Makes, locks, freezes, colours layers and sets the current one."},
      {u"-VIEW", u"Lists, restores, saves and deletes named views."},
      {u"LAYOUT", u"Lists the layouts or makes one current."},
      {u"UCS", u"Sets the user coordinate system."},
      {u"ZOOM", u"Shows the whole drawing (Extents)."},
      {u"HELP", u"Lists the commands."},
      {u"?", u"Lists the commands, as HELP does."},
  };
  return lines;
}

std::u16string lineFor(const Editor::CommandHelp& command) {
  if (!command.description.empty()) return command.description;
  auto host = hostCommandLines().find(command.name);
  if (host != hostCommandLines().end()) return host->second;
  if (const SystemVariable* var = findSystemVariable(command.name))
    return (var->readOnly ? u"Shows the system variable "
                          : u"Shows or changes the system variable ") +
           std::u16string(var->name) + u".";
  return {};
}

void helpCommand() {
  Editor& ed = Editor::instance();
  std::vector<Editor::CommandHelp> commands = ed.commandHelp();
  size_t width = 0;
  for (const auto& c : commands) width = std::max(width, c.name.size());
  std::u16string text = u"Commands (type a name at \"Command: \"):\n";
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
