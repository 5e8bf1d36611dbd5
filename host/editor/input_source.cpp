#include "editor/input_source.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <sstream>

#include "platform/regular_file.h"

namespace tzad {

LineInput::LineInput(std::vector<std::string> lines) : lines_(lines.begin(), lines.end()) {}

std::optional<LineInput> LineInput::fromFile(const std::string& path, std::string& error) {
  platform::FileText script = platform::readRegularFile(path);
  if (!script.ok()) {
    error = path + ": " + script.error;
    return std::nullopt;
  }
  std::istringstream in(script.text);
  return fromStream(in);
}

LineInput LineInput::fromStream(std::istream& in) {
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return LineInput(std::move(lines));
}

InputLine LineInput::readLine(const std::string&, PromptKind) {
  while (!lines_.empty()) {
    std::string line = std::move(lines_.front());
    lines_.pop_front();
    if (!line.empty() && line[0] == ';') continue;
    return {InputLine::Kind::Answer, std::move(line)};
  }
  return {};
}

void useUtf8CharacterLocale() {
  // Only the character type: numbers in drawings and answers keep the C conventions.
  if (std::setlocale(LC_CTYPE, "") && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
  std::setlocale(LC_CTYPE, "C.UTF-8");
}

}  // namespace tzad
