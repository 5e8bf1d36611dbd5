// What poppler reads from a PDF: the output of its tools (pdfinfo, pdftotext), its links,
// destinations and bookmarks through poppler-glib, and its pages as pdftoppm renders them.
#pragma once

#include <cairo.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tzt {

// What a shell command prints; empty when it cannot run.
std::string commandOutput(const std::string& command);
// A path as one word of a shell command.
std::string shellQuoted(const std::string& text);

struct SeenLink {
  int page = 0;                           // from 1
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // PDF coordinates, from the page's lower left
  std::string uri;                        // a URI link's address
  int targetPage = 0;                     // a jump's page, from 1 (0 for a URI)
  std::string contents;                   // the link's description
};

struct SeenPdf {
  int pages = 0;
  std::vector<SeenLink> links;
  std::vector<std::string> bookmarks;  // top-level titles, with the page each opens (1-based)
  std::vector<int> bookmarkPages;
};

// Nothing when poppler cannot read the file.
std::optional<SeenPdf> readPdf(const std::string& path);

// An image in cairo's 32-bit format.
class Image {
 public:
  explicit Image(cairo_surface_t* surface);  // takes it over
  Image(int width, int height);
  bool ok() const;
  int width() const;
  int height() const;
  uint32_t pixel(int x, int y) const;  // 0xRRGGBB
  cairo_surface_t* surface() const { return surface_.get(); }

 private:
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_;
};

// A page (from 1) as pdftoppm renders it at exactly this size.
Image renderedPage(const std::string& pdf, int page, int width, int height);

// Where two renderings of the same page put ink (anything clearly darker or more coloured than
// white): the share of each one's ink pixels that have ink of the other within `tolerance`
// pixels, which allows for antialiasing and for the rounding of positions.
struct InkMatch {
  size_t inkA = 0;
  size_t inkB = 0;
  double aNearB = 0;
  double bNearA = 0;
};
InkMatch compareInk(const Image& a, const Image& b, int tolerance);
// Whether a pixel is ink in colour (not black or grey).
bool isColouredInk(uint32_t rgb);

}  // namespace tzt
