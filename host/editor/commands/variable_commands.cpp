// SETVAR, and each variable's name typed as a command.
#include "editor/commands/command_support.h"
#include "editor/variables.h"

namespace tzad {

namespace {

void editVariable(const SystemVariable& var) {
  Editor& ed = Editor::instance();
  std::optional<std::u16string> value = variableText(var.name);
  if (!value) {
    ed.write(u"No drawing is open: " + std::u16string(var.name) + u" has no value.\n");
    return;
  }
  if (var.readOnly) {
    ed.write(std::u16string(var.name) + u" = " + *value + u" (read only)\n");
    return;
  }
  std::u16string none = var.type == RTSTR ? u", or . for none" : u"";
  auto answer =
      askText(u"Enter new value for " + std::u16string(var.name) + none + u" <" + *value + u">: ");
  if (!answer || answer->empty()) return;
  setVariableFromText(var, *answer);
}

}  // namespace

void registerVariableCommands(Editor& editor) {
  editor.addCommand(u"SETVAR", [] {
    auto name = askText(u"Enter variable name: ", false);
    if (!name || name->empty()) return;
    const SystemVariable* var = findSystemVariable(*name);
    if (var == nullptr)
      return Editor::instance().write(u"Unknown variable name \"" + *name + u"\".\n");
    editVariable(*var);
  });
  for (const SystemVariable& var : systemVariables())
    editor.addCommand(var.name, [&var] { editVariable(var); });
}

}  // namespace tzad
