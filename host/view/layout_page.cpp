#include "view/layout_page.h"

#include <algorithm>

namespace tzad {

namespace {

constexpr double kA3Long = 420, kA3Short = 297;
// A fitted drawing keeps at least this far from the edge of the paper, millimetres.
constexpr double kFittedMargin = 10;

}  // namespace

LayoutPage paperPage(const PaperSetup& paper, const ViewBox& extents) {
  if (!(paper.millimetresPerUnit > 0)) return fittedPage(paper, extents);
  LayoutPage page;
  page.width = paper.width * kPointsPerMillimetre;
  page.height = paper.height * kPointsPerMillimetre;
  double unit = paper.millimetresPerUnit;
  page.transform.scale = unit * kPointsPerMillimetre;
  page.transform.left = -(paper.left + paper.originX) / unit;
  page.transform.top = (paper.height - paper.bottom - paper.originY) / unit;
  return page;
}

LayoutPage fittedPage(const std::optional<PaperSetup>& paper, const ViewBox& extents) {
  PaperSetup sheet = paper.value_or(PaperSetup{kA3Long, kA3Short, 0, 0, 0, 0, 0, 0, 0});
  LayoutPage page;
  page.width = sheet.width * kPointsPerMillimetre;
  page.height = sheet.height * kPointsPerMillimetre;
  if (extents.empty()) return page;
  double left = std::max(sheet.left, kFittedMargin), right = std::max(sheet.right, kFittedMargin);
  double bottom = std::max(sheet.bottom, kFittedMargin), top = std::max(sheet.top, kFittedMargin);
  double areaWidth = std::max(sheet.width - left - right, 1.0) * kPointsPerMillimetre;
  double areaHeight = std::max(sheet.height - bottom - top, 1.0) * kPointsPerMillimetre;
  // A drawing of no width or no height (one line along an axis, one point) is fitted by what
  // it has; a point is shown at one point per unit.
  double byWidth = extents.width() > 0 ? areaWidth / extents.width() : 0;
  double byHeight = extents.height() > 0 ? areaHeight / extents.height() : 0;
  double scale = byWidth > 0 && byHeight > 0 ? std::min(byWidth, byHeight)
                                             : std::max({byWidth, byHeight, 0.0});
  if (!(scale > 0)) scale = 1;
  // The centre of the extents goes to the centre of the printable area.
  double centreX = (left * kPointsPerMillimetre + areaWidth / 2);
  double centreY = (top * kPointsPerMillimetre + areaHeight / 2);
  page.transform.scale = scale;
  page.transform.left = (extents.minX + extents.maxX) / 2 - centreX / scale;
  page.transform.top = (extents.minY + extents.maxY) / 2 + centreY / scale;
  return page;
}

LayoutPage layoutPage(TzDbDatabase& db, const LayoutEntry& layout, const ViewBox& extents) {
  std::optional<PaperSetup> paper = paperSetupOf(db, layout.layout);
  if (layout.model || !paper) return fittedPage(paper, extents);
  return paperPage(*paper, extents);
}

}  // namespace tzad
