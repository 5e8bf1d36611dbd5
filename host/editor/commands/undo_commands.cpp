// U, UNDO and REDO: the current drawing's undo list, one step per command.
#include <charconv>
#include <cstdint>

#include "base/translation.h"
#include "db/database_impl.h"
#include "editor/commands/command_support.h"
#include "editor/keywords.h"

namespace tzad {

namespace {

Editor& ed() {
  return Editor::instance();
}

// Each step taken back or done again, in a text with its command as {0}.
void report(const std::vector<std::u16string>& steps, const char* done, const char* none) {
  if (steps.empty()) return ed().write(tr(none));
  for (const std::u16string& step : steps) ed().write(trf(done, {step}));
}

void undoSteps(size_t count) {
  Document* doc = requireDocument();
  if (doc == nullptr) return;
  TzDbDatabaseImpl& db = TzDbInternals::impl(*doc->database());
  report(db.journal.undo(db, count), markedText("Undone: {0}\n"), markedText("Nothing to undo.\n"));
}

// A number of steps, or All (Back, with no marks to go back to, is the same).
void undoCommand() {
  const std::vector<Keyword> keywords = parseKeywordList(keywordList("All Back"));
  for (;;) {
    auto answer = askText(trf("Enter the number of operations to undo or [All/Back] <1>: "), false);
    if (!answer) return;
    std::u16string text(platform::trimmed(*answer));
    if (text.empty()) return undoSteps(1);
    if (matchKeyword(keywords, text)) return undoSteps(SIZE_MAX);
    std::string digits = tzutToUtf8(text);
    size_t count = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (error == std::errc() && end == digits.data() + digits.size() && count > 0)
      return undoSteps(count);
    ed().write(tr("A positive whole number, All or Back is required.\n"));
  }
}

void redoCommand() {
  Document* doc = requireDocument();
  if (doc == nullptr) return;
  TzDbDatabaseImpl& db = TzDbInternals::impl(*doc->database());
  report(db.journal.redo(db), markedText("Redone: {0}\n"), markedText("Nothing to redo.\n"));
}

}  // namespace

void registerUndoCommands(Editor& editor) {
  editor.addCommand(u"U", [] { undoSteps(1); });
  editor.addCommand(u"UNDO", undoCommand);
  editor.addCommand(u"REDO", redoCommand);
}

}  // namespace tzad
