// libtzad is built with hidden visibility: what the SDK headers declare between TZAD_SDK_BEGIN
// and TZAD_SDK_END is what the library exports to modules, and nothing of the host's own code.
#pragma once

#define TZAD_SDK_BEGIN _Pragma("GCC visibility push(default)")
#define TZAD_SDK_END _Pragma("GCC visibility pop")
