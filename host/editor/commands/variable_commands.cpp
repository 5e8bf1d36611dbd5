// SETVAR, and each variable's name typed as a command.
#include "base/translation.h"
#include "editor/commands/command_support.h"
#include "editor/variables.h"

namespace tzad {

namespace {

void editVariable(const SystemVariable& var) {
  Editor& ed = Editor::instance();
  std::optional<std::u16string> value = variableText(var.name);
  if (!value) {
    ed.write(trf("No drawing is open: {0} has no value.\n", {var.name}));
    return;
  }
  if (var.readOnly) {
    ed.write(trf("{0} = {1} (read only)\n", {var.name, *value}));
    return;
  }
  auto answer = askText(
      var.type == RTSTR ? trf("Enter new value for {0}, or . for none <{1}>: ", {var.name, *value})
                        : trf("Enter new value for {0} <{1}>: ", {var.name, *value}));
  if (!answer || answer->empty()) return;
  setVariableFromText(var, *answer);
}

}  // namespace

void registerVariableCommands(Editor& editor) {
  editor.addCommand(u"SETVAR", [] {
    auto name = askText(trf("Enter variable name: "), false);
    if (!name || name->empty()) return;
    const SystemVariable* var = findSystemVariable(*name);
    if (var == nullptr)
      return Editor::instance().write(trf("Unknown variable name \"{0}\".\n", {*name}));
    editVariable(*var);
  });
  for (const SystemVariable& var : systemVariables())
    editor.addCommand(var.name, [&var] { editVariable(var); });
}

}  // namespace tzad
