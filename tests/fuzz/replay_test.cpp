// The fuzz targets' seeds and every input that once failed, checked as the fuzzers check them,
// in every build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "harness.h"

namespace {

struct Target {
  const char* name;
  std::string (*check)(std::string_view);
};
std::ostream& operator<<(std::ostream& out, const Target& t) {
  return out << t.name;
}

class Replay : public ::testing::TestWithParam<Target> {};

TEST_P(Replay, SeedsAndFormerFailuresPass) {
  namespace fs = std::filesystem;
  int replayed = 0;
  for (const char* kind : {"seeds", "regressions"}) {
    fs::path folder = fs::path(TZT_FUZZ_DIR) / kind / GetParam().name;
    if (!fs::is_directory(folder)) continue;
    for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
      std::ifstream in(file.path(), std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      EXPECT_EQ(GetParam().check(bytes.str()), "") << file.path();
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, Replay,
                         ::testing::Values(Target{"fuzz_dxf_reader", tzfuzz::checkDrawing},
                                           Target{"fuzz_clipboard", tzfuzz::checkClipboard},
                                           Target{"fuzz_link_targets", tzfuzz::checkLinkTargets}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
