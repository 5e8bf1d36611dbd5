// Where the user was before following links, and where they came back from: the Back and
// Forward of a web browser, over places in drawings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tzge_point3d.h"

namespace tzad {

// A place the user looked at: a drawing, one of its layouts, and the view shown there.
struct Place {
  uint64_t drawing = 0;  // the document's serial: the drawing while it stays open
  std::u16string path;   // its file, to open it again once it is closed; empty: never saved
  std::u16string layout;
  TzGePoint3d viewCenter;
  double viewSize = 0.0;
};

// Whether two places show the same: the same drawing and layout, and a view that differs by
// less than rounding does.
bool samePlace(const Place& a, const Place& b);

enum class Direction { Back, Forward };

class PlaceHistory {
 public:
  explicit PlaceHistory(size_t limit = kDefaultLimit) : limit_(limit == 0 ? 1 : limit) {}

  // A followed link took the user away from `from`: Back returns there, and what Forward
  // offered is gone, as after following a link in a browser.
  void record(const Place& from);
  // The place a step would go to; null when there is none.
  const Place* next(Direction direction) const;
  // The step was taken from `left` (none when no drawing was open): its place leaves the list,
  // and `left` goes to the other one, as a browser's Back makes the page left Forward's.
  void stepped(Direction direction, const std::optional<Place>& left);
  // The step's place cannot be reached (its file is gone): it is dropped.
  void forget(Direction direction);
  // Drops the places that can no longer be reached (a closed drawing that was never saved),
  // then places left next to an equal one.
  void keepReachable(const std::function<bool(const Place&)>& reachable);
  void clear();

  size_t size(Direction direction) const { return list(direction).size(); }
  static constexpr size_t kDefaultLimit = 100;

 private:
  std::vector<Place>& list(Direction direction) {
    return direction == Direction::Back ? back_ : forward_;
  }
  const std::vector<Place>& list(Direction direction) const {
    return direction == Direction::Back ? back_ : forward_;
  }
  void push(std::vector<Place>& places, const Place& place);

  size_t limit_;
  // Each list's last place is the one its next step goes to.
  std::vector<Place> back_;
  std::vector<Place> forward_;
};

}  // namespace tzad
