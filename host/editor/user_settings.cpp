#include "editor/user_settings.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

#include "db/file_replacement.h"
#include "platform/regular_file.h"

namespace tzad {

namespace {

// The file's lines; none when the file is there but cannot be read (or is no regular file),
// so that a save does not replace settings it never saw.
std::optional<std::vector<std::string>> readLines() {
  platform::FileText file = platform::readRegularFile(userSettingsPath());
  if (!file.ok() && !file.absent) return std::nullopt;
  std::vector<std::string> lines;
  std::istringstream in(file.text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The name a line sets; nothing for a comment ("#" or ";" first) or a line without "=".
std::optional<std::string> nameSetBy(const std::string& line) {
  size_t eq = line.find('=');
  if (line.empty() || line[0] == '#' || line[0] == ';' || eq == std::string::npos)
    return std::nullopt;
  return line.substr(0, eq);
}

// The last line that sets the name (the one that counts), or lines.end().
std::vector<std::string>::iterator lineSetting(std::vector<std::string>& lines,
                                               const std::string& name) {
  for (auto it = lines.end(); it != lines.begin();)
    if (nameSetBy(*--it) == name) return it;
  return lines.end();
}

}  // namespace

std::string userSettingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base;
  if (config && *config) {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home ? home : ".") / ".config";
  }
  return (base / "tzad" / "settings").string();
}

std::string userSetting(const std::string& name, const std::string& fallback) {
  std::optional<std::vector<std::string>> lines = readLines();
  if (!lines) return fallback;
  auto line = lineSetting(*lines, name);
  return line == lines->end() ? fallback : line->substr(name.size() + 1);
}

// The setting's line changes where it stands; every other line, a person's notes included,
// stays as it was.
bool setUserSetting(const std::string& name, const std::string& value) {
  if (value.find('\n') != std::string::npos) return false;
  std::optional<std::vector<std::string>> lines = readLines();
  if (!lines) return false;
  auto line = lineSetting(*lines, name);
  if (line == lines->end())
    lines->push_back(name + '=' + value);
  else
    *line = name + '=' + value;
  std::string text;
  for (const std::string& kept : *lines) text += kept + '\n';
  std::filesystem::path path = userSettingsPath();
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  // Written as drawings are, so that a crash never leaves half a settings file.
  FileReplacement out(path.string());
  size_t done = 0;
  while (out.ok() && done < text.size()) {
    ssize_t n = ::write(out.fd(), text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return out.ok() && out.commit(std::string());
}

}  // namespace tzad
