#include "platform/opener.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/display_text.h"
#include "platform/mailto_address.h"
#include "platform/notices.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/translation.h"

namespace platform {

namespace {

// Why a target is not handed to the opener, or nothing when it may be. Openers take options
// before their argument (xdg-open --help, a browser's --renderer-cmd-prefix=...): a target
// that starts with "-" would be read as one. A web address starts with its scheme's letter
// and a file target that tzad resolved with an absolute path, so neither is refused.
std::optional<std::string> refusal(std::u16string_view target) {
  if (!target.empty() && target.front() == u'-') return tr("it would be read as an option");
  if (holdsControlCharacter(target)) return tr("it holds a control character");
  return std::nullopt;
}

// An opener that ran is named without its folder: the program says more than where it lies.
std::string programName(const std::string& opener) {
  return opener.substr(opener.rfind('/') + 1);
}

std::string exitText(int exitStatus) {
  return exitStatus < 0 ? tr("it was ended by a signal")
                        : trf("exit status {0}", {std::to_string(exitStatus)});
}

// How long an opener may take to hand the target on before it counts as showing it itself.
constexpr int kOpenerStartMs = 1500;

struct RunningOpener {
  int pid;
  std::string program;
  std::string shown;
};

std::vector<RunningOpener>& runningOpeners() {
  static std::vector<RunningOpener> running;
  return running;
}

std::function<void()>& openerWaitHook() {
  static std::function<void()> hook;
  return hook;
}

void reportExit(const std::string& program, const std::string& shown, int exitStatus) {
  if (exitStatus != 0)
    notify(trf("{0} did not open \"{1}\" ({2}).",
               {programName(program), shown, exitText(exitStatus)}));
}

}  // namespace

void setOpenerWaitHook(std::function<void()> whileWaiting) {
  openerWaitHook() = std::move(whileWaiting);
}

void checkRunningOpeners() {
  std::erase_if(runningOpeners(), [](const RunningOpener& opener) {
    std::optional<int> status = exitStatusWithin(opener.pid, 0, {});
    if (status) reportExit(opener.program, opener.shown, *status);
    return status.has_value();
  });
}

bool openWithDefaultProgram(std::u16string_view target) {
  if (std::optional<std::string> why = refusal(target)) {
    notify(trf("\"{0}\" is not opened: {1}.", {toUtf8(displayText(target, kShownLength)), *why}));
    return false;
  }
  const char* custom = std::getenv("TZAD_OPEN_COMMAND");
  std::string opener = custom && *custom ? custom : "xdg-open";
  // A target is text, and leaves as valid UTF-8: a byte that was not UTF-8 goes as U+FFFD, as
  // it does into the saved drawing.
  std::string shown = toUtf8(displayText(target, kShownLength));
  StartedProgram started = startProgram({opener, toUtf8(encodedMailto(target))});
  if (started.startError != 0) {
    notify(trf("No program could open \"{0}\": {1} cannot be run ({2}).",
               {shown, opener, std::strerror(started.startError)}));
    return false;
  }
  std::optional<int> status = exitStatusWithin(started.pid, kOpenerStartMs, openerWaitHook());
  if (!status) {
    runningOpeners().push_back({started.pid, opener, shown});
    return true;
  }
  reportExit(opener, shown, *status);
  return *status == 0;
}

}  // namespace platform
