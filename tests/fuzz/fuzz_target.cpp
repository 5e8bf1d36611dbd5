// libFuzzer entry of the check TZFUZZ_CHECK names: a failed check ends the run like a crash,
// with the reason on stderr.
#include <cstdio>
#include <cstdlib>

#include "harness.h"

#define TZFUZZ_TEXT(name) #name
#define TZFUZZ_NAME(name) TZFUZZ_TEXT(name)

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string failure = tzfuzz::TZFUZZ_CHECK({reinterpret_cast<const char*>(data), size});
  if (failure.empty()) return 0;
  std::fprintf(stderr, "%s: %s\n", TZFUZZ_NAME(TZFUZZ_CHECK), failure.c_str());
  std::abort();
}
