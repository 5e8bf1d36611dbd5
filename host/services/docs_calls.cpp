// The open drawings, as tzad's binaries reach them (services/host_services.h).
#include "docs/autosave.h"
#include "docs/document.h"
#include "docs/document_manager.h"
#include "services/host_services.h"

namespace tzad {

std::u16string Document::nextUndo() const {
  return (this->*hostServices().nextUndo)();
}

std::u16string Document::nextRedo() const {
  return (this->*hostServices().nextRedo)();
}

DocumentManager& DocumentManager::instance() {
  return hostServices().documentManager();
}

Document* DocumentManager::open(const std::u16string& path) {
  return (this->*hostServices().openDocument)(path);
}

Document* DocumentManager::find(const std::u16string& absolutePath) const {
  return (this->*hostServices().findDocument)(absolutePath);
}

Document* DocumentManager::create() {
  return (this->*hostServices().createDocument)();
}

void DocumentManager::reset() {
  (this->*hostServices().resetDocuments)();
}

std::u16string DocumentManager::absolutePath(const std::u16string& path) {
  return hostServices().absolutePath(path);
}

void removeAutosave(Document& doc) {
  hostServices().removeAutosave(doc);
}

}  // namespace tzad
