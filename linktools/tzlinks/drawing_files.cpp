#include "tzlinks/drawing_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "core/link_text.h"
#include "platform/text.h"

namespace linktools {

namespace {

namespace fs = std::filesystem;

std::string cannotRead(const std::string& path, const std::error_code& error) {
  return tzutToUtf8(linkText(u"%1: cannot be read: %2",
                             {platform::fromFileName(path), tzutFromUtf8(error.message())}));
}

bool isDrawingName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string extension = name.substr(name.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".dxf";
}

std::string joined(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

void walkFolder(const std::string& folder, const std::function<void(const std::string&)>& each,
                const std::function<void(const std::string&)>& problem) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return problem(cannotRead(folder, error));
  std::vector<std::string> names;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    names.push_back(it->path().filename().string());
  }
  if (error) problem(cannotRead(folder, error));
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string path = joined(folder, name);
    std::error_code kindError;
    fs::file_status own = fs::symlink_status(path, kindError);
    if (fs::is_directory(own)) {
      walkFolder(path, each, problem);
    } else if (isDrawingName(name) && fs::is_regular_file(fs::status(path, kindError))) {
      each(path);
    }
  }
}

}  // namespace

void forEachDrawing(const std::vector<std::string>& paths,
                    const std::function<void(const std::string&)>& each,
                    const std::function<void(const std::string&)>& problem) {
  for (const std::string& path : paths) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
      problem(tzutToUtf8(
          linkText(u"%1: there is no such file or folder.", {platform::fromFileName(path)})));
    } else if (fs::is_directory(status)) {
      walkFolder(path, each, problem);
    } else {
      each(path);
    }
  }
}

}  // namespace linktools
