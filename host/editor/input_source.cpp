#include "editor/input_source.h"

#include <editline/readline.h>

#include <cstdlib>
#include <fstream>

LineInput::LineInput(std::vector<std::string> lines) : lines_(lines.begin(), lines.end()) {}

std::optional<LineInput> LineInput::fromFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot read the script";
    return std::nullopt;
  }
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return LineInput(std::move(lines));
}

std::optional<std::string> LineInput::readLine(const std::string&) {
  while (!lines_.empty()) {
    std::string line = std::move(lines_.front());
    lines_.pop_front();
    if (!line.empty() && line[0] == ';') continue;
    return line;
  }
  return std::nullopt;
}

TerminalInput::TerminalInput() {
  using_history();
}
TerminalInput::~TerminalInput() = default;

std::optional<std::string> TerminalInput::readLine(const std::string& prompt) {
  char* line = readline(prompt.c_str());
  if (line == nullptr) return std::nullopt;
  std::string answer(line);
  std::free(line);
  if (!answer.empty()) add_history(answer.c_str());
  return answer;
}
