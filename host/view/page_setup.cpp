#include "view/page_setup.h"

#include <cmath>

#include "db/database_impl.h"
#include "db/internals.h"
#include "view/record_groups.h"

namespace tzad {

namespace {

// The plot settings' groups (subclass AcDbPlotSettings, ahead of AcDbLayout's).
constexpr int kPaperWidth = 44, kPaperHeight = 45;
constexpr int kMarginLeft = 40, kMarginBottom = 41, kMarginRight = 42, kMarginTop = 43;
constexpr int kOriginX = 46, kOriginY = 47;
constexpr int kScaleNumerator = 142, kScaleDenominator = 143;  // paper units per drawing units
constexpr int kFlags = 70, kPaperUnits = 72, kStandardScaleType = 75, kStandardScale = 147;
constexpr int kUseStandardScale = 16;
constexpr int kInches = 0;
// Past this a page is more than PDF readers are bound to show (200 inches).
constexpr double kLargestPaper = 5080;

bool usablePaper(double width, double height) {
  return width > 0 && height > 0 && width <= kLargestPaper && height <= kLargestPaper;
}

// A standard scale of type 0 is "scaled to fit"; a scale that is no number fits too.
double paperUnitsPerDrawingUnit(const RecordGroups& g) {
  if (g.integer(kFlags) & kUseStandardScale) {
    if (g.integer(kStandardScaleType, 16) == 0) return 0;
    double factor = g.real(kStandardScale, 1);
    return std::isfinite(factor) && factor > 0 ? factor : 0;
  }
  double numerator = g.real(kScaleNumerator, 1), denominator = g.real(kScaleDenominator, 1);
  double scale = numerator / denominator;
  return std::isfinite(scale) && scale > 0 ? scale : 0;
}

double nonNegative(double value) {
  return std::isfinite(value) && value > 0 ? value : 0;
}

}  // namespace

std::optional<PaperSetup> paperSetupOf(TzDbDatabase& database, TzDbObjectId layout) {
  TzDbDatabaseImpl& db = TzDbInternals::impl(database);
  uint32_t record = db.indexOf(layout);
  if (record == kNoRecord || db.typeName(db.at(record)) != "LAYOUT") return std::nullopt;
  RecordGroups g;
  g.read(db.text.view(db.at(record).body));
  PaperSetup paper;
  paper.width = g.real(kPaperWidth);
  paper.height = g.real(kPaperHeight);
  if (!usablePaper(paper.width, paper.height)) return std::nullopt;
  paper.left = nonNegative(g.real(kMarginLeft));
  paper.bottom = nonNegative(g.real(kMarginBottom));
  paper.right = nonNegative(g.real(kMarginRight));
  paper.top = nonNegative(g.real(kMarginTop));
  if (paper.left + paper.right >= paper.width || paper.bottom + paper.top >= paper.height)
    paper.left = paper.bottom = paper.right = paper.top = 0;
  paper.originX = g.real(kOriginX);
  paper.originY = g.real(kOriginY);
  if (!std::isfinite(paper.originX) || !std::isfinite(paper.originY))
    paper.originX = paper.originY = 0;
  double millimetresPerPaperUnit = g.integer(kPaperUnits, 1) == kInches ? 25.4 : 1;
  paper.millimetresPerUnit = paperUnitsPerDrawingUnit(g) * millimetresPerPaperUnit;
  return paper;
}

}  // namespace tzad
