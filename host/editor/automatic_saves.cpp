// Automatic saves in the session: written in idle time once a change has waited SAVETIME
// minutes, offered back when a drawing is opened whose copy is newer than its file, listed and
// opened by RECOVER.
#include <chrono>
#include <cstdlib>

#include "base/translation.h"
#include "db/database_impl.h"
#include "docs/autosave.h"
#include "editor/commands/command_support.h"
#include "platform/text.h"

namespace tzad {

namespace {

using Clock = std::chrono::steady_clock;

Editor& ed() {
  return Editor::instance();
}

// SAVETIME in minutes; TZAD_AUTOSAVE_SECONDS, when set, in seconds (for tests and for users
// who want it more often than every minute). Nothing when automatic saves are off.
std::optional<Clock::duration> interval() {
  if (const char* seconds = std::getenv("TZAD_AUTOSAVE_SECONDS"); seconds && *seconds) {
    long value = std::atol(seconds);
    if (value > 0) return std::chrono::seconds(value);
    return std::nullopt;
  }
  resbuf minutes;
  if (tzedGetVar(u"SAVETIME", &minutes) != RTNORM || minutes.resval.rint <= 0) return std::nullopt;
  return std::chrono::minutes(minutes.resval.rint);
}

// Since when each drawing has had changes that no automatic save holds yet.
std::map<const Document*, Clock::time_point>& waitingSince() {
  static std::map<const Document*, Clock::time_point> since;
  return since;
}

// Asked when a drawing is opened whose automatic save is newer than its file. A script is
// told, and goes on with the file: its next line answers something else.
bool openCopyInstead(const std::u16string& title, const std::u16string& when) {
  std::u16string found =
      trf("An automatic save of {0} from {1} is newer than the file.", {title, when});
  if (std::optional<bool> inWindow = ed().askInWindow(found + u"\n" + trf("Open it instead?")))
    return *inWindow;
  if (!ed().interactive()) {
    ed().write(found + trf(" RECOVER opens it.\n"));
    return false;
  }
  auto answer =
      askKeyword(found + trf(" Open it instead? [Yes/No] <Yes>: "), keywordList("Yes No"), u"Yes");
  return answer && *answer == u"Yes";
}

// Lists the automatic saves, newest first, and opens the one the user names.
void recoverCommand() {
  std::vector<AutosaveFile> copies = listAutosaves();
  if (copies.empty()) return ed().write(tr("There are no automatic saves.\n"));
  for (size_t i = 0; i < copies.size(); ++i) {
    std::u16string of = copies[i].source.empty() ? trf("never saved") : copies[i].source;
    ed().write(tzutFromUtf8(std::to_string(i + 1)) + u". " + copies[i].title + u" (" + of + u"), " +
               formatWhen(copies[i].written) + u"\n");
  }
  auto answer = askText(trf("Enter the number of the automatic save to open <none>: "), false);
  if (!answer || answer->empty()) return;
  size_t chosen = static_cast<size_t>(std::atol(tzutToUtf8(*answer).c_str()));
  if (chosen == 0 || chosen > copies.size())
    return ed().write(trf("There is no automatic save {0}.\n", {*answer}));
  const AutosaveFile& copy = copies[chosen - 1];
  DocumentManager& docs = DocumentManager::instance();
  if (!copy.source.empty() && docs.find(copy.source))
    return ed().write(
        trf("{0} is open; close it first to open its automatic save.\n", {copy.title}));
  if (docs.recover(copy.path, copy.source, copy.title))
    ed().write(trf("Opened the automatic save of {0}; SAVE keeps it.\n", {copy.title}));
}

}  // namespace

void registerRecoverCommand(Editor& editor) {
  DocumentManager::instance().setRecoveryQuestion(openCopyInstead);
  editor.addCommand(u"RECOVER", recoverCommand);
}

void mentionCopiesOfUnsavedDrawings() {
  for (const AutosaveFile& copy : listAutosaves())
    if (copy.source.empty())
      ed().write(trf("An automatic save of {0} (never saved) from {1} is kept; RECOVER opens it.\n",
                     {copy.title, formatWhen(copy.written)}));
}

void saveChangedDrawingsAutomatically() {
  std::optional<Clock::duration> every = interval();
  auto& since = waitingSince();
  Clock::time_point now = Clock::now();
  std::map<const Document*, Clock::time_point> still;
  for (const auto& owned : DocumentManager::instance().documents()) {
    Document& doc = *owned;
    uint64_t changes = TzDbInternals::impl(*doc.database()).journal.changes();
    // Undone back to what its file holds, the drawing needs no copy: an old one would be
    // offered after a crash as if it were newer work.
    if (!doc.database()->isModified()) {
      if (!doc.autosaved.empty()) removeAutosave(doc);
      continue;
    }
    if (!every || changes == doc.autosavedChanges) continue;
    auto found = since.find(&doc);
    Clock::time_point first = found == since.end() ? now : found->second;
    if (now - first < *every) {
      still[&doc] = first;
      continue;
    }
    if (writeAutosave(doc))
      doc.autosavedChanges = changes;
    else
      still[&doc] = now;  // a copy that could not be written is tried again an interval later
  }
  since = std::move(still);
}

}  // namespace tzad
