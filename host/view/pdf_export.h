// Writes layouts of a drawing to a PDF as a plot would print them, one page each, with the
// drawing's hyperlinks as links a PDF reader follows.
#pragma once

#include <functional>
#include <string>

class TzDbDatabase;

namespace tzad {

struct PdfExportOptions {
  bool allLayouts = false;  // every layout, the model first; else the current one
  bool monochrome = false;  // everything black
  // Told how much of the export is done (0 to 1) after each page; may be empty.
  std::function<void(double done)> progress;
};

struct PdfExportResult {
  std::string error;  // why nothing was written; empty when the PDF was
  size_t pages = 0;
  size_t links = 0;
  size_t linksLeftOut = 0;  // jumps to layouts that the PDF does not hold
};

// Writes the PDF to `path` (absolute), replacing a file there only once the whole PDF is
// written.
PdfExportResult exportPdf(TzDbDatabase& db, const std::u16string& path,
                          const PdfExportOptions& options);

}  // namespace tzad
