#include "docs/document_manager.h"

#include <filesystem>

#include "db/object_data.h"
#include "docs/autosave.h"
#include "dxf/dxf_codes.h"
#include "platform/text.h"

namespace tzad {

namespace {

class Iterator : public TzApDocumentIterator {
 public:
  explicit Iterator(const std::vector<std::unique_ptr<Document>>& docs) : docs_(docs) {}
  bool done() const override { return pos_ >= docs_.size(); }
  void step() override { ++pos_; }
  TzApDocument* document() const override { return done() ? nullptr : docs_[pos_].get(); }

 private:
  const std::vector<std::unique_ptr<Document>>& docs_;
  size_t pos_ = 0;
};

// The view a drawing opens with: its active viewport's centre and height when it has one.
void initialView(Document& doc) {
  TzDbDatabaseImpl& db = TzDbInternals::impl(*doc.database());
  uint32_t vport = db.findTableRecord("VPORT", u"*Active");
  if (vport == kNoRecord) return;
  TzDbObjectData data;
  loadObjectData(data, db, vport);
  doc.viewCenter = {data.getReal(DxfCode::kViewCenterX), data.getReal(DxfCode::kViewCenterY), 0.0};
  double height = data.getReal(DxfCode::kHeight, 100.0);
  if (height > 0) doc.viewSize = height;
}

}  // namespace

DocumentManager& DocumentManager::instance() {
  static DocumentManager manager;
  return manager;
}

TzApDocumentIterator* DocumentManager::newIterator() {
  return new Iterator(docs_);
}

Tzad::ErrorStatus DocumentManager::activate(TzApDocument* doc) {
  for (auto& d : docs_) {
    if (d.get() == doc) {
      makeCurrent(d.get());
      return Tzad::eOk;
    }
  }
  return Tzad::eInvalidInput;
}

// Drawings opened while the command runs start with an empty list: their journals have no
// step open, and ending one that has none does nothing.
void DocumentManager::beginCommand(const std::u16string& name) {
  for (const auto& doc : docs_)
    TzDbInternals::impl(*doc->database())
        .journal.beginCommand(TzDbInternals::impl(*doc->database()), name);
}

void DocumentManager::endCommand() {
  for (const auto& doc : docs_) {
    TzDbDatabaseImpl& db = TzDbInternals::impl(*doc->database());
    db.journal.endCommand(db);
  }
}

void DocumentManager::rollBackCommand() {
  for (const auto& doc : docs_) {
    TzDbDatabaseImpl& db = TzDbInternals::impl(*doc->database());
    db.journal.rollBackCommand(db);
  }
}

std::u16string DocumentManager::absolutePath(const std::u16string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(platform::toFileName(path), ec);
  return platform::fromFileName(p.lexically_normal().string());
}

Document* DocumentManager::find(const std::u16string& absolute) const {
  for (auto& d : docs_)
    if (d->fileName() == absolute) return d.get();
  return nullptr;
}

Document* DocumentManager::open(const std::u16string& path) {
  std::u16string absolute = absolutePath(path);
  if (Document* open = find(absolute)) {
    makeCurrent(open);
    return open;
  }
  if (std::optional<AutosaveFile> copy = newerAutosaveOf(absolute)) {
    if (recoveryQuestion_ && recoveryQuestion_(copy->title, formatWhen(copy->written)))
      return recover(copy->path, absolute, copy->title);
    keepAside(*copy);
  }
  auto db = std::make_unique<TzDbDatabase>(false);
  if (db->readDwgFile(absolute) != Tzad::eOk) {
    reportFailure(db->lastErrorText());
    return nullptr;
  }
  auto doc = std::make_unique<Document>(std::move(db), u"", u"");
  doc->setPath(absolute);
  return adopt(std::move(doc));
}

Document* DocumentManager::recover(const std::filesystem::path& copy, const std::u16string& source,
                                   const std::u16string& title) {
  auto db = std::make_unique<TzDbDatabase>(false);
  if (db->readDwgFile(platform::fromFileName(copy.string())) != Tzad::eOk) {
    reportFailure(db->lastErrorText());
    return nullptr;
  }
  TzDbInternals::impl(*db).adoptFile(source);
  auto doc = std::make_unique<Document>(std::move(db), u"", title);
  if (!source.empty()) doc->setPath(source);
  // The copy stays until the drawing is saved or closed: it is still the only one of its kind.
  doc->autosaved = copy;
  return adopt(std::move(doc));
}

void DocumentManager::reportFailure(const std::u16string& reason) const {
  if (failureReport_) failureReport_(reason);
}

Document* DocumentManager::adopt(std::unique_ptr<Document> doc) {
  initialView(*doc);
  docs_.push_back(std::move(doc));
  makeCurrent(docs_.back().get());
  return current_;
}

Document* DocumentManager::create() {
  std::u16string title = u"Drawing" + tzutFromUtf8(std::to_string(++untitled_)) + u".dxf";
  docs_.push_back(std::make_unique<Document>(std::make_unique<TzDbDatabase>(true), u"", title));
  makeCurrent(docs_.back().get());
  return current_;
}

void DocumentManager::close(Document* doc) {
  for (size_t i = 0; i < docs_.size(); ++i) {
    if (docs_[i].get() != doc) continue;
    removeAutosave(*doc);  // closed on purpose, saved or not
    docs_.erase(docs_.begin() + static_cast<long>(i));
    makeCurrent(docs_.empty() ? nullptr : docs_.back().get());
    return;
  }
}

void DocumentManager::reset() {
  // Only a document's database stops being the working one: a program that reads drawings
  // without documents keeps the one it set, whenever the editor first starts.
  if (current_ != nullptr) makeCurrent(nullptr);
  docs_.clear();
  untitled_ = 0;
}

void DocumentManager::makeCurrent(Document* doc) {
  current_ = doc;
  tzdbHostApplicationServices()->setWorkingDatabase(doc ? doc->database() : nullptr);
}

}  // namespace tzad

TzApDocManager* tzDocManagerPtr() {
  return &tzad::DocumentManager::instance();
}
