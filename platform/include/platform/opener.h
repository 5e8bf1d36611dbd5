// Opening a document, web page or mail address with the user's default program:
// `xdg-open TARGET`, or the program TZAD_OPEN_COMMAND names. The target is one argument.
#pragma once

#include <string_view>

namespace platform {

// True when the opener ran and reported success (exit status 0). The target goes as valid
// UTF-8. A target that starts with "-" (the opener would take it for an option) or holds a
// control character (a NUL would cut it short) is never handed over: false, after a notice
// that says why. An opener that cannot be run, or does not open the target, is named in a
// notice too.
bool openWithDefaultProgram(std::u16string_view target);

}  // namespace platform
