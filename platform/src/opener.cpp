#include "platform/opener.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/display_text.h"
#include "platform/mailto_address.h"
#include "platform/notices.h"
#include "platform/process.h"
#include "platform/text.h"

namespace platform {

namespace {

// Why a target is not handed to the opener, or nothing when it may be. Openers take options
// before their argument (xdg-open --help, a browser's --renderer-cmd-prefix=...): a target
// that starts with "-" would be read as one. A web address starts with its scheme's letter
// and a file target that tzad resolved with an absolute path, so neither is refused.
std::optional<std::string> refusal(std::u16string_view target) {
  if (!target.empty() && target.front() == u'-') return "it would be read as an option";
  if (holdsControlCharacter(target)) return "it holds a control character";
  return std::nullopt;
}

// An opener that ran is named without its folder: the program says more than where it lies.
std::string programName(const std::string& opener) {
  return opener.substr(opener.rfind('/') + 1);
}

std::string exitText(int exitStatus) {
  return exitStatus < 0 ? "it was ended by a signal" : "exit status " + std::to_string(exitStatus);
}

}  // namespace

bool openWithDefaultProgram(std::u16string_view target) {
  if (std::optional<std::string> why = refusal(target)) {
    notify("\"" + toUtf8(displayText(target, kShownLength)) + "\" is not opened: " + *why + ".");
    return false;
  }
  const char* custom = std::getenv("TZAD_OPEN_COMMAND");
  std::string opener = custom && *custom ? custom : "xdg-open";
  // A target is text, and leaves as valid UTF-8: a byte that was not UTF-8 goes as U+FFFD, as
  // it does into the saved drawing.
  std::string shown = toUtf8(displayText(target, kShownLength));
  ProgramResult result = runProgram({opener, toUtf8(encodedMailto(target))});
  if (result.startError != 0)
    notify("No program could open \"" + shown + "\": " + opener + " cannot be run (" +
           std::strerror(result.startError) + ").");
  else if (result.exitStatus != 0)
    notify(programName(opener) + " did not open \"" + shown + "\" (" + exitText(result.exitStatus) +
           ").");
  return result.exitStatus == 0;
}

}  // namespace platform
