// Opening a document, web page or mail address with the user's default program:
// `xdg-open TARGET`, or the program TZAD_OPEN_COMMAND names. The target is one argument.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

// True when the opener ran and reported success (exit status 0). The target goes as valid
// UTF-8. A target that starts with "-" (the opener would take it for an option) or holds a
// control character (a NUL would cut it short) is never handed over: false, after a notice
// that says why. An opener that cannot be run, or does not open the target, is named in a
// notice too.
// An opener that is still running a moment after it was started is showing the target (a
// viewer that stays open): that is success, and tzad goes on; its exit is looked at later by
// checkRunningOpeners, which names one that ended with a failure.
bool openWithDefaultProgram(std::u16string_view target);
void checkRunningOpeners();
// Called over and over while tzad waits for an opener to start: the window keeps answering.
void setOpenerWaitHook(std::function<void()> whileWaiting);

}  // namespace platform
