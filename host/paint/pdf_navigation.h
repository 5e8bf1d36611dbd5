// What a reader follows in a PDF that cairo has drawn: links, named destinations and bookmarks,
// added as an incremental update after cairo's own bytes. Cairo (1.16) writes each of its link
// annotations whole, with a structure element beside it; a drawing with tens of thousands of
// hyperlinks needs them packed into compressed object streams instead.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tzad {

// A rectangle of a page in PDF coordinates: points from the page's lower left corner.
struct PdfRect {
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;
};

struct PdfLink {
  size_t page = 0;  // from 0
  PdfRect area;
  std::string uri;             // a URI (ASCII), or
  std::u16string destination;  // the name of the page the link jumps to
  std::u16string description;  // shown by readers that show a link's contents
};

// Appends to `pdf`, a whole file as cairo writes it, an update that names each page (a named
// destination showing the whole page, and a bookmark) and adds the links. An error text when
// the file is not one this can read.
std::optional<std::string> addNavigation(std::string& pdf,
                                         const std::vector<std::u16string>& pageNames,
                                         const std::vector<PdfLink>& links);

}  // namespace tzad
