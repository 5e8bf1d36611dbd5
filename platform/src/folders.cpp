#include "platform/folders.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/regular_file.h"
#include "platform/text.h"

namespace platform {

namespace {

std::optional<std::u16string> existingFolder(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_directory(path, ec)) return std::nullopt;
  return fromFileName(path);
}

// XDG_DOCUMENTS_DIR from the desktop's user-dirs.dirs ("$HOME/Documents" style values).
std::string xdgDocumentsDir(const std::string& home) {
  std::istringstream in(readRegularFile(configHome() + "/user-dirs.dirs").text);
  std::string line;
  while (std::getline(in, line)) {
    const std::string key = "XDG_DOCUMENTS_DIR=";
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    return value;
  }
  return {};
}

// The XDG variables count only when they hold an absolute path.
std::string xdgFolder(const char* variable, const char* belowHome) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return value;
  return homeFolder() + belowHome;
}

}  // namespace

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? home : ".";
}

std::string configHome() {
  return xdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string dataHome() {
  return xdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string stateHome() {
  return xdgFolder("XDG_STATE_HOME", "/.local/state");
}

std::optional<std::u16string> documentsFolder() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == 0) return std::nullopt;
  if (auto xdg = existingFolder(xdgDocumentsDir(home))) return xdg;
  return existingFolder(std::string(home) + "/Documents");
}

std::optional<std::u16string> currentDirectory() {
  std::error_code ec;
  std::filesystem::path cwd = std::filesystem::current_path(ec);
  if (ec) return std::nullopt;
  return fromFileName(cwd.string());
}

std::optional<std::u16string> modulePathOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return std::nullopt;
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(info.dli_fname, ec);
  return fromFileName(path.lexically_normal().string());
}

}  // namespace platform
