#include "platform/notices.h"

#include <cstdio>
#include <utility>

namespace platform {

namespace {

NoticeSink& sink() {
  static NoticeSink installed;
  return installed;
}

}  // namespace

NoticeSink setNoticeSink(NoticeSink replacement) {
  return std::exchange(sink(), std::move(replacement));
}

void notify(std::string_view line) {
  if (sink()) return sink()(line);
  std::fflush(stdout);  // after the prompts already written, also when both go to one file
  std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

}  // namespace platform
