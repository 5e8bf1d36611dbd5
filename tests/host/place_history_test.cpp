// The history behind Back and Forward: what following a link, stepping, the size limit and
// drawings closed for good do to the two lists.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "docs/place_history.h"

using tzad::Direction;
using tzad::Place;
using tzad::PlaceHistory;

namespace {

// A place named by one letter: its drawing (serial) and its view's centre tell it apart.
Place at(char name, std::u16string path = u"/d/x.dxf", std::u16string layout = u"Model") {
  Place p;
  p.drawing = static_cast<uint64_t>(name);
  p.path = std::move(path);
  p.layout = std::move(layout);
  p.viewCenter = {double(name), 0, 0};
  p.viewSize = 10;
  return p;
}

std::string names(const PlaceHistory& history, Direction direction) {
  PlaceHistory copy = history;
  std::string out;
  while (const Place* p = copy.next(direction)) {
    out.insert(out.begin(), static_cast<char>(p->drawing));
    copy.forget(direction);
  }
  return out;
}

// Operations written as a line: "r a" records a, "b x" steps back from x, "f x" forward from
// x, "B"/"F" forget the next place of Back/Forward.
void apply(PlaceHistory& history, const std::vector<std::string>& steps) {
  for (const std::string& s : steps) {
    if (s[0] == 'r') history.record(at(s[2]));
    if (s[0] == 'b') history.stepped(Direction::Back, at(s[2]));
    if (s[0] == 'f') history.stepped(Direction::Forward, at(s[2]));
    if (s[0] == 'B') history.forget(Direction::Back);
    if (s[0] == 'F') history.forget(Direction::Forward);
  }
}

struct Case {
  const char* name;
  size_t limit;
  std::vector<std::string> steps;
  std::string back, forward;  // oldest first; each list's last is its next step
};

class PlaceHistoryTest : public testing::TestWithParam<Case> {};

TEST_P(PlaceHistoryTest, ListsAfterTheSteps) {
  const Case& c = GetParam();
  PlaceHistory history(c.limit);
  apply(history, c.steps);
  EXPECT_EQ(names(history, Direction::Back), c.back);
  EXPECT_EQ(names(history, Direction::Forward), c.forward);
}

const Case kCases[] = {
    {"RecordsInOrder", 10, {"r a", "r b"}, "ab", ""},
    {"BackMovesThePlaceLeftToForward", 10, {"r a", "r b", "b c"}, "a", "c"},
    {"ForwardMovesItBack", 10, {"r a", "r b", "b c", "f b"}, "ab", ""},
    {"FollowingALinkDropsForward", 10, {"r a", "r b", "b c", "b b", "r x"}, "x", ""},
    {"StepWithNothingToStepToChangesNothing", 10, {"b a", "f a"}, "", ""},
    {"SamePlaceTwiceIsOneEntry", 10, {"r a", "r a"}, "a", ""},
    {"OldestGoBeyondTheLimit", 3, {"r a", "r b", "r c", "r d", "r e"}, "cde", ""},
    {"BackTwiceThenForward", 10, {"r a", "r b", "b c", "b b", "f a"}, "a", "c"},
    {"LimitOfNoneKeepsOne", 0, {"r a", "r b"}, "b", ""},
    {"ForgottenPlaceIsGone", 10, {"r a", "r b", "B"}, "a", ""},
    {"ForgetOnEmptyIsHarmless", 10, {"F", "B", "r a"}, "a", ""},
};
INSTANTIATE_TEST_SUITE_P(Steps, PlaceHistoryTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// A drawing closed for good (never saved: nothing to open again) takes its places with it;
// places of a saved one stay, to open it again; neighbours left equal become one.
TEST(PlaceHistoryReachableTest, ClosedUnsavedDrawingsLeaveAndNeighboursMerge) {
  PlaceHistory history;
  history.record(at('a'));
  history.record(at('u', u""));
  history.record(at('a'));
  history.record(at('s', u"/d/saved.dxf"));
  history.record(at('v', u""));
  history.stepped(Direction::Back, at('w', u""));
  std::set<uint64_t> open = {'a', 'w'};
  history.keepReachable(
      [&](const Place& p) { return !p.path.empty() || open.count(p.drawing) != 0; });
  EXPECT_EQ(names(history, Direction::Back), "as");
  EXPECT_EQ(names(history, Direction::Forward), "w");
  open.erase('w');
  history.keepReachable(
      [&](const Place& p) { return !p.path.empty() || open.count(p.drawing) != 0; });
  EXPECT_EQ(names(history, Direction::Forward), "");
}

// Places differ by drawing, layout or view; a view that differs by rounding alone is the same.
TEST(PlaceHistorySameTest, DrawingLayoutAndViewTellPlacesApart) {
  Place a = at('a');
  Place rounded = a;
  rounded.viewCenter.x += 1e-12;
  EXPECT_TRUE(tzad::samePlace(a, rounded));
  Place otherLayout = at('a', u"/d/x.dxf", u"Details");
  EXPECT_FALSE(tzad::samePlace(a, otherLayout));
  Place zoomed = a;
  zoomed.viewSize = 20;
  EXPECT_FALSE(tzad::samePlace(a, zoomed));
  Place panned = a;
  panned.viewCenter.y = 1;
  EXPECT_FALSE(tzad::samePlace(a, panned));
  EXPECT_FALSE(tzad::samePlace(a, at('b')));
}

}  // namespace
