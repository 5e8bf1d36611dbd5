#include "platform/trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

// Looked up at every call: tests and sessions switch tracing on and off while running.
bool traceEnabled() {
  const char* value = std::getenv("TZAD_TRACE");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

void trace(const char* format, ...) {
  if (!traceEnabled()) return;
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(stderr, format, arguments);
  va_end(arguments);
}

}  // namespace platform
