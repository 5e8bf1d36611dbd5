#include "paint/pdf_export.h"

#include <cairo-pdf.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "db/drawing_access.h"
#include "db/drawing_file.h"
#include "db/file_replacement.h"
#include "paint/paper_painter.h"
#include "paint/pdf_navigation.h"
#include "platform/text.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"
#include "tzdb_symbol_table.h"
#include "view/first_link.h"
#include "view/layout_list.h"
#include "view/layout_page.h"
#include "view/pdf_link_target.h"
#include "view/record_groups.h"
#include "view/scene.h"

namespace tzad {

namespace {

// A link area reaches this far (points) beyond the object, so that a line can be clicked.
constexpr double kLinkMargin = 2;
// What a drawing's lines weigh when it says nothing ($LWDEFAULT), hundredths of a millimetre.
constexpr int kStandardLineWeight = 25;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

cairo_status_t appendTo(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

std::u16string folderOf(const std::u16string& path) {
  return path.substr(0, path.find_last_of(u'/') + 1);
}

// The layouts the PDF shows: all of them, or the current one (the drawing's current space
// when it has no layouts to name).
std::vector<LayoutEntry> layoutsToExport(TzDbDatabase& db, const std::vector<LayoutEntry>& all,
                                         bool allLayouts) {
  if (allLayouts && !all.empty()) return all;
  for (const LayoutEntry& layout : all)
    if (layout.blockRecord == db.currentSpaceId()) return {layout};
  bool model = db.currentSpaceId() == db.modelSpaceId();
  return {LayoutEntry{model ? u"Model" : u"Layout", TzDbObjectId(), db.currentSpaceId(), model}};
}

class PdfWriter {
 public:
  PdfWriter(TzDbDatabase& db, const std::u16string& path, const PdfExportOptions& options)
      : db_(db), options_(options) {
    std::vector<LayoutEntry> all = layoutsInTabOrder(db);
    layouts_ = layoutsToExport(db, all, options.allLayouts);
    drawing_.path = db.fileName();
    drawing_.hyperlinkBase = db.hyperlinkBase();
    drawing_.pdfFolder = folderOf(path);
    for (const LayoutEntry& layout : all) drawing_.layouts.push_back(layout.name);
    if (drawing_.layouts.empty()) drawing_.layouts.push_back(layouts_.front().name);
    drawing_.paperViews = namedViews(db, true);
    int weight = integerOf(headerVariable(db, "$LWDEFAULT").value_or(""), kStandardLineWeight);
    style_.defaultLineWeight = (weight >= 0 ? weight : kStandardLineWeight) / 100.0;
    style_.monochrome = options.monochrome;
  }

  // The whole file, or nothing with the error.
  std::optional<std::string> write(std::string& pdf, PdfExportResult& result) {
    Surface surface(cairo_pdf_surface_create_for_stream(appendTo, &pdf, 1, 1),
                    &cairo_surface_destroy);
    if (!drawing_.path.empty()) {
      std::string title = platform::toUtf8(drawing_.path.substr(folderOf(drawing_.path).size()));
      cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
    }
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "tzad");
    Context cr(cairo_create(surface.get()), &cairo_destroy);
    for (size_t i = 0; i < layouts_.size(); ++i) addPage(surface.get(), cr.get(), i);
    cr.reset();
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
      return std::string("cairo: ") + cairo_status_to_string(cairo_surface_status(surface.get()));
    std::vector<std::u16string> names;
    for (const LayoutEntry& layout : layouts_) names.push_back(layout.name);
    if (std::optional<std::string> error = addNavigation(pdf, names, links_)) return error;
    result.pages = layouts_.size();
    result.links = links_.size();
    result.linksLeftOut = linksLeftOut_;
    result.linksPastLimit = linksPastLimit_;
    result.layoutsCutShort = layoutsCutShort_;
    return std::nullopt;
  }

 private:
  // Each page counts as reading its layout and drawing it, about equal parts; writing the
  // file is the last step.
  void reportProgress(size_t page, double partDone) const {
    if (options_.progress)
      options_.progress((double(page) + partDone) / double(layouts_.size() + 1));
  }

  void addPage(cairo_surface_t* surface, cairo_t* cr, size_t index) {
    reportProgress(index, 0);
    const LayoutEntry& layout = layouts_[index];
    Scene scene = buildScene(db_, layout.blockRecord, SceneUse::Paper);
    if (scene.cutShort()) layoutsCutShort_.push_back(layout.name);
    reportProgress(index, 0.5);
    LayoutPage page = layoutPage(db_, layout, scene.extents());
    cairo_pdf_surface_set_size(surface, page.width, page.height);
    paintOnPaper(cr, scene, page, style_);
    linksOnPage_ = 0;
    for (const SceneEntity& e : scene.entities())
      if (e.linked && !e.id.isNull()) addLink(index, page, e.id, e.box);
    for (const SceneLinkArea& area : scene.viewportLinks()) addLink(index, page, area.id, area.box);
    cairo_show_page(cr);
    reportProgress(index, 1);
  }

  void addLink(size_t pageIndex, const LayoutPage& page, TzDbObjectId id, const ViewBox& box) {
    std::optional<PdfRect> area = areaOnPage(page, box);
    std::optional<ObjectLink> link = area ? objectLink(id) : std::nullopt;
    if (!link) return;
    std::optional<PdfLinkTarget> target = pdfLinkTarget(link->address, link->location, drawing_);
    if (!target) return;
    if (target->uri.empty() && !hasPage(target->layout)) {
      ++linksLeftOut_;
      return;
    }
    if (linksOnPage_ == kMostLinksPerPage) {
      ++linksPastLimit_;
      return;
    }
    ++linksOnPage_;
    links_.push_back({pageIndex, *area, target->uri, target->layout, link->description});
  }

  bool hasPage(const std::u16string& layout) const {
    return std::any_of(layouts_.begin(), layouts_.end(),
                       [&](const LayoutEntry& l) { return l.name == layout; });
  }

  // The box on the page in PDF coordinates (from the lower left), a little larger, cut to the
  // page; nothing when it lies off the page.
  static std::optional<PdfRect> areaOnPage(const LayoutPage& page, const ViewBox& box) {
    ViewPoint a = page.transform.toPage({box.minX, box.minY});
    ViewPoint b = page.transform.toPage({box.maxX, box.maxY});
    PdfRect r{std::max(std::min(a.x, b.x) - kLinkMargin, 0.0),
              std::max(page.height - std::max(a.y, b.y) - kLinkMargin, 0.0),
              std::min(std::max(a.x, b.x) + kLinkMargin, page.width),
              std::min(page.height - std::min(a.y, b.y) + kLinkMargin, page.height)};
    if (!(r.x1 < r.x2 && r.y1 < r.y2)) return std::nullopt;
    return r;
  }

  TzDbDatabase& db_;
  const PdfExportOptions& options_;
  std::vector<LayoutEntry> layouts_;
  LinkingDrawing drawing_;
  PaperStyle style_;
  std::vector<PdfLink> links_;
  size_t linksOnPage_ = 0;
  size_t linksLeftOut_ = 0;
  size_t linksPastLimit_ = 0;
  std::vector<std::u16string> layoutsCutShort_;
};

std::optional<std::string> writeFile(const std::string& file, const std::string& bytes) {
  FileReplacement out(file);
  if (!out.ok()) return out.error();
  for (size_t at = 0; at < bytes.size();) {
    ssize_t n = ::write(out.fd(), bytes.data() + at, bytes.size() - at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::strerror(errno);
    at += size_t(n);
  }
  if (!out.commit({})) return out.error();
  return std::nullopt;
}

}  // namespace

PdfExportResult exportPdf(TzDbDatabase& db, const std::u16string& path,
                          const PdfExportOptions& options) {
  PdfExportResult result;
  std::string file = replacedFile(platform::toFileName(path));
  if (isNotAFile(file)) {
    result.error = platform::toUtf8(path) + " is a folder or another non-file";
    return result;
  }
  std::string pdf;
  PdfExportResult written;
  if (std::optional<std::string> error = PdfWriter(db, path, options).write(pdf, written)) {
    result.error = *error;
    return result;
  }
  if (std::optional<std::string> error = writeFile(file, pdf)) {
    result.error = platform::toUtf8(path) + ": " + *error;
    return result;
  }
  if (options.progress) options.progress(1);
  return written;
}

}  // namespace tzad

// Its name is kPdfExporterSymbol.
extern "C" __attribute__((visibility("default"))) const tzad::PdfExporter tzpaintPdfExporter =
    &tzad::exportPdf;
