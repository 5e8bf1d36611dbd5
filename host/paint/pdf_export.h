// Writes layouts of a drawing to a PDF as a plot would print them, one page each, with the
// drawing's hyperlinks as links a PDF reader follows.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TzDbDatabase;

namespace tzad {

struct PdfExportOptions {
  bool allLayouts = false;  // every layout, the model first; else the current one
  bool monochrome = false;  // everything black
  // Told how much of the export is done (0 to 1) as it goes on; may be empty.
  std::function<void(double done)> progress;
};

struct PdfExportResult {
  std::string error;  // why nothing was written; empty when the PDF was
  size_t pages = 0;
  size_t links = 0;
  size_t linksLeftOut = 0;    // jumps to layouts that the PDF does not hold
  size_t linksPastLimit = 0;  // links past the most a page of a PDF may have (kMostLinksPerPage)
  // Layouts whose block references hold more than a scene draws: their pages miss the rest.
  std::vector<std::u16string> layoutsCutShort;
};

// Poppler (and with it most PDF readers on Linux) refuses to show a page with more links.
constexpr size_t kMostLinksPerPage = 10000;

// Writes the PDF to `path` (absolute), replacing a file there only once the whole PDF is
// written.
PdfExportResult exportPdf(TzDbDatabase& db, const std::u16string& path,
                          const PdfExportOptions& options);

// libtzad does not link the painting library: EXPORTPDF finds the exporter in it by name
// (base/host_library.h) when it first runs.
using PdfExporter = PdfExportResult (*)(TzDbDatabase& db, const std::u16string& path,
                                        const PdfExportOptions& options);

}  // namespace tzad
