// Where a hyperlink of a drawing leads from a PDF of it: an address becomes a URI (web and
// mail addresses as they are, documents and other drawings as file links), a named location in
// the drawing itself a jump to the page of its layout.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tzad {

// The drawing a PDF is made of, as its hyperlinks see it.
struct LinkingDrawing {
  std::u16string path;                     // absolute; empty for a drawing never saved
  std::u16string hyperlinkBase;            // HYPERLINKBASE
  std::u16string pdfFolder;                // the absolute folder the PDF is written to
  std::vector<std::u16string> layouts;     // every layout, the model first
  std::vector<std::u16string> paperViews;  // the named views of paper space
};

struct PdfLinkTarget {
  std::string uri;        // ASCII, percent-encoded; empty for a jump
  std::u16string layout;  // the layout whose page a jump goes to
};

// Nothing for a hyperlink that leads nowhere (no address, and no location of this drawing).
std::optional<PdfLinkTarget> pdfLinkTarget(const std::u16string& address,
                                           const std::u16string& location,
                                           const LinkingDrawing& drawing);

}  // namespace tzad
