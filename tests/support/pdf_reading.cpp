#include "pdf_reading.h"

#include <poppler.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace tzt {

namespace {

template <typename T>
using GObject = std::unique_ptr<T, decltype(&g_object_unref)>;

bool isInk(uint32_t rgb) {
  int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
  return std::min({r, g, b}) < 224;
}

// For each pixel, whether ink lies within `tolerance` of it.
std::vector<uint8_t> inkNear(const Image& image, int tolerance) {
  int w = image.width(), h = image.height();
  std::vector<uint8_t> ink(size_t(w) * size_t(h)), near(ink.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ink[size_t(y) * size_t(w) + size_t(x)] = isInk(image.pixel(x, y));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!ink[size_t(y) * size_t(w) + size_t(x)]) continue;
      for (int dy = -tolerance; dy <= tolerance; ++dy)
        for (int dx = -tolerance; dx <= tolerance; ++dx) {
          int nx = x + dx, ny = y + dy;
          if (nx >= 0 && ny >= 0 && nx < w && ny < h) near[size_t(ny) * size_t(w) + size_t(nx)] = 1;
        }
    }
  return near;
}

// The link annotations' contents, by their rectangles.
std::vector<std::pair<PopplerRectangle, std::string>> linkContents(PopplerPage* page) {
  std::vector<std::pair<PopplerRectangle, std::string>> found;
  GList* annotations = poppler_page_get_annot_mapping(page);
  for (GList* item = annotations; item; item = item->next) {
    auto* m = static_cast<PopplerAnnotMapping*>(item->data);
    if (poppler_annot_get_annot_type(m->annot) != POPPLER_ANNOT_LINK) continue;
    gchar* text = poppler_annot_get_contents(m->annot);
    found.emplace_back(m->area, text ? text : "");
    g_free(text);
  }
  poppler_page_free_annot_mapping(annotations);
  return found;
}

bool sameArea(const PopplerRectangle& a, const PopplerRectangle& b) {
  return std::abs(a.x1 - b.x1) < 0.01 && std::abs(a.y1 - b.y1) < 0.01 &&
         std::abs(a.x2 - b.x2) < 0.01 && std::abs(a.y2 - b.y2) < 0.01;
}

int targetPageOf(PopplerDocument* doc, const PopplerDest* dest) {
  if (dest->type != POPPLER_DEST_NAMED) return dest->page_num;
  PopplerDest* found = poppler_document_find_dest(doc, dest->named_dest);
  if (!found) return -1;
  int page = found->page_num;
  poppler_dest_free(found);
  return page;
}

void readLinks(PopplerDocument* doc, PopplerPage* page, int number, SeenPdf& seen) {
  std::vector<std::pair<PopplerRectangle, std::string>> contents = linkContents(page);
  GList* mapping = poppler_page_get_link_mapping(page);
  for (GList* item = mapping; item; item = item->next) {
    auto* m = static_cast<PopplerLinkMapping*>(item->data);
    SeenLink link{number, m->area.x1, m->area.y1, m->area.x2, m->area.y2, {}, 0, {}};
    if (m->action->type == POPPLER_ACTION_URI) link.uri = m->action->uri.uri;
    if (m->action->type == POPPLER_ACTION_GOTO_DEST)
      link.targetPage = targetPageOf(doc, m->action->goto_dest.dest);
    for (const auto& [area, text] : contents)
      if (sameArea(area, m->area)) link.contents = text;
    seen.links.push_back(link);
  }
  poppler_page_free_link_mapping(mapping);
}

}  // namespace

std::string commandOutput(const std::string& command) {
  std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
  if (!pipe) return {};
  std::string out;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get()))
    out.append(buffer.data(), n);
  return out;
}

std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::optional<SeenPdf> readPdf(const std::string& path) {
  std::string uri = "file://" + std::filesystem::absolute(path).string();
  GError* error = nullptr;
  GObject<PopplerDocument> doc(poppler_document_new_from_file(uri.c_str(), nullptr, &error),
                               &g_object_unref);
  if (!doc) {
    g_clear_error(&error);
    return std::nullopt;
  }
  SeenPdf seen;
  seen.pages = poppler_document_get_n_pages(doc.get());
  for (int i = 0; i < seen.pages; ++i) {
    GObject<PopplerPage> page(poppler_document_get_page(doc.get(), i), &g_object_unref);
    if (page) readLinks(doc.get(), page.get(), i + 1, seen);
  }
  std::unique_ptr<PopplerIndexIter, decltype(&poppler_index_iter_free)> index(
      poppler_index_iter_new(doc.get()), &poppler_index_iter_free);
  for (bool more = bool(index); more; more = poppler_index_iter_next(index.get())) {
    PopplerAction* action = poppler_index_iter_get_action(index.get());
    seen.bookmarks.push_back(action->any.title ? action->any.title : "");
    int page = 0;
    if (action->type == POPPLER_ACTION_GOTO_DEST) page = action->goto_dest.dest->page_num;
    seen.bookmarkPages.push_back(page);
    poppler_action_free(action);
  }
  return seen;
}

Image::Image(cairo_surface_t* surface) : surface_(surface, &cairo_surface_destroy) {}

Image::Image(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height),
               &cairo_surface_destroy) {}

bool Image::ok() const {
  return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS && width() > 0;
}

int Image::width() const {
  return cairo_image_surface_get_width(surface_.get());
}

int Image::height() const {
  return cairo_image_surface_get_height(surface_.get());
}

uint32_t Image::pixel(int x, int y) const {
  cairo_surface_flush(surface_.get());
  const unsigned char* row = cairo_image_surface_get_data(surface_.get()) +
                             size_t(y) * size_t(cairo_image_surface_get_stride(surface_.get()));
  return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

Image renderedPage(const std::string& pdf, int page, int width, int height) {
  std::string prefix = pdf + ".page";
  std::string number = std::to_string(page);
  commandOutput("pdftoppm -png -singlefile -f " + number + " -l " + number + " -scale-to-x " +
                std::to_string(width) + " -scale-to-y " + std::to_string(height) + " " +
                shellQuoted(pdf) + " " + shellQuoted(prefix));
  return Image(cairo_image_surface_create_from_png((prefix + ".png").c_str()));
}

InkMatch compareInk(const Image& a, const Image& b, int tolerance) {
  InkMatch match;
  if (a.width() != b.width() || a.height() != b.height()) return match;
  std::vector<uint8_t> nearA = inkNear(a, tolerance), nearB = inkNear(b, tolerance);
  size_t aHits = 0, bHits = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      size_t i = size_t(y) * size_t(a.width()) + size_t(x);
      if (isInk(a.pixel(x, y))) {
        ++match.inkA;
        aHits += nearB[i];
      }
      if (isInk(b.pixel(x, y))) {
        ++match.inkB;
        bHits += nearA[i];
      }
    }
  match.aNearB = match.inkA ? double(aHits) / double(match.inkA) : 1;
  match.bNearA = match.inkB ? double(bHits) / double(match.inkB) : 1;
  return match;
}

bool isColouredInk(uint32_t rgb) {
  int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
  return isInk(rgb) && std::max({r, g, b}) - std::min({r, g, b}) > 60;
}

}  // namespace tzt
