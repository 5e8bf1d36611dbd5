#include "editor/editor.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#include "base/translation.h"
#include "editor/link_navigation.h"
#include "platform/notices.h"
#include "platform/opener.h"
#include "platform/trace.h"
#include "tz_status.h"

namespace tzad {

std::u16string upperCase(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return upper;
}

Editor& Editor::instance() {
  static Editor editor;
  return editor;
}

Editor::Editor() {
  reset();
  // What the platform's services have to tell the user goes where the session's output goes:
  // the terminal, a script's transcript, the window's panel.
  platform::setNoticeSink(
      [](std::string_view line) { instance().writeMessage(u"\n" + tzutFromUtf8(line) + u"\n"); });
  // So does why a drawing could not be opened, whoever asked for it: a command, a module, the
  // drawings named when tzad starts.
  DocumentManager::instance().setFailureReport(
      [](const std::u16string& reason) { instance().writeMessage(reason + u"\n"); });
}

void Editor::setInput(std::unique_ptr<InputSource> input) {
  input_ = std::move(input);
  inputEnded_ = false;
  // Idle time at "Command: ": automatic saves, and the end of openers that are still showing
  // what a link opened.
  if (input_)
    input_->whileIdle([] {
      saveChangedDrawingsAutomatically();
      platform::checkRunningOpeners();
    });
}

bool Editor::interactive() const {
  return input_ && input_->interactive() && !scripting_;
}

void Editor::setOutput(std::function<void(std::string_view)> output) {
  output_ = std::move(output);
}

void Editor::reset() {
  DocumentManager::instance().reset();
  input_ = std::make_unique<LineInput>(std::vector<std::string>{});
  output_ = [](std::string_view text) {
    // When the reader of a pipe is gone (a `| tee` ended by Ctrl+C), the session goes on and
    // shows itself on the terminal through standard error.
    static FILE* out = stdout;
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if ((std::fflush(out) != 0 || !written) && out == stdout && errno == EPIPE) {
      out = stderr;
      std::fwrite(text.data(), 1, text.size(), out);
    }
  };
  commands_.clear();
  objectActions_.clear();
  linkTargetDescriber_ = nullptr;
  linkHistory().clear();
  scripted_.clear();
  scripting_ = inputEnded_ = quit_ = saveFailed_ = false;
  atLineStart_ = true;
  initFlags_ = 0;
  initKeywords_.clear();
  registerHostCommands(*this);
}

namespace {

// What the session writes reaches a terminal: a control character in it (from a drawing's
// text, a module's message) shows as what it is instead of moving the cursor, clearing the
// screen or renaming the terminal. Line ends and tabs stay.
std::string withControlsShown(std::string_view utf8) {
  std::string shown;
  shown.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    if ((c < 0x20 && c != '\n' && c != '\t' && c != '\r') || c == 0x7F) {
      shown += '^';
      shown += static_cast<char>(c == 0x7F ? '?' : c + 64);
    } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
      char code[12];
      std::snprintf(code, sizeof code, "<U+%04X>", static_cast<unsigned char>(utf8[++i]));
      shown += code;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return shown;
}

}  // namespace

void Editor::write(std::string_view utf8) {
  if (utf8.empty()) return;
  atLineStart_ = utf8.back() == '\n';
  if (output_) output_(withControlsShown(utf8));
}

void Editor::writeMessage(std::u16string_view text) {
  if (!text.empty() && text[0] == u'\n' && atLineStart_) text.remove_prefix(1);
  write(text);
}

std::optional<std::string> Editor::ask(std::u16string_view prompt, PromptKind kind) {
  bool commandPrompt = kind == PromptKind::Command;
  std::string text = tzutToUtf8(prompt);
  // A leading line feed asks for a line of its own, not for an empty line.
  if (!text.empty() && text[0] == '\n' && atLineStart_) text.erase(0, 1);
  // "Command: " starts a line of its own, even after a message that did not end one.
  if (commandPrompt && !atLineStart_) text = "\n" + text;
  // Earlier lines of a prompt are plain output; the input shows the last one.
  size_t lastLine = text.rfind('\n');
  if (lastLine != std::string::npos) write(text.substr(0, lastLine + 1));
  std::string shown = lastLine == std::string::npos ? text : text.substr(lastLine + 1);

  InputLine input;
  bool echo = true;
  if (scripting_) {
    // Answers given in advance: when they run out, the command is cancelled.
    input.kind = InputLine::Kind::Cancelled;
    if (!scripted_.empty()) {
      input = {InputLine::Kind::Answer, std::move(scripted_.front())};
      scripted_.pop_front();
    }
  } else if (!inputEnded_) {
    echo = input_->echoes();
    input = input_->readLine(shown, kind);
  }
  std::string echoed = echo ? shown : "";
  switch (input.kind) {
    case InputLine::Kind::Ended:
      inputEnded_ = true;
      // The end of a script at "Command: " is simply the end; anywhere else it cancels.
      if (!commandPrompt) write(echoed + (echo ? "\n" : "") + tr("*Cancel*") + "\n");
      return std::nullopt;
    case InputLine::Kind::QuitKey:
      // Ctrl+D: at "Command: " the user leaves as with QUIT; anywhere else it cancels.
      if (commandPrompt) {
        write(echoed + "QUIT\n");
        return "QUIT";
      }
      [[fallthrough]];
    case InputLine::Kind::Cancelled:
      write(echoed + "\n" + tr("*Cancel*") + "\n");
      return std::nullopt;
    case InputLine::Kind::Answer:
      break;
  }
  if (echo)
    write(shown + input.text + "\n");
  else
    atLineStart_ = true;  // the terminal shows the typed line and moved to the next one
  if (input.text == "^C") {
    write(tr("*Cancel*") + std::string("\n"));
    return std::nullopt;
  }
  return input.text;
}

void Editor::setInitGet(int flags, std::u16string keywords) {
  initFlags_ = flags;
  initKeywords_ = std::move(keywords);
}

std::pair<int, std::u16string> Editor::takeInitGet() {
  auto taken = std::make_pair(initFlags_, std::move(initKeywords_));
  initFlags_ = 0;
  initKeywords_.clear();
  return taken;
}

void Editor::addCommand(const std::u16string& name, std::function<void()> run,
                        std::u16string description) {
  commands_[upperCase(name)] = {std::move(run), std::move(description)};
}

std::vector<Editor::CommandHelp> Editor::commandHelp() const {
  std::vector<CommandHelp> help;
  for (const auto& [name, command] : commands_) help.push_back({name, command.description});
  return help;
}

bool Editor::hasCommand(const std::u16string& name) const {
  return commands_.count(upperCase(name)) != 0;
}

namespace {

// Counts a command in and out, however it ends.
class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

void Editor::reportFailedCommand(std::string_view what) {
  initFlags_ = 0;
  initKeywords_.clear();
  endLine();
  write(trf("*Error* {0}; the command was cancelled.\n", {what}));
}

bool Editor::runCommand(const std::u16string& name) {
  auto it = commands_.find(upperCase(name));
  if (it == commands_.end()) {
    write(trf("Unknown command \"{0}\".\n", {upperCase(name)}));
    return false;
  }
  takeInitGet();  // flags never outlive the command that set them
  const std::u16string command = upperCase(name);
  std::function<void()> run = it->second.run;
  if (followsLinksCommand(command)) run = [follow = std::move(run)] { followLink(follow); };
  if (commandDepth_ > 0) {
    // A command another command runs (tzedCommandS): what fails in it fails the outer one.
    DepthGuard nested(commandDepth_);
    run();
    return true;
  }
  // The undo commands walk the undo lists themselves.
  runOutermost(command, command != u"U" && command != u"UNDO" && command != u"REDO", run);
  return true;
}

void Editor::runOutermost(const std::u16string& step, bool journaled,
                          const std::function<void()>& run) {
  DepthGuard outermost(commandDepth_);
  // What runs changes one step of each drawing's undo list.
  DocumentManager& docs = DocumentManager::instance();
  if (journaled) docs.beginCommand(step);
  auto started = std::chrono::steady_clock::now();
  // Nothing a command throws ends tzad: the command is cancelled, what it changed is put
  // back, and the session goes on.
  try {
    run();
  } catch (const std::exception& e) {
    docs.rollBackCommand();
    reportFailedCommand(e.what());
  } catch (...) {
    docs.rollBackCommand();
    reportFailedCommand(tr("an unknown error"));
  }
  if (journaled) docs.endCommand();
  if (platform::traceEnabled()) {
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    platform::trace("command %s: %.6f s\n", tzutToUtf8(step).c_str(), took.count());
  }
}

void Editor::addObjectAction(const std::u16string& name, TzObjectActionFunction run) {
  objectActions_[name] = run;
}

bool Editor::hasObjectAction(const std::u16string& name) const {
  return objectActions_.count(name) != 0;
}

int Editor::runObjectAction(const std::u16string& name, TzArray<TzDbObjectId>& ids,
                            const std::u16string& step) {
  auto it = objectActions_.find(name);
  if (it == objectActions_.end()) return RTERROR;
  // Objects erased since they were picked are no longer there to act on.
  std::erase_if(ids, [](TzDbObjectId id) { return id.isNull() || id.isErased(); });
  TzObjectActionFunction action = it->second;
  int status = RTERROR;
  auto run = [&] {
    if (followsLinksAction(name))
      followLink([&] { status = action(ids); });
    else
      status = action(ids);
  };
  if (commandDepth_ == 0) {
    takeInitGet();
    runOutermost(step, true, run);
    return status;
  }
  DepthGuard nested(commandDepth_);
  try {
    run();
  } catch (const std::exception& e) {
    endLine();
    write(tr8("*Error* {0}; the action was cancelled.\n", {e.what()}));
  } catch (...) {
    endLine();
    write(tr("*Error* an action of a module failed; it was cancelled.\n"));
  }
  return status;
}

int Editor::runScripted(const std::vector<std::u16string>& tokens) {
  if (tokens.empty() || !hasCommand(tokens[0])) return RTERROR;
  // The answers of the command that runs this one come back however it ends.
  struct Restore {
    Editor& ed;
    std::deque<std::string> scripted;
    bool scripting;
    ~Restore() {
      ed.scripting_ = scripting;
      ed.scripted_ = std::move(scripted);
    }
  } restore{*this, std::move(scripted_), scripting_};
  scripted_.clear();
  for (size_t i = 1; i < tokens.size(); ++i) scripted_.push_back(tzutToUtf8(tokens[i]));
  scripting_ = true;
  write(trf("Command: ") + tokens[0] + u"\n");
  runCommand(tokens[0]);
  return RTNORM;
}

// A message box is answered by the user even when the window runs a command with answers
// given in advance (a followed link, a menu).
std::optional<bool> Editor::askInWindow(const std::u16string& question) const {
  if (!yesNoQuestion_) return std::nullopt;
  return yesNoQuestion_(question);
}

std::optional<SaveAnswer> Editor::askInWindowAboutChanges(Document& doc) const {
  if (!saveQuestion_) return std::nullopt;
  return saveQuestion_(doc);
}

void Editor::runLoop() {
  while (!quit_ && !inputEnded_) {
    std::optional<std::string> line = ask(trf("Command: "), PromptKind::Command);
    if (!line) continue;
    std::u16string name = tzutFromUtf8(*line);
    size_t b = name.find_first_not_of(u" \t");
    if (b == std::u16string::npos) continue;
    name = name.substr(b, name.find_last_not_of(u" \t") - b + 1);
    runCommand(name);
  }
}

}  // namespace tzad
