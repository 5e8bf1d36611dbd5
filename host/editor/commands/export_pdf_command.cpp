// EXPORTPDF: the current layout or every layout of the drawing as a PDF, one page each, with
// the drawing's hyperlinks as links that a PDF reader follows.
#include <filesystem>

#include "base/host_library.h"
#include "db/drawing_file.h"
#include "editor/commands/command_support.h"
#include "paint/pdf_export.h"
#include "platform/text.h"

namespace tzad {

namespace {

constexpr char16_t kTask[] = u"Exporting PDF";

Editor& ed() {
  return Editor::instance();
}

// Beside the drawing, under its name: plan.dxf gives plan.pdf.
std::u16string defaultPdfPath(const Document& doc) {
  std::filesystem::path path(
      platform::toFileName(doc.isUntitled() ? doc.docTitle() : doc.fileName()));
  return platform::fromFileName(path.replace_extension(".pdf").string());
}

// "plan" becomes "plan.pdf"; a name ending in "/" names a folder, which gets nothing added.
std::u16string withPdfExtension(const std::u16string& path) {
  if (!path.empty() && path.back() == u'/') return path;
  bool bare = std::filesystem::path(platform::toFileName(path)).extension().empty();
  return bare ? path + u".pdf" : path;
}

std::u16string fileNameOf(const std::u16string& path) {
  return path.substr(path.find_last_of(u'/') + 1);
}

// Whether the name leads to the drawing's own file, however: its name, a link to it, the link
// it was opened through.
bool isTheDrawing(const Document& doc, const std::string& file) {
  if (doc.isUntitled()) return false;
  std::error_code error;
  return std::filesystem::equivalent(file, platform::toFileName(doc.fileName()), error);
}

// Another file is replaced only when the user says so; a folder and the drawing itself never.
bool mayWrite(const Document& doc, const std::u16string& path) {
  std::string file = platform::toFileName(path);
  if (path == doc.fileName() || isTheDrawing(doc, file)) {
    ed().write(path + u" is the drawing itself; nothing was exported.\n");
    return false;
  }
  if (!identifyFile(file)) return true;
  if (isNotAFile(replacedFile(file))) {
    ed().write(path + u" is a folder; nothing was exported.\n");
    return false;
  }
  auto answer =
      askKeyword(path + u" already exists. Replace it? [Yes/No] <No>: ", u"Yes No _Yes No", u"No");
  if (answer && *answer == u"Yes") return true;
  ed().write(u"Nothing was exported.\n");
  return false;
}

void reportExport(const PdfExportResult& result, const std::u16string& path) {
  if (!result.error.empty()) {
    ed().write("The PDF was not written: " + result.error + "\n");
    ed().reportSaveFailure();
    return;
  }
  ed().write(u"Exported " + tzutFromUtf8(std::to_string(result.pages)) + u" page(s) with " +
             tzutFromUtf8(std::to_string(result.links)) + u" hyperlink(s) to " + path + u"\n");
  if (result.linksLeftOut > 0)
    ed().write(std::to_string(result.linksLeftOut) +
               " hyperlink(s) to layouts that are not in the PDF were left out.\n");
  for (const std::u16string& layout : result.layoutsCutShort)
    ed().write(u"Not all of " + layout +
               u" is on its page: its block references hold more than a page is drawn with.\n");
  if (result.linksPastLimit > 0)
    ed().write(std::to_string(result.linksPastLimit) + " hyperlink(s) past the first " +
               std::to_string(kMostLinksPerPage) +
               " on a page were left out: PDF readers refuse pages with more.\n");
}

void exportPdfCommand() {
  Document* doc = requireDocument();
  if (doc == nullptr) return;
  std::u16string suggestion = defaultPdfPath(*doc);
  auto name = askText(u"Enter PDF file name <" + fileNameOf(suggestion) + u">: ");
  if (!name) return;
  std::u16string path = unquoted(std::u16string(platform::trimmed(*name)));
  path = DocumentManager::absolutePath(path.empty() ? suggestion : withPdfExtension(path));
  if (!mayWrite(*doc, path)) return;
  auto which = askKeyword(u"Export [Current layout/All layouts] <Current>: ",
                          u"Current All _Current All", u"Current");
  if (!which) return;
  auto colors = askKeyword(u"Colors [Color/Monochrome] <Color>: ",
                           u"Color Monochrome _Color Monochrome", u"Color");
  if (!colors) return;
  std::string error;
  auto exporter =
      static_cast<const PdfExporter*>(hostLibrarySymbol(kPaintLibrary, kPdfExporterSymbol, error));
  if (exporter == nullptr) {
    ed().write("PDF export is not available: " + error + "\n");
    return;
  }
  PdfExportOptions options;
  options.allLayouts = *which == u"All";
  options.monochrome = *colors == u"Monochrome";
  options.progress = [](double done) { ed().showProgress(kTask, done); };
  PdfExportResult result = (*exporter)(*doc->database(), path, options);
  ed().showProgress(kTask, 1);
  reportExport(result, path);
}

}  // namespace

void registerExportPdfCommand(Editor& editor) {
  editor.addCommand(u"EXPORTPDF", exportPdfCommand,
                    u"Writes the current layout or all layouts to a PDF with live hyperlinks.");
}

}  // namespace tzad
