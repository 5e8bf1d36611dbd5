#include "platform/opener.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/display_text.h"
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
  return runProgram({opener, toUtf8(target)}).exitStatus == 0;
}

}  // namespace platform
