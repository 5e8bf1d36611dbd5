// Where command-line answers come from: the terminal, a script, or a test's queue. Every
// prompt reads from the one source the session has.
#pragma once

#include <deque>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tzad {

// What a prompt asks for: a source that can answer with the mouse answers each kind in its
// own way (a picked point, picked objects, a pre-selection at "Command: ").
enum class PromptKind { Command, Point, Selection, Text };

// What one read brought.
struct InputLine {
  enum class Kind {
    Answer,     // a line of text (possibly empty: Enter)
    Cancelled,  // Ctrl+C or Esc at the terminal
    QuitKey,    // Ctrl+D on an empty line at the terminal
    Ended,      // nothing more will come
  };
  Kind kind = Kind::Ended;
  std::string text;  // UTF-8, without its line end; only for Answer
};

class InputSource {
 public:
  virtual ~InputSource() = default;
  // Shows the prompt (one line, no line feed) where the source needs it and reads the answer.
  // A command prompt and the other prompts may keep separate histories.
  virtual InputLine readLine(const std::string& prompt, PromptKind kind) = 0;
  // True when the session must print each prompt and answer itself (a script reads like a
  // typed session, a terminal whose output goes to a log leaves a full transcript there); a
  // plain terminal shows them itself.
  virtual bool echoes() const = 0;
  // False for answers given in advance: nobody is there to ask.
  virtual bool interactive() const { return true; }
  // What runs about once a second while the source waits for a command at "Command: " (the
  // automatic saves).
  void whileIdle(std::function<void()> idle) { idle_ = std::move(idle); }

 protected:
  std::function<void()> idle_;
};

// Lines given in advance: a script file or a test's queue. Lines starting with ';' are
// comments and are skipped.
class LineInput : public InputSource {
 public:
  explicit LineInput(std::vector<std::string> lines);
  // Reads a script file; false (and an error text) when it cannot be read.
  static std::optional<LineInput> fromFile(const std::string& path, std::string& error);
  // Reads lines to the end of the stream; a line may end in LF or CR LF, the last in neither.
  static LineInput fromStream(std::istream& in);
  InputLine readLine(const std::string& prompt, PromptKind kind) override;
  bool echoes() const override { return true; }
  bool interactive() const override { return false; }

 private:
  std::deque<std::string> lines_;
};

// Makes the character type locale the environment's, or C.UTF-8 when that one does not
// speak UTF-8: every text the command line reads and writes is UTF-8.
void useUtf8CharacterLocale();

}  // namespace tzad
