// Dashes laid along runs: where each dash starts and ends, dots, corners, closed runs, and the
// patterns too fine or broken to lay.
#include <gtest/gtest.h>

#include "view/line_pattern.h"

namespace tzad {
namespace {

using Points = std::vector<ViewPoint>;

std::string text(const std::vector<Points>& pieces) {
  std::string out;
  for (const Points& piece : pieces) {
    out += "[";
    for (ViewPoint p : piece)
      out += std::to_string(int(p.x)) + "," + std::to_string(int(p.y)) + " ";
    out += "]";
  }
  return out;
}

TEST(LinePattern, DashesFollowTheRunFromItsStart) {
  struct Case {
    const char* what;
    Points run;
    bool closed;
    LinePattern pattern;
    double scale;
    const char* pieces;
  } cases[] = {
      {"dash and gap",
       {{0, 0}, {10, 0}},
       false,
       {{2, -1}, 3},
       1,
       "[0,0 2,0 ][3,0 5,0 ][6,0 8,0 ][9,0 10,0 ]"},
      {"scaled", {{0, 0}, {10, 0}}, false, {{2, -1}, 3}, 2, "[0,0 4,0 ][6,0 10,0 ]"},
      {"dots stay points", {{0, 0}, {5, 0}}, false, {{0, -1}, 1}, 2, "[0,0 ][2,0 ][4,0 ]"},
      {"a dash turns a corner", {{0, 0}, {2, 0}, {2, 2}}, false, {{3, -2}, 5}, 1, "[0,0 2,0 2,1 ]"},
      {"a closed run's last side",
       {{0, 0}, {4, 0}, {4, 4}, {0, 4}},
       true,
       {{6, -2}, 8},
       1,
       "[0,0 4,0 4,2 ][4,4 0,4 0,2 ]"},
  };
  for (const Case& c : cases) {
    auto pieces = dashRun(c.run, c.closed, c.pattern, c.scale);
    ASSERT_TRUE(pieces) << c.what;
    EXPECT_EQ(text(*pieces), c.pieces) << c.what;
  }
}

TEST(LinePattern, TooFineOrBrokenPatternsLeaveTheLineSolid) {
  Points line{{0, 0}, {10000, 0}};
  EXPECT_FALSE(dashRun(line, false, {{1, -1}, 2}, 1));  // 5000 repetitions
  EXPECT_TRUE(dashRun(line, false, {{1, -1}, 2}, 10));
  EXPECT_FALSE(dashRun(line, false, {{1, -1}, 2}, 0));
  EXPECT_FALSE(dashRun(line, false, {{}, 0}, 1));
}

}  // namespace
}  // namespace tzad
