#include "editor/user_settings.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "db/file_replacement.h"
#include "platform/regular_file.h"

namespace tzad {

namespace {

// The settings; none when the file is there but cannot be read (or is no regular file), so
// that a save does not replace settings it never saw.
std::optional<std::map<std::string, std::string>> readAll() {
  platform::FileText file = platform::readRegularFile(userSettingsPath());
  if (!file.ok() && !file.absent) return std::nullopt;
  std::map<std::string, std::string> values;
  std::istringstream in(file.text);
  std::string line;
  while (std::getline(in, line)) {
    size_t eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
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
  auto values = readAll();
  if (!values) return fallback;
  auto it = values->find(name);
  return it == values->end() ? fallback : it->second;
}

bool setUserSetting(const std::string& name, const std::string& value) {
  if (value.find('\n') != std::string::npos) return false;
  auto values = readAll();
  if (!values) return false;
  (*values)[name] = value;
  std::string text;
  for (auto& [k, v] : *values) text += k + '=' + v + '\n';
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
