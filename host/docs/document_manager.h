// The drawings open in the host, one of them current. The current drawing's database is the
// working database that modules see.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "docs/document.h"

namespace tzad {

// Every virtual function is defined here, so that the class has no key function: its type
// information, which the sanitizers' checks of virtual calls ask for, is then emitted by each
// binary that uses the class, libtzad not exporting it.
class DocumentManager : public TzApDocManager {
 public:
  static DocumentManager& instance();

  Document* current() const { return current_; }
  TzApDocument* curDocument() const override { return current_; }
  TzApDocument* mdiActiveDocument() const override { return current_; }
  int documentCount() const override { return static_cast<int>(docs_.size()); }
  TzApDocumentIterator* newTzApDocumentIterator() override { return newIterator(); }
  Tzad::ErrorStatus activateDocument(TzApDocument* doc) override { return activate(doc); }
  Tzad::ErrorStatus appOpenDocument(const char16_t* fileName) override {
    if (fileName == nullptr || *fileName == 0) return Tzad::eInvalidInput;
    return open(fileName) ? Tzad::eOk : Tzad::eFileNotFound;
  }

  // Opens a drawing (an open one is activated instead). On failure says why through the
  // failure report and returns null.
  Document* open(const std::u16string& path);
  // Where the reason goes when a drawing cannot be opened: the editor writes it on the command
  // line. Without one the reason is not shown.
  using FailureReport = std::function<void(const std::u16string& reason)>;
  void setFailureReport(FailureReport report) { failureReport_ = std::move(report); }
  // A drawing whose automatic save is newer than its file (a crash, a kill, a power cut): the
  // question decides whether the copy is opened instead, unsaved, as the drawing.
  using RecoveryQuestion =
      std::function<bool(const std::u16string& title, const std::u16string& when)>;
  void setRecoveryQuestion(RecoveryQuestion question) { recoveryQuestion_ = std::move(question); }
  // Opens an automatic save's contents as the drawing it belongs to (a new drawing for one that
  // was never saved), unsaved; null after reporting why when it cannot be read.
  Document* recover(const std::filesystem::path& copy, const std::u16string& source,
                    const std::u16string& title);
  Document* find(const std::u16string& absolutePath) const;
  Document* create();
  void close(Document* doc);
  const std::vector<std::unique_ptr<Document>>& documents() const { return docs_; }
  // Closes every drawing without asking (end of the session, tests).
  void reset();

  // A command the user gave starts and ends: what it changes in each open drawing becomes one
  // step of that drawing's undo list. A failed command's changes are put back instead.
  void beginCommand(const std::u16string& name);
  void endCommand();
  void rollBackCommand();

  // The absolute, normalised form of a path typed by the user.
  static std::u16string absolutePath(const std::u16string& path);

 private:
  TzApDocumentIterator* newIterator();
  Tzad::ErrorStatus activate(TzApDocument* doc);
  void makeCurrent(Document* doc);
  Document* adopt(std::unique_ptr<Document> doc);
  void reportFailure(const std::u16string& reason) const;
  RecoveryQuestion recoveryQuestion_;
  FailureReport failureReport_;
  std::vector<std::unique_ptr<Document>> docs_;
  Document* current_ = nullptr;
  int untitled_ = 0;
};

}  // namespace tzad
