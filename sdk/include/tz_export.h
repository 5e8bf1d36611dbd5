// libtzad is built with hidden visibility: what the SDK headers declare between TZAD_SDK_BEGIN
// and TZAD_SDK_END is what the library exports to modules, and nothing of the host's own code.
#pragma once

#define TZAD_SDK_BEGIN _Pragma("GCC visibility push(default)")
#define TZAD_SDK_END _Pragma("GCC visibility pop")

// A member of an SDK class that libtzad keeps to itself: declared so that the host's own code can
// call it, never exported, so a module that calls it does not link.
#define TZAD_HOST_ONLY __attribute__((visibility("hidden")))
