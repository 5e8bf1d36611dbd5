#include "docs/place_history.h"

#include <algorithm>
#include <cmath>

namespace tzad {

namespace {

// Views are compared relative to their size: a zoom saved and read back differs by rounding.
constexpr double kViewTolerance = 1e-9;

bool near(double a, double b, double scale) {
  return std::abs(a - b) <= kViewTolerance * std::max(1.0, scale);
}

}  // namespace

bool samePlace(const Place& a, const Place& b) {
  double scale = std::max(std::abs(a.viewSize), std::abs(b.viewSize));
  return a.drawing == b.drawing && a.layout == b.layout && near(a.viewSize, b.viewSize, scale) &&
         near(a.viewCenter.x, b.viewCenter.x, scale) && near(a.viewCenter.y, b.viewCenter.y, scale);
}

void PlaceHistory::push(std::vector<Place>& places, const Place& place) {
  if (!places.empty() && samePlace(places.back(), place)) return;
  places.push_back(place);
  if (places.size() > limit_) places.erase(places.begin(), places.end() - limit_);
}

void PlaceHistory::record(const Place& from) {
  push(back_, from);
  forward_.clear();
}

const Place* PlaceHistory::next(Direction direction) const {
  const std::vector<Place>& places = list(direction);
  return places.empty() ? nullptr : &places.back();
}

void PlaceHistory::stepped(Direction direction, const std::optional<Place>& left) {
  std::vector<Place>& from = list(direction);
  if (from.empty()) return;
  from.pop_back();
  if (left) push(list(direction == Direction::Back ? Direction::Forward : Direction::Back), *left);
}

void PlaceHistory::forget(Direction direction) {
  std::vector<Place>& places = list(direction);
  if (!places.empty()) places.pop_back();
}

void PlaceHistory::keepReachable(const std::function<bool(const Place&)>& reachable) {
  for (std::vector<Place>* places : {&back_, &forward_}) {
    std::erase_if(*places, [&](const Place& p) { return !reachable(p); });
    places->erase(std::unique(places->begin(), places->end(), samePlace), places->end());
  }
}

void PlaceHistory::clear() {
  back_.clear();
  forward_.clear();
}

}  // namespace tzad
