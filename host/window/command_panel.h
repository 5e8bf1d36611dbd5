// The command-line panel under the drawing view: what the session wrote, the prompt, and one
// line to type the answer in, with its own histories of commands and of answers.
#pragma once

#include <wx/panel.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/input_source.h"

class wxStaticText;
class wxTextCtrl;
class wxKeyEvent;

namespace tzad {

class CommandPanel : public wxPanel {
 public:
  struct Handlers {
    std::function<void(std::string)> answered;  // Enter, with the typed line
    std::function<void()> cancelled;            // Esc
    std::function<void()> homeOnEmptyLine;      // Home with nothing typed
  };
  CommandPanel(wxWindow* parent, Handlers handlers);

  void append(std::string_view utf8);
  void showPrompt(const std::string& prompt, PromptKind kind);
  // Keys typed elsewhere (in the view) go on in the input line, as in CAD programs.
  void takeTypedKey(wxKeyEvent& event);
  wxTextCtrl* inputLine() const { return input_; }
  wxTextCtrl* transcript() const { return output_; }
  const std::string& promptText() const { return promptText_; }

 private:
  void onKeyDown(wxKeyEvent& event);
  void onEnter();
  void recall(int step);

  Handlers handlers_;
  wxTextCtrl* output_;
  wxStaticText* prompt_;
  wxTextCtrl* input_;
  std::string promptText_;
  size_t lineLength_ = 0;  // of the transcript's last line, as shown
  PromptKind kind_ = PromptKind::Command;
  std::vector<std::string> commandHistory_, answerHistory_;
  int recalled_ = -1;  // the history entry shown, counted from the newest; -1: none
};

}  // namespace tzad
