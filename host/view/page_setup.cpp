#include "view/page_setup.h"

#include <cmath>

#include "db/database_impl.h"
#include "db/internals.h"
#include "dxf/dxf_codes.h"
#include "view/record_groups.h"

namespace tzad {

namespace {

// The plot paper units that are inches (else millimetres).
constexpr int kInches = 0;
// Past this a page is more than PDF readers are bound to show (200 inches).
constexpr double kLargestPaper = 5080;

bool usablePaper(double width, double height) {
  return width > 0 && height > 0 && width <= kLargestPaper && height <= kLargestPaper;
}

// A standard scale of type 0 is "scaled to fit"; a scale that is no number fits too.
double paperUnitsPerDrawingUnit(const RecordGroups& g) {
  if (g.integer(DxfCode::kPlotLayoutFlags) & kUseStandardScale) {
    if (g.integer(DxfCode::kStandardScaleType, 16) == 0) return 0;
    double factor = g.real(DxfCode::kStandardScaleFactor, 1);
    return std::isfinite(factor) && factor > 0 ? factor : 0;
  }
  double numerator = g.real(DxfCode::kPrintScaleNumerator, 1);
  double denominator = g.real(DxfCode::kPrintScaleDenominator, 1);
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
  paper.width = g.real(DxfCode::kPaperSizeWidth);
  paper.height = g.real(DxfCode::kPaperSizeHeight);
  if (!usablePaper(paper.width, paper.height)) return std::nullopt;
  paper.left = nonNegative(g.real(DxfCode::kMarginLeft));
  paper.bottom = nonNegative(g.real(DxfCode::kMarginBottom));
  paper.right = nonNegative(g.real(DxfCode::kMarginRight));
  paper.top = nonNegative(g.real(DxfCode::kMarginTop));
  if (paper.left + paper.right >= paper.width || paper.bottom + paper.top >= paper.height)
    paper.left = paper.bottom = paper.right = paper.top = 0;
  paper.originX = g.real(DxfCode::kPlotOriginX);
  paper.originY = g.real(DxfCode::kPlotOriginY);
  if (!std::isfinite(paper.originX) || !std::isfinite(paper.originY))
    paper.originX = paper.originY = 0;
  double millimetresPerPaperUnit = g.integer(DxfCode::kPlotPaperUnits, 1) == kInches ? 25.4 : 1;
  paper.millimetresPerUnit = paperUnitsPerDrawingUnit(g) * millimetresPerPaperUnit;
  return paper;
}

}  // namespace tzad
