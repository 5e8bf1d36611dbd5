// The command line on a terminal, for tzad's program alone: libedit, which it needs, stays out of
// libtzad and of the programs and modules that never read a terminal.
#pragma once

#include <memory>
#include <string>

#include "editor/input_source.h"

namespace tzad {

// The interactive terminal: wide-character line editing (libedit), separate histories for
// commands and answers, Ctrl+C and Esc cancel, Ctrl+D on an empty line asks to quit.
class TerminalInput : public InputSource {
 public:
  TerminalInput();
  ~TerminalInput() override;
  InputLine readLine(const std::string& prompt, PromptKind kind) override;
  bool echoes() const override;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace tzad
