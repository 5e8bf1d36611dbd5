// The questions the link tools' commands ask on the command line, in the host's language.
#pragma once

#include <string_view>

#include "tz_string.h"

namespace linktools {

// Asks for one of the keywords (a list "Local1 Local2 _Global1 Global2", translated with the
// prompt); `answer` receives the global keyword, or `fallback` when the user presses Enter.
// The host's status: RTNORM, or RTCAN when the user cancelled.
int askKeyword(std::u16string_view prompt, std::u16string_view keywords,
               std::u16string_view fallback, TzString& answer);
// A Yes/No question; `fallback` is the answer Enter gives.
int askYesNo(std::u16string_view prompt, bool fallback, bool& yes);
// Asks for a text; blanks are part of it, and Enter gives an empty text.
int askText(std::u16string_view prompt, TzString& answer);
// Writes a line onto the command line as it is ("%" included).
void printLine(const TzString& text);

}  // namespace linktools
