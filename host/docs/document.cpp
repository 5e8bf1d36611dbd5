#include "docs/document.h"

#include <filesystem>

#include "db/database_impl.h"
#include "platform/text.h"

namespace tzad {

Document::Document(std::unique_ptr<TzDbDatabase> db, std::u16string path, std::u16string title)
    : db_(std::move(db)), path_(std::move(path)), title_(std::move(title)) {}

void Document::setPath(const std::u16string& path) {
  path_ = path;
  title_ =
      platform::fromFileName(std::filesystem::path(platform::toFileName(path)).filename().string());
}

std::u16string Document::nextUndo() const {
  std::vector<std::u16string> steps = TzDbInternals::impl(*db_).journal.undoable();
  return steps.empty() ? std::u16string() : steps.front();
}

std::u16string Document::nextRedo() const {
  std::vector<std::u16string> steps = TzDbInternals::impl(*db_).journal.redoable();
  return steps.empty() ? std::u16string() : steps.front();
}

}  // namespace tzad
