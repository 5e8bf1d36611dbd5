// EXPORTPDF: the current layout or every layout of the drawing as a PDF, one page each, with
// the drawing's hyperlinks as links that a PDF reader follows.
#include <filesystem>

#include "base/host_library.h"
#include "base/translation.h"
#include "db/drawing_file.h"
#include "editor/commands/command_support.h"
#include "paint/pdf_export.h"
#include "platform/text.h"

namespace tzad {

namespace {

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
    ed().write(trf("{0} is the drawing itself; nothing was exported.\n", {path}));
    return false;
  }
  if (!identifyFile(file)) return true;
  if (isNotAFile(replacedFile(file))) {
    ed().write(trf("{0} is a folder; nothing was exported.\n", {path}));
    return false;
  }
  auto answer = askKeyword(trf("{0} already exists. Replace it? [Yes/No] <No>: ", {path}),
                           keywordList("Yes No"), u"No");
  if (answer && *answer == u"Yes") return true;
  ed().write(tr("Nothing was exported.\n"));
  return false;
}

void reportExport(const PdfExportResult& result, const std::u16string& path) {
  if (!result.error.empty()) {
    ed().write(trf("The PDF was not written: {0}\n", {result.error}));
    ed().reportSaveFailure();
    return;
  }
  ed().write(trf("Exported {0} page(s) with {1} hyperlink(s) to {2}\n",
                 {result.pages, result.links, path}));
  if (result.linksLeftOut > 0)
    ed().write(trf("{0} hyperlink(s) to layouts that are not in the PDF were left out.\n",
                   {result.linksLeftOut}));
  for (const std::u16string& layout : result.layoutsCutShort)
    ed().write(
        trf("Not all of {0} is on its page: its block references hold more than a page is "
            "drawn with.\n",
            {layout}));
  if (result.linksPastLimit > 0)
    ed().write(
        trf("{0} hyperlink(s) past the first {1} on a page were left out: PDF readers "
            "refuse pages with more.\n",
            {result.linksPastLimit, kMostLinksPerPage}));
}

void exportPdfCommand() {
  Document* doc = requireDocument();
  if (doc == nullptr) return;
  std::u16string suggestion = defaultPdfPath(*doc);
  auto name = askText(trf("Enter PDF file name <{0}>: ", {fileNameOf(suggestion)}));
  if (!name) return;
  std::u16string path = unquoted(std::u16string(platform::trimmed(*name)));
  path = DocumentManager::absolutePath(path.empty() ? suggestion : withPdfExtension(path));
  if (!mayWrite(*doc, path)) return;
  auto which = askKeyword(trf("Export [Current layout/All layouts] <Current>: "),
                          keywordList("Current All"), u"Current");
  if (!which) return;
  auto colors = askKeyword(trf("Colors [Color/Monochrome] <Color>: "),
                           keywordList("Color Monochrome"), u"Color");
  if (!colors) return;
  std::string error;
  auto exporter =
      static_cast<const PdfExporter*>(hostLibrarySymbol(kPaintLibrary, kPdfExporterSymbol, error));
  if (exporter == nullptr) {
    ed().write(tr8("PDF export is not available: {0}\n", {error}));
    return;
  }
  PdfExportOptions options;
  options.allLayouts = *which == u"All";
  options.monochrome = *colors == u"Monochrome";
  const std::u16string task = trf("Exporting PDF");
  options.progress = [&task](double done) { ed().showProgress(task, done); };
  PdfExportResult result = (*exporter)(*doc->database(), path, options);
  ed().showProgress(task, 1);
  reportExport(result, path);
}

}  // namespace

void registerExportPdfCommand(Editor& editor) {
  editor.addCommand(u"EXPORTPDF", exportPdfCommand);
}

}  // namespace tzad
