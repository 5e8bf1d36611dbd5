// NEW, OPEN, SAVE, SAVEAS, CLOSE and QUIT. Unsaved changes are never dropped without asking.
#include <filesystem>
#include <optional>

#include "base/translation.h"
#include "db/database_impl.h"
#include "db/drawing_file.h"
#include "docs/autosave.h"
#include "editor/commands/command_support.h"
#include "platform/recent_files.h"
#include "platform/text.h"

namespace tzad {

namespace {

Editor& ed() {
  return Editor::instance();
}

bool keepsBackups() {
  resbuf value;
  return tzedGetVar(u"ISAVEBAK", &value) != RTNORM || value.resval.rint != 0;
}

TzDbDatabaseImpl& databaseOf(Document& doc) {
  return TzDbInternals::impl(*doc.database());
}

// A path the way the file system resolves it ("links/../store" being where the link leads).
std::u16string shownPath(const std::string& file) {
  std::error_code ec;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(file, ec);
  return platform::fromFileName(ec ? file : resolved.string());
}

// What a link at `path` leads to, as a path.
std::u16string linkedFile(const std::u16string& path) {
  return shownPath(replacedFile(platform::toFileName(path)));
}

// A question whose answer is No unless the user says Yes; a No is followed by `refused`.
bool confirmed(const std::u16string& question, const std::u16string& refused) {
  auto answer = askKeyword(question + trf(" [Yes/No] <No>: "), keywordList("Yes No"), u"No");
  if (answer && *answer == u"Yes") return true;
  ed().write(refused);
  return false;
}

// The drawing's file became a link to another file since tzad read or saved it: the link is
// replaced only when the user says so, and the file it names never.
bool mayReplaceLink(const std::u16string& path) {
  return confirmed(trf("{0} has been replaced by a symbolic link to {1} since it was opened or "
                       "last saved.\nReplace the link with this drawing?",
                       {path, linkedFile(path)}),
                   trf("The drawing was not saved; the link and the file it names are "
                       "unchanged.\n"));
}

// A read-only drawing is never replaced; one that another program changed since tzad read or
// last saved it only when the user says so.
bool mayReplace(Document& doc, const std::u16string& path) {
  TzDbDatabaseImpl& db = databaseOf(doc);
  bool ownFile = path == doc.fileName();
  if (ownFile && db.fileBecameLink()) return mayReplaceLink(path);
  if (isReadOnlyFile(db.saveTarget(path))) {
    ed().write(
        trf("{0} is read-only; the drawing was not saved. Use SAVEAS to save it under "
            "another name.\n",
            {path}));
    ed().reportSaveFailure();
    return false;
  }
  if (!ownFile || !db.fileChangedOnDisk()) return true;
  return confirmed(trf("{0} has changed on disk since it was opened or last saved.\n"
                       "Replace it with this drawing?",
                       {path}),
                   trf("The drawing was not saved; the file on disk is unchanged.\n"));
}

// "plan" becomes "plan.dxf": a drawing saved under a bare name is still known as a drawing.
std::u16string withDrawingExtension(const std::u16string& path) {
  bool bare = std::filesystem::path(platform::toFileName(path)).extension().empty();
  return bare ? path + u".dxf" : path;
}

// "Saved PATH", and what was written when that is not the file at PATH.
std::u16string savedMessage(const std::u16string& path, const std::string& written,
                            const std::optional<std::u16string>& replacedLinkTo) {
  if (replacedLinkTo)
    return trf("Saved {0} in place of the link; {1} is unchanged.\n", {path, *replacedLinkTo});
  if (written != platform::toFileName(path))
    return trf("Saved {0} (written to {1}, which it links to)\n", {path, shownPath(written)});
  return trf("Saved {0}\n", {path});
}

bool saveTo(Document& doc, const std::u16string& path) {
  std::u16string absolute = DocumentManager::absolutePath(path);
  if (!mayReplace(doc, absolute)) return false;
  TzDbDatabaseImpl& db = databaseOf(doc);
  std::optional<std::u16string> replacedLinkTo;
  if (absolute == doc.fileName() && db.fileBecameLink()) replacedLinkTo = linkedFile(absolute);
  if (!db.save(absolute, keepsBackups())) {
    ed().write(doc.database()->lastErrorText() + u"\n");
    ed().reportSaveFailure();
    return false;
  }
  doc.setPath(absolute);
  removeAutosave(doc);  // the file holds what the copy held, and more
  ed().write(savedMessage(absolute, db.savedFile, replacedLinkTo));
  return true;
}

// SAVEAS onto another existing file replaces it only when the user says so; a folder is never
// replaced.
bool mayTakeName(Document& doc, const std::u16string& path) {
  std::u16string absolute = DocumentManager::absolutePath(path);
  std::string file = platform::toFileName(absolute);
  if (absolute == doc.fileName() || !identifyFile(file)) return true;
  if (isNotAFile(replacedFile(file))) {
    ed().write(trf("{0} is a folder; the drawing was not saved.\n", {absolute}));
    ed().reportSaveFailure();
    return false;
  }
  return confirmed(trf("{0} already exists. Replace it?", {absolute}),
                   trf("The drawing was not saved.\n"));
}

// Drawings opened or saved under a new name join the desktop's recently used files, where file
// dialogs (tzad's own and other programs') offer them again. A list that cannot be written
// costs the user nothing here, so it is not reported.
void addToRecentFiles(const Document& doc) {
  platform::addRecentFile(doc.fileName());
}

bool saveAs(Document& doc) {
  std::u16string suggestion = doc.isUntitled() ? doc.docTitle() : std::u16string(doc.fileName());
  auto name = askText(trf("Enter file name <{0}>: ", {suggestion}));
  if (!name) return false;
  std::u16string path = unquoted(std::u16string(platform::trimmed(*name)));
  if (path.empty()) path = suggestion;
  path = withDrawingExtension(path);
  if (!mayTakeName(doc, path) || !saveTo(doc, path)) return false;
  addToRecentFiles(doc);
  return true;
}

bool save(Document& doc) {
  return doc.isUntitled() ? saveAs(doc) : saveTo(doc, doc.fileName());
}

SaveAnswer askAboutChanges(Document& doc) {
  if (std::optional<SaveAnswer> asked = ed().askInWindowAboutChanges(doc)) return *asked;
  auto answer = askKeyword(trf("Save changes to {0}? [Yes/No/Cancel] <Yes>: ", {doc.docTitle()}),
                           keywordList("Yes No Cancel"), u"Yes");
  if (!answer || *answer == u"Cancel") return {};
  return {*answer == u"No" ? SaveAnswer::Choice::Discard : SaveAnswer::Choice::Save, {}};
}

// Saves under a name chosen in the window's file dialog, which has asked about replacing an
// existing file already.
bool saveAsChosen(Document& doc, const std::u16string& path) {
  if (!saveTo(doc, withDrawingExtension(path))) return false;
  addToRecentFiles(doc);
  return true;
}

// Asks about unsaved changes; false when the user cancels (the drawing stays open).
bool settleChanges(Document& doc) {
  if (!doc.database()->isModified()) return true;
  SaveAnswer answer = askAboutChanges(doc);
  switch (answer.choice) {
    case SaveAnswer::Choice::Cancel:
      return false;
    case SaveAnswer::Choice::Discard:
      return true;
    case SaveAnswer::Choice::Save:
      return answer.path.empty() ? save(doc) : saveAsChosen(doc, answer.path);
  }
  return false;
}

void openCommand() {
  auto name = askText(trf("Enter name of drawing to open: "));
  if (!name) return;
  std::u16string path(platform::trimmed(*name));
  if (path.empty()) return;
  DocumentManager& docs = DocumentManager::instance();
  if (Document* open = docs.find(DocumentManager::absolutePath(path))) {
    if (docs.activateDocument(open) != Tzad::eOk) return;
    ed().write(trf("{0} is open already; it is now the current drawing.\n", {open->docTitle()}));
    addToRecentFiles(*open);
  } else if (Document* doc = docs.open(path)) {
    ed().write(trf("Opened {0}\n", {doc->fileName()}));
    addToRecentFiles(*doc);
  }
}

void closeCommand() {
  Document* doc = requireDocument();
  if (doc == nullptr || !settleChanges(*doc)) return;
  std::u16string title = doc->docTitle();
  DocumentManager::instance().close(doc);
  ed().write(trf("Closed {0}\n", {title}));
}

void quitCommand() {
  // Every drawing with changes is asked about first; a cancel keeps tzad running.
  for (const auto& doc : DocumentManager::instance().documents()) {
    if (DocumentManager::instance().activateDocument(doc.get()) != Tzad::eOk) return;
    if (!settleChanges(*doc)) return;
  }
  ed().requestQuit();
}

}  // namespace

void registerFileCommands(Editor& editor) {
  editor.addCommand(u"NEW", [] {
    Document* doc = DocumentManager::instance().create();
    Editor::instance().write(trf("New drawing {0}\n", {doc->docTitle()}));
  });
  editor.addCommand(u"OPEN", openCommand);
  editor.addCommand(u"SAVE", [] {
    if (Document* doc = requireDocument()) save(*doc);
  });
  editor.addCommand(u"SAVEAS", [] {
    if (Document* doc = requireDocument()) saveAs(*doc);
  });
  editor.addCommand(u"CLOSE", closeCommand);
  editor.addCommand(u"QUIT", quitCommand);
  registerRecoverCommand(editor);
  editor.addCommand(u"EXIT", quitCommand);
}

}  // namespace tzad
