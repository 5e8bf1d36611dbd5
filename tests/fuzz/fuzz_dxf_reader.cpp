// libFuzzer entry: a failed check ends the run like a crash, with the reason on stderr.
#include <cstdio>
#include <cstdlib>

#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  std::string failure = tzfuzz::checkDrawing({reinterpret_cast<const char*>(data), size});
  if (failure.empty()) return 0;
  std::fprintf(stderr, "checkDrawing: %s\n", failure.c_str());
  std::abort();
}
