// The command line's input in the main window: a prompt waits in a nested event loop until the
// panel or the view answers it, so commands stay sequential code, as in the terminal.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/input_source.h"

class wxGUIEventLoop;

namespace tzad {

class WindowInput : public InputSource {
 public:
  // Told of each prompt as it is shown, so that the window can show it and the view knows what
  // a click answers.
  using PromptShown = std::function<void(const std::string& prompt, PromptKind kind)>;
  explicit WindowInput(PromptShown shown);

  InputLine readLine(const std::string& prompt, PromptKind kind) override;
  // The panel shows prompts and answers as the session writes them.
  bool echoes() const override { return true; }

  // The answer to the prompt that waits (typed, or picked in the view).
  void answer(std::string text);
  // Esc: the prompt that waits is cancelled.
  void cancel();
  // The window has gone: every prompt from now on ends the session.
  void end();
  // Runs action at "Command: ". A command that is running is cancelled first, as a menu
  // command cancels it in CAD programs.
  void runAtCommandPrompt(std::function<void()> action);
  // Lines typed at "Command: " one after another: a command and its first answers.
  void typeCommand(std::vector<std::string> lines);

  PromptKind promptKind() const { return kind_; }
  // How many commands have been given at "Command: " (typed, or run from the window): the
  // drawing can have changed only when this has grown.
  unsigned long commandsGiven() const { return commandsGiven_; }
  bool waiting() const { return loop_ != nullptr; }

 private:
  struct Pending {
    enum class Kind { Answer, Cancel, AtCommand } kind;
    std::string text;
    std::vector<std::string> lines;
    std::function<void()> action;
  };
  void push(Pending pending);
  void waitForInput();

  PromptShown shown_;
  std::deque<Pending> pending_;
  wxGUIEventLoop* loop_ = nullptr;
  PromptKind kind_ = PromptKind::Command;
  bool ended_ = false;
  unsigned long commandsGiven_ = 0;
};

}  // namespace tzad
