// The command-line session: one input stream for every prompt, the output, the command
// table, and the state that lasts from one input call to the next.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "docs/document_manager.h"
#include "editor/input_source.h"
#include "tz_string.h"
#include "tzrx_link_target.h"
#include "tzrx_object_actions.h"

namespace tzad {

// What the user decided about a drawing's unsaved changes; a name chosen for a drawing that
// has none yet comes with Save.
struct SaveAnswer {
  enum class Choice { Save, Discard, Cancel } choice = Choice::Cancel;
  std::u16string path;
};

class Editor {
 public:
  static Editor& instance();

  // Where answers come from and output goes (stdout unless a test captures it).
  void setInput(std::unique_ptr<InputSource> input);
  void setOutput(std::function<void(std::string_view)> output);
  // Back to a fresh session: no documents, no commands from modules, no pending state.
  void reset();

  void write(std::string_view utf8);
  void write(std::u16string_view text) { write(tzutToUtf8(text)); }
  // Writes a message whose leading line feed, as a prompt's, asks for a line of its own: it is
  // dropped when the cursor is at the start of a line already.
  void writeMessage(std::u16string_view text);
  // Ends the line that output left open, so that what comes next starts a line of its own.
  void endLine() {
    if (!atLineStart_) write("\n");
  }

  // Shows a prompt and reads the answer. Nothing means the user cancelled ("^C") or the
  // input ended; both end the command that asked.
  std::optional<std::string> ask(std::u16string_view prompt, PromptKind kind = PromptKind::Text);
  bool inputEnded() const { return inputEnded_; }
  // Whether somebody answers the prompts now (not a script, not answers given in advance).
  bool interactive() const;

  // The flags and keywords of the next input call, taken by that call.
  void setInitGet(int flags, std::u16string keywords);
  std::pair<int, std::u16string> takeInitGet();

  // Commands: a name typed at "Command: " (any letter case), what runs it, and the line HELP
  // shows for it (empty: HELP finds one itself).
  void addCommand(const std::u16string& name, std::function<void()> run,
                  std::u16string description = {});
  struct CommandHelp {
    std::u16string name;
    std::u16string description;
  };
  // Every command in name order.
  std::vector<CommandHelp> commandHelp() const;
  bool hasCommand(const std::u16string& name) const;
  // Runs a command by name; false when there is none (after saying so).
  bool runCommand(const std::u16string& name);
  // Runs a command with its answers given in advance (tzedCommandS); the command reads them
  // before anything else, and is cancelled if it asks for more.
  int runScripted(const std::vector<std::u16string>& tokens);

  // Actions that modules offer on objects (tzrx_object_actions.h), by name; a module loaded
  // later replaces an earlier one's action of the same name.
  void addObjectAction(const std::u16string& name, TzObjectActionFunction run);
  // The modules are gone: so are their actions.
  void removeObjectActions() { objectActions_.clear(); }
  bool hasObjectAction(const std::u16string& name) const;
  // Runs an action on objects as a command runs: what it changes is one step of each drawing's
  // undo list, named `step`, and what it throws cancels that step. Inside a running command
  // (the window asks what to highlight while a prompt waits) it is part of that command's
  // step, and what it throws is only reported. The action's status; RTERROR when no module
  // offers it.
  int runObjectAction(const std::u16string& name, TzArray<TzDbObjectId>& ids,
                      const std::u16string& step);

  // Where a hyperlink leads, as the first loaded module that says so resolves it
  // (tzrx_link_target.h); null without such a module.
  void setLinkTargetDescriber(TzDescribeLinkTargetFunction describe) {
    linkTargetDescriber_ = describe;
  }
  TzDescribeLinkTargetFunction linkTargetDescriber() const { return linkTargetDescriber_; }

  // Whether the command running was started by another command (tzedCommandS).
  bool runByACommand() const { return commandDepth_ > 1; }

  // Reads and runs commands until the input ends or QUIT.
  void runLoop();
  void requestQuit() { quit_ = true; }
  bool quitRequested() const { return quit_; }
  // A save that did not happen: a script run then ends with a failure status.
  void reportSaveFailure() { saveFailed_ = true; }
  bool saveFailed() const { return saveFailed_; }

  Document* document() const { return DocumentManager::instance().current(); }

  // The window asks about unsaved changes in a message box of its own; scripts and the
  // terminal keep the prompt.
  using SaveQuestion = std::function<SaveAnswer(Document&)>;
  void setSaveQuestion(SaveQuestion question) { saveQuestion_ = std::move(question); }
  std::optional<SaveAnswer> askInWindowAboutChanges(Document& doc) const;
  // Any other question with Yes and No: a message box in the window, else nothing.
  using YesNoQuestion = std::function<bool(const std::u16string& question)>;
  void setYesNoQuestion(YesNoQuestion question) { yesNoQuestion_ = std::move(question); }
  std::optional<bool> askInWindow(const std::u16string& question) const;
  // How far a long task has come (0 to 1; 1 when it ends): the window shows a progress bar,
  // the terminal and scripts nothing.
  using ProgressDisplay = std::function<void(const std::u16string& task, double done)>;
  void setProgressDisplay(ProgressDisplay display) { progressDisplay_ = std::move(display); }
  void showProgress(const std::u16string& task, double done) const {
    if (progressDisplay_) progressDisplay_(task, done);
  }

 private:
  Editor();
  void reportFailedCommand(std::string_view what);
  // Runs what a command or an action does at "Command: ": one undo step when journaled, put
  // back when it throws.
  void runOutermost(const std::u16string& step, bool journaled, const std::function<void()>& run);
  std::unique_ptr<InputSource> input_;
  std::function<void(std::string_view)> output_;
  struct Command {
    std::function<void()> run;
    std::u16string description;
  };
  std::map<std::u16string, Command> commands_;  // by upper-case name
  std::map<std::u16string, TzObjectActionFunction> objectActions_;
  TzDescribeLinkTargetFunction linkTargetDescriber_ = nullptr;
  std::deque<std::string> scripted_;
  bool scripting_ = false;
  bool inputEnded_ = false;
  bool atLineStart_ = true;
  bool quit_ = false;
  bool saveFailed_ = false;
  int initFlags_ = 0;
  std::u16string initKeywords_;
  SaveQuestion saveQuestion_;
  YesNoQuestion yesNoQuestion_;
  ProgressDisplay progressDisplay_;
  int commandDepth_ = 0;
};

std::u16string upperCase(std::u16string_view text);
// Writes an automatic save of each drawing whose changes have waited long enough (SAVETIME);
// runs in the session's idle time (editor/automatic_saves.cpp).
void saveChangedDrawingsAutomatically();
// At the start of an interactive session: says which drawings that were never saved have an
// automatic save, which only RECOVER offers.
void mentionCopiesOfUnsavedDrawings();
// Registers the host's own commands (NEW, OPEN, ..., UCS, HELP).
void registerHostCommands(Editor& editor);

}  // namespace tzad
