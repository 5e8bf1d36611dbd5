// System variables: what SETVAR, a variable's name typed as a command, and tzedGetVar and
// tzedSetVar read and change.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tzed_editor.h"

namespace tzad {

struct SystemVariable {
  const char16_t* name;
  short type;  // RTSTR, RTREAL, RT3DPOINT, RTSHORT
  bool readOnly;
};

const std::vector<SystemVariable>& systemVariables();
const SystemVariable* findSystemVariable(std::u16string_view name);
// The value as the command line shows it ("\"/srv/\"", "100.0000", "0.0000,0.0000,0.0000").
std::optional<std::u16string> variableText(std::u16string_view name);
// Sets a variable from a typed answer; false after saying why.
bool setVariableFromText(const SystemVariable& var, const std::u16string& text);

}  // namespace tzad
