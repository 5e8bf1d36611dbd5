#include "docs/document.h"

#include <filesystem>

#include "platform/text.h"

namespace tzad {

Document::Document(std::unique_ptr<TzDbDatabase> db, std::u16string path, std::u16string title)
    : db_(std::move(db)), path_(std::move(path)), title_(std::move(title)) {}

void Document::setPath(const std::u16string& path) {
  path_ = path;
  title_ =
      platform::fromFileName(std::filesystem::path(platform::toFileName(path)).filename().string());
}

}  // namespace tzad
