// The host's own libraries that bring a desktop's worth of others with them — painting (cairo,
// pango) and the windows (wxWidgets, GTK, WebKitGTK) — are opened when first needed, so that a
// script that never paints or shows a window never loads them.
#pragma once

#include <string>

namespace tzad {

// The painting library and its PDF exporter (a PdfExporter, paint/pdf_export.h).
inline constexpr char kPaintLibrary[] = "libtzpaint.so";
inline constexpr char kPdfExporterSymbol[] = "tzpaintPdfExporter";

// The window library: bool tzuiHasDisplay() starts the toolkit on first call; bool
// tzuiOpenMainWindow(const char* version) and void tzuiCloseMainWindow().
inline constexpr char kWindowLibrary[] = "libtzui.so";
inline constexpr char kHasDisplaySymbol[] = "tzuiHasDisplay";
inline constexpr char kOpenMainWindowSymbol[] = "tzuiOpenMainWindow";
inline constexpr char kCloseMainWindowSymbol[] = "tzuiCloseMainWindow";

// The address of `symbol` in the host library `library` (a file name beside libtzad), opening
// the library on first use. Null, with the reason in `error`, when either cannot be found.
// An opened library stays for the life of the process: the toolkit starts threads that must
// not lose their code.
void* hostLibrarySymbol(const char* library, const char* symbol, std::string& error);

}  // namespace tzad
