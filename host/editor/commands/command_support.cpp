#include "editor/commands/command_support.h"

#include "base/translation.h"
#include "editor/link_navigation.h"

namespace tzad {

std::optional<std::u16string> askText(const std::u16string& prompt, bool allowSpaces) {
  std::u16string buffer(TZ_ANSWER_BUFFER, u'\0');
  if (tzedInitGet(0, nullptr) != RTNORM) return std::nullopt;
  if (tzedGetString(allowSpaces ? 1 : 0, prompt.c_str(), buffer.data()) != RTNORM)
    return std::nullopt;
  return std::u16string(buffer.c_str());
}

std::optional<std::u16string> askKeyword(const std::u16string& prompt, const std::u16string& list,
                                         const std::u16string& whenEnter) {
  std::u16string buffer(TZ_ANSWER_BUFFER, u'\0');
  if (tzedInitGet(0, list.c_str()) != RTNORM) return std::nullopt;
  int status = tzedGetKword(prompt.c_str(), buffer.data());
  if (status == RTNONE) return whenEnter;
  if (status != RTNORM) return std::nullopt;
  return std::u16string(buffer.c_str());
}

Document* requireDocument() {
  Document* doc = Editor::instance().document();
  if (doc == nullptr) Editor::instance().write(tr("No drawing is open. Use NEW or OPEN.\n"));
  return doc;
}

std::u16string unquoted(std::u16string name) {
  if (name.size() >= 2 && name.front() == u'"' && name.back() == u'"')
    return name.substr(1, name.size() - 2);
  return name;
}

std::vector<std::u16string> nameList(const std::u16string& text) {
  std::vector<std::u16string> names;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(u',', start);
    if (comma == std::u16string::npos) comma = text.size();
    std::u16string name(platform::trimmed(std::u16string_view(text).substr(start, comma - start)));
    if (!name.empty()) names.push_back(name);
    start = comma + 1;
  }
  return names;
}

void registerHostCommands(Editor& editor) {
  registerFileCommands(editor);
  registerEntityCommands(editor);
  registerLayerCommand(editor);
  registerViewCommands(editor);
  registerVariableCommands(editor);
  registerUcsCommand(editor);
  registerHelpCommand(editor);
  registerUndoCommands(editor);
  registerExportPdfCommand(editor);
  registerNavigationCommands(editor);
}

}  // namespace tzad
