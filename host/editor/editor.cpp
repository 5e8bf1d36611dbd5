#include "editor/editor.h"

#include <cstdio>

#include "tz_status.h"

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
}

void Editor::setInput(std::unique_ptr<InputSource> input) {
  input_ = std::move(input);
  inputEnded_ = false;
}

void Editor::setOutput(std::function<void(std::string_view)> output) {
  output_ = std::move(output);
}

void Editor::reset() {
  DocumentManager::instance().reset();
  input_ = std::make_unique<LineInput>(std::vector<std::string>{});
  output_ = [](std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  };
  commands_.clear();
  scripted_.clear();
  scripting_ = inputEnded_ = quit_ = false;
  initFlags_ = 0;
  initKeywords_.clear();
  registerHostCommands(*this);
}

void Editor::write(std::string_view utf8) {
  if (utf8.empty()) return;
  atLineStart_ = utf8.back() == '\n';
  if (output_) output_(utf8);
}

std::optional<std::string> Editor::ask(std::u16string_view prompt, bool commandPrompt) {
  std::string text = tzutToUtf8(prompt);
  // "Command: " starts a line of its own, even after a message that did not end one.
  if (commandPrompt && !atLineStart_) text = "\n" + text;
  std::optional<std::string> answer;
  bool echo = true;
  if (scripting_) {
    if (!scripted_.empty()) {
      answer = std::move(scripted_.front());
      scripted_.pop_front();
    }
  } else if (!inputEnded_) {
    // A terminal shows the prompt's last line itself; earlier lines are plain output.
    size_t lastLine = text.rfind('\n');
    std::string shown = text;
    if (!input_->echoes() && lastLine != std::string::npos) {
      write(text.substr(0, lastLine + 1));
      shown = text.substr(lastLine + 1);
    }
    echo = input_->echoes();
    answer = input_->readLine(shown);
    if (!answer) inputEnded_ = true;
    if (!echo) text.clear();
  }
  if (!answer) {
    // The end of a script at "Command: " is simply the end; anywhere else it cancels.
    if (!(commandPrompt && inputEnded_)) write(text + (text.empty() ? "" : "\n") + "*Cancel*\n");
    return std::nullopt;
  }
  if (echo) write(text + *answer + "\n");
  if (*answer == "^C") {
    write("*Cancel*\n");
    return std::nullopt;
  }
  return answer;
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

void Editor::addCommand(const std::u16string& name, std::function<void()> run) {
  commands_[upperCase(name)] = std::move(run);
}

bool Editor::hasCommand(const std::u16string& name) const {
  return commands_.count(upperCase(name)) != 0;
}

bool Editor::runCommand(const std::u16string& name) {
  auto it = commands_.find(upperCase(name));
  if (it == commands_.end()) {
    write(u"Unknown command \"" + upperCase(name) + u"\".\n");
    return false;
  }
  takeInitGet();  // flags never outlive the command that set them
  it->second();
  return true;
}

int Editor::runScripted(const std::vector<std::u16string>& tokens) {
  if (tokens.empty() || !hasCommand(tokens[0])) return RTERROR;
  std::deque<std::string> saved = std::move(scripted_);
  bool wasScripting = scripting_;
  scripted_.clear();
  for (size_t i = 1; i < tokens.size(); ++i) scripted_.push_back(tzutToUtf8(tokens[i]));
  scripting_ = true;
  write(u"Command: " + tokens[0] + u"\n");
  runCommand(tokens[0]);
  scripting_ = wasScripting;
  scripted_ = std::move(saved);
  return RTNORM;
}

void Editor::runLoop() {
  while (!quit_ && !inputEnded_) {
    std::optional<std::string> line = ask(u"Command: ", true);
    if (!line) continue;
    std::u16string name = tzutFromUtf8(*line);
    size_t b = name.find_first_not_of(u" \t");
    if (b == std::u16string::npos) continue;
    name = name.substr(b, name.find_last_not_of(u" \t") - b + 1);
    runCommand(name);
  }
}
