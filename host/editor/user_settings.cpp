#include "editor/user_settings.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

std::map<std::string, std::string> readAll() {
  std::map<std::string, std::string> values;
  std::ifstream in(userSettingsPath());
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
  auto it = values.find(name);
  return it == values.end() ? fallback : it->second;
}

bool setUserSetting(const std::string& name, const std::string& value) {
  if (value.find('\n') != std::string::npos) return false;
  auto values = readAll();
  values[name] = value;
  std::filesystem::path path = userSettingsPath();
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::filesystem::path temp = path.string() + ".new";
  {
    std::ofstream out(temp, std::ios::trunc);
    for (auto& [k, v] : values) out << k << '=' << v << '\n';
    if (!out.flush()) return false;
  }
  std::filesystem::rename(temp, path, ec);
  return !ec;
}
