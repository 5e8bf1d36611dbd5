// Where command-line answers come from: the terminal, a script, or a test's queue. Every
// prompt reads from the one source the session has.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

class InputSource {
 public:
  virtual ~InputSource() = default;
  // The next answer (UTF-8, without its line end), or nothing when the input has ended.
  virtual std::optional<std::string> readLine(const std::string& prompt) = 0;
  // True when the session must print each answer after its prompt (a script reads like a
  // typed session); a terminal shows what the user types itself.
  virtual bool echoes() const = 0;
};

// Lines given in advance: a script file or a test's queue. Lines starting with ';' are
// comments and are skipped.
class LineInput : public InputSource {
 public:
  explicit LineInput(std::vector<std::string> lines);
  // Reads a script file; false (and an error text) when it cannot be read.
  static std::optional<LineInput> fromFile(const std::string& path, std::string& error);
  std::optional<std::string> readLine(const std::string& prompt) override;
  bool echoes() const override { return true; }

 private:
  std::deque<std::string> lines_;
};

// The interactive terminal, with line editing and history (libedit).
class TerminalInput : public InputSource {
 public:
  TerminalInput();
  ~TerminalInput() override;
  std::optional<std::string> readLine(const std::string& prompt) override;
  bool echoes() const override { return false; }
};
