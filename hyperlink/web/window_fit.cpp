#include "web/window_fit.h"

#include <algorithm>

namespace hyperlink {

namespace {

// The extent and start along one axis.
struct Span {
  int start, length;
};

Span fitSpan(int wanted, int minimum, int areaStart, int areaLength, int margin) {
  const int length = std::max(minimum, std::min(wanted, areaLength - 2 * margin));
  return {std::max(areaStart, areaStart + (areaLength - length) / 2), length};
}

}  // namespace

ScreenRect fitWindowToArea(int wantedWidth, int wantedHeight, int minimumWidth, int minimumHeight,
                           const ScreenRect& area, int margin) {
  const Span across = fitSpan(wantedWidth, minimumWidth, area.x, area.width, margin);
  const Span down = fitSpan(wantedHeight, minimumHeight, area.y, area.height, margin);
  return {across.start, down.start, across.length, down.length};
}

}  // namespace hyperlink
