// tzad's trace output: short diagnostic lines for developers, written to standard error when
// the environment holds TZAD_TRACE=1 and dropped otherwise. Standard output is tzad's command
// line, so traces never go there.
#pragma once

namespace platform {

bool traceEnabled();
// printf-style; the text is UTF-8.
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform
