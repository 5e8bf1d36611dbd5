// Where a drawing's hyperlinks lead from a PDF of it: each kind of address and named location.
#include <gtest/gtest.h>

#include "platform/path_rules.h"
#include "test_support.h"
#include "view/pdf_link_target.h"

namespace tzad {
namespace {

using tzt::u16;

LinkingDrawing plan(const std::string& pdfFolder = "/home/me/plans/",
                    const std::string& base = "") {
  LinkingDrawing d;
  d.path = u"/home/me/plans/site plan.dxf";
  d.hyperlinkBase = u16(base);
  d.pdfFolder = u16(pdfFolder);
  d.layouts = {u"Model", u"Sheet", u"Details"};
  d.paperViews = {u"Title"};
  return d;
}

struct Case {
  const char* address;
  const char* location;
  LinkingDrawing drawing;
  std::optional<std::string> uri;  // nothing: no link at all
  std::string layout = {};         // a jump's layout
};

void expectTargets(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.address) + " # " + c.location);
    std::optional<PdfLinkTarget> target = pdfLinkTarget(u16(c.address), u16(c.location), c.drawing);
    ASSERT_EQ(target.has_value(), c.uri.has_value());
    if (!target) continue;
    EXPECT_EQ(target->uri, *c.uri);
    EXPECT_EQ(tzt::u8(target->layout), c.layout);
  }
}

TEST(PdfLinkTarget, WebAndMailAddressesStayAsTyped) {
  expectTargets({
      {"https://www.openstreetmap.org/", "", plan(), "https://www.openstreetmap.org/"},
      {"  http://example.com/a?b=1&c=%20d  ", "", plan(), "http://example.com/a?b=1&c=%20d"},
      {"mailto:architect@example.com?subject=Door 1", "", plan(),
       "mailto:architect@example.com?subject=Door%201"},
      {"www.example.com/说明", "", plan(), "http://www.example.com/%E8%AF%B4%E6%98%8E"},
      // A named location of a web page is its anchor; a mail address has none.
      {"https://example.com/doors", "D1", plan(), "https://example.com/doors#D1"},
      {"mailto:a@b.c", "D1", plan(), "mailto:a@b.c"},
  });
}

TEST(PdfLinkTarget, RelativeDocumentsStayRelativeBesideTheDrawing) {
  expectTargets({
      {"docs/house-details.pdf", "", plan(), "docs/house-details.pdf"},
      {"docs\\说明 1.txt", "", plan(), "docs/%E8%AF%B4%E6%98%8E%201.txt"},
      {"../shared/door#2.pdf", "", plan(), "../shared/door%232.pdf"},
      {"docs/house-details.pdf", "Kitchen", plan(), "docs/house-details.pdf#Kitchen"},
      // Another drawing is opened at its start: a PDF cannot name one of its views.
      {"other.dxf", "House,Sheet", plan(), "other.dxf"},
      // Elsewhere the PDF points back to the document beside the drawing.
      {"docs/house-details.pdf", "", plan("/tmp/out/"),
       "file:///home/me/plans/docs/house-details.pdf"},
      {"../shared/a b.pdf", "", plan("/tmp/"), "file:///home/me/shared/a%20b.pdf"},
  });
}

TEST(PdfLinkTarget, TheHyperlinkBaseComesFirst) {
  expectTargets({
      {"docs/a.pdf", "", plan("/home/me/plans/", "/srv/plans"), "file:///srv/plans/docs/a.pdf"},
      {"docs/a.pdf", "", plan("/home/me/plans/", "https://example.com/plans"),
       "https://example.com/plans/docs/a.pdf"},
      {"docs\\a.pdf", "", plan("/home/me/plans/", "C:\\Plans\\"), "file:///C:/Plans/docs/a.pdf"},
      // A base that is itself relative means nothing to a PDF: the drawing's folder counts.
      {"docs/a.pdf", "", plan("/home/me/plans/", "plans"), "docs/a.pdf"},
  });
}

TEST(PdfLinkTarget, AbsolutePathsAreFileLinks) {
  LinkingDrawing untitled = plan();
  untitled.path.clear();
  expectTargets({
      {"/srv/plans/site.dxf", "", plan(), "file:///srv/plans/site.dxf"},
      {"/srv/plans/./x/../%d.pdf", "", plan(), "file:///srv/plans/%25d.pdf"},
      {"C:\\Plans\\site.dwg", "", plan(), "file:///C:/Plans/site.dwg"},
      {"\\\\server\\plans\\a.pdf", "", plan(), "file://server/plans/a.pdf"},
      // A drawing never saved has no folder: a relative address stays as it is.
      {"docs/a.pdf", "", untitled, "docs/a.pdf"},
  });
}

TEST(PdfLinkTarget, LocationsInTheDrawingJumpToTheirLayoutsPage) {
  LinkingDrawing noPaper = plan();
  noPaper.layouts = {u"Model"};
  expectTargets({
      {"", "Garage,Details", plan(), "", "Details"},
      {"", ",sheet", plan(), "", "Sheet"},
      {"", "House", plan(), "", "Model"},    // a model-space view
      {"", "title", plan(), "", "Sheet"},    // a paper-space view: the first paper layout
      {"", "Nowhere", plan(), "", "Model"},  // as HYPERLINKOPEN: the model
      {"", "Title", noPaper, "", "Model"},
      {"", "House,Nowhere", plan(), std::nullopt},
      {"", "", plan(), std::nullopt},
      {"  ", " , ", plan(), std::nullopt},
      // The place written into the address, as other programs may write it.
      {"#,Details", "", plan(), "", "Details"},
      {" #House ", "", plan(), "", "Model"},
      {"#Title", "Garage,Details", plan(), "", "Details"},
      {"#", "", plan(), std::nullopt},
  });
}

}  // namespace
}  // namespace tzad
