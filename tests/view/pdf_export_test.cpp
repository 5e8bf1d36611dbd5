// PDFs of drawings as poppler reads them: a page per layout at its size, the hyperlinks as links
// over their objects, a destination and a bookmark per page, the texts as text, and on each page
// the ink the view itself draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "paint/pdf_export.h"
#include "paint/scene_renderer.h"
#include "pdf_reading.h"
#include "session.h"
#include "test_support.h"
#include "tzdb_database.h"
#include "view/layout_list.h"
#include "view/layout_page.h"
#include "view/scene.h"

namespace tzad {
namespace {

using tzt::u16;
using tzt::u8;

// Renders pages at one and a half pixels a point: a 0.25 mm line is about a pixel wide.
constexpr double kPixelsPerPoint = 1.5;

PdfExportOptions exportOptions(bool allLayouts, bool monochrome = false) {
  PdfExportOptions options;
  options.allLayouts = allLayouts;
  options.monochrome = monochrome;
  return options;
}

// The view's own rendering of a scene on white, showing the page at this size.
tzt::Image viewRendering(const Scene& scene, const LayoutPage& page, int width, int height) {
  tzt::Image image(width, height);
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(image.surface()),
                                                        &cairo_destroy);
  ViewTransform view(width, height);
  view.zoomToBox(ViewBox::of(page.transform.toWorld({0, 0}),
                             page.transform.toWorld({page.width, page.height})),
                 0);
  RenderOptions onWhite;
  onWhite.background = ViewColor::rgb(255, 255, 255);
  renderScene(cr.get(), scene, view, onWhite);
  return image;
}

class PdfExport : public testing::Test {
 protected:
  struct PdfRectOnPage {
    double x1, y1, x2, y2;
  };

  // A copy of the sample (or a drawing ezdxf makes) in the test's folder, read.
  void openSample() { open(copyOfSample()); }
  std::string copyOfSample() {
    std::string copy = dir_.file("plan.dxf");
    std::filesystem::copy_file(tzt::samplePath(), copy);
    return copy;
  }
  void open(const std::string& path) { ASSERT_EQ(db_.readDwgFile(u16(path)), Tzad::eOk); }

  std::string exported(const std::string& name, PdfExportOptions options = {}) {
    std::string path = dir_.file(name);
    result_ = exportPdf(db_, u16(path), options);
    EXPECT_EQ(result_.error, "");
    return path;
  }

  const LayoutEntry& layoutNamed(const std::string& name) {
    layouts_ = layoutsInTabOrder(db_);
    for (const LayoutEntry& layout : layouts_)
      if (u8(layout.name) == name) return layout;
    ADD_FAILURE() << "no layout " << name;
    return layouts_.front();
  }

  // An object's extents on its page in PDF coordinates.
  PdfRectOnPage onPage(const std::string& layout, ViewBox world) {
    const LayoutEntry& entry = layoutNamed(layout);
    LayoutPage page = layoutPage(db_, entry, buildScene(db_, entry.blockRecord).extents());
    ViewPoint a = page.transform.toPage({world.minX, world.minY});
    ViewPoint b = page.transform.toPage({world.maxX, world.maxY});
    return {a.x, page.height - a.y, b.x, page.height - b.y};
  }

  tzt::TempDir dir_;
  TzDbDatabase db_{false};
  PdfExportResult result_;
  std::vector<LayoutEntry> layouts_;
};

std::multiset<std::pair<int, std::string>> urlsListed(const std::string& pdf) {
  std::istringstream lines(tzt::commandOutput("pdfinfo -url " + tzt::shellQuoted(pdf)));
  std::multiset<std::pair<int, std::string>> urls;
  std::string line;
  std::getline(lines, line);  // the heading
  for (int page; lines >> page;) {
    std::string type, url;
    lines >> type >> url;
    urls.insert({page, url});
  }
  return urls;
}

std::vector<std::pair<int, std::string>> destinationsListed(const std::string& pdf) {
  std::istringstream lines(tzt::commandOutput("pdfinfo -dests " + tzt::shellQuoted(pdf)));
  std::vector<std::pair<int, std::string>> dests;
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    size_t quote = line.find('"');
    if (quote != std::string::npos)
      dests.push_back({std::stoi(line), line.substr(quote + 1, line.rfind('"') - quote - 1)});
  }
  return dests;
}

std::vector<std::string> pageSizesListed(const std::string& pdf, int pages) {
  std::istringstream lines(
      tzt::commandOutput("pdfinfo -f 1 -l " + std::to_string(pages) + " " + tzt::shellQuoted(pdf)));
  std::vector<std::string> sizes;
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with("Page ") && line.find(" size: ") != std::string::npos)
      sizes.push_back(line.substr(line.find(" size: ") + 7));
  for (std::string& size : sizes) size.erase(0, size.find_first_not_of(' '));
  return sizes;
}

TEST_F(PdfExport, EveryLayoutIsAPageWithItsLinksDestinationAndBookmark) {
  openSample();
  std::string pdf = exported("plan.pdf", exportOptions(true));
  EXPECT_EQ(result_.pages, 3u);
  EXPECT_EQ(result_.links, 8u);
  EXPECT_EQ(pageSizesListed(pdf, 3),
            (std::vector<std::string>{"1190.55 x 841.89 pts (A3)", "1190.55 x 841.89 pts (A3)",
                                      "1190.55 x 841.89 pts (A3)"}));
  // The model's linked objects on its page, and again where the Sheet's viewport shows them.
  std::multiset<std::pair<int, std::string>> urls;
  for (int page : {1, 2})
    for (const char* url : {"docs/house-details.pdf", "https://www.openstreetmap.org/",
                            "mailto:architect@example.com"})
      urls.insert({page, url});
  EXPECT_EQ(urlsListed(pdf), urls);
  EXPECT_EQ(destinationsListed(pdf),
            (std::vector<std::pair<int, std::string>>{{1, "Model"}, {2, "Sheet"}, {3, "Details"}}));

  std::optional<tzt::SeenPdf> seen = tzt::readPdf(pdf);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->bookmarks, (std::vector<std::string>{"Model", "Sheet", "Details"}));
  EXPECT_EQ(seen->bookmarkPages, (std::vector<int>{1, 2, 3}));
  // The garage's location "Garage,Details" jumps to the Details page, from both pages.
  std::vector<int> jumpsFrom;
  for (const tzt::SeenLink& link : seen->links) {
    if (!link.uri.empty()) continue;
    EXPECT_EQ(link.targetPage, 3);
    EXPECT_EQ(link.contents, "Garage detail");
    jumpsFrom.push_back(link.page);
  }
  EXPECT_EQ(jumpsFrom, (std::vector<int>{1, 2}));
  // The house's link covers the house, with a little room around it: on the Sheet where its
  // viewport (centred at 150,110, 160 high, looking at 60,40 with 90 of the model's units
  // across its height) shows it.
  const double sheetScale = 160.0 / 90;
  auto onSheet = [&](double x, double y) {
    return ViewPoint{150 + (x - 60) * sheetScale, 110 + (y - 40) * sheetScale};
  };
  const std::pair<const char*, ViewBox> houses[] = {
      {"Model", ViewBox::of({20, 20}, {50, 45})},
      {"Sheet", ViewBox::of(onSheet(20, 20), onSheet(50, 45))}};
  for (const auto& [layout, box] : houses) {
    SCOPED_TRACE(layout);
    PdfRectOnPage house = onPage(layout, box);
    int page = std::string(layout) == "Model" ? 1 : 2;
    auto link = std::find_if(seen->links.begin(), seen->links.end(), [&](const tzt::SeenLink& l) {
      return l.page == page && l.uri == "docs/house-details.pdf";
    });
    ASSERT_NE(link, seen->links.end());
    EXPECT_EQ(link->contents, "House details");
    EXPECT_NEAR(link->x1, house.x1 - 2, 0.01);
    EXPECT_NEAR(link->y1, house.y1 - 2, 0.01);
    EXPECT_NEAR(link->x2, house.x2 + 2, 0.01);
    EXPECT_NEAR(link->y2, house.y2 + 2, 0.01);
  }
}

// Layout names in any script and with the characters PDF strings escape name their pages, and
// the jumps find them.
TEST_F(PdfExport, PagesAreNamedAfterTheirLayoutsWhateverTheNames) {
  open(tzt::makeDrawing(dir_, "names", "R2018"));
  std::string pdf = exported("names.pdf", exportOptions(true));
  EXPECT_EQ(destinationsListed(pdf), (std::vector<std::pair<int, std::string>>{
                                         {1, "Model"}, {2, "Zoo"}, {3, "详图"}, {4, "(A) plan"}}));
  std::optional<tzt::SeenPdf> seen = tzt::readPdf(pdf);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->bookmarks, (std::vector<std::string>{"Model", "Zoo", "详图", "(A) plan"}));
  std::map<std::string, int> jumps;
  for (const tzt::SeenLink& link : seen->links) jumps[link.contents] = link.targetPage;
  EXPECT_EQ(jumps, (std::map<std::string, int>{{"Zoo", 2}, {"详图", 3}, {"(A) plan", 4}}));
}

// Relative links stay relative beside the drawing; elsewhere they name the file they lead to.
TEST_F(PdfExport, RelativeLinksFollowWhereThePdfIs) {
  std::string drawing = copyOfSample();
  open(drawing);
  std::filesystem::create_directory(dir_.file("out"));
  std::set<std::string> beside, elsewhere;
  for (const auto& [page, url] : urlsListed(exported("plan.pdf"))) beside.insert(url);
  for (const auto& [page, url] : urlsListed(exported("out/plan.pdf"))) elsewhere.insert(url);
  EXPECT_TRUE(beside.contains("docs/house-details.pdf"));
  EXPECT_TRUE(elsewhere.contains("file://" + dir_.file("docs/house-details.pdf")));
}

TEST_F(PdfExport, TextIsTextInEmbeddedFontsChineseIncluded) {
  struct Case {
    const char* kind;  // a drawing ezdxf makes, or the sample
    const char* release;
    std::vector<std::string> texts;
  } cases[] = {
      {"sample", "", {"SITE PLAN 1:500", "Sheet 1"}},
      {"rich", "R2018", {"标题 title"}},
      {"chinese936", "R2000", {"总平面图"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    TzDbDatabase db(false);
    tzt::TempDir dir;
    std::string drawing = std::string(c.kind) == "sample"
                              ? tzt::samplePath()
                              : tzt::makeDrawing(dir, c.kind, c.release);
    ASSERT_EQ(db.readDwgFile(u16(drawing)), Tzad::eOk);
    std::string pdf = dir.file("texts.pdf");
    ASSERT_EQ(exportPdf(db, u16(pdf), exportOptions(true)).error, "");
    std::string text = tzt::commandOutput("pdftotext -q " + tzt::shellQuoted(pdf) + " -");
    for (const std::string& wanted : c.texts)
      EXPECT_NE(text.find(wanted), std::string::npos) << text;
    std::istringstream fonts(tzt::commandOutput("pdffonts " + tzt::shellQuoted(pdf)));
    std::string line;
    std::getline(fonts, line);
    std::getline(fonts, line);  // the heading and its rule
    size_t rows = 0;
    while (std::getline(fonts, line)) {
      ++rows;
      EXPECT_NE(line.find(" yes yes yes "), std::string::npos) << "not embedded whole: " << line;
    }
    EXPECT_GT(rows, 0u);
  }
}

// pdftoppm's rendering of each page beside the view's own offscreen rendering of the layout at
// the same size, on white: ink where the view has ink, and nowhere else.
TEST_F(PdfExport, PagesHaveTheInkTheViewDraws) {
  struct Case {
    const char* kind;
    const char* layout;
  } cases[] = {
      {"sample", "Model"}, {"sample", "Sheet"}, {"sample", "Details"},
      {"view", "Model"},   {"view", "Sheet"},   {"rich", "Model"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.layout);
    TzDbDatabase db(false);
    tzt::TempDir dir;
    std::string drawing = std::string(c.kind) == "sample" ? tzt::samplePath()
                                                          : tzt::makeDrawing(dir, c.kind, "R2018");
    ASSERT_EQ(db.readDwgFile(u16(drawing)), Tzad::eOk);
    std::vector<LayoutEntry> layouts = layoutsInTabOrder(db);
    auto layout = std::find_if(layouts.begin(), layouts.end(),
                               [&](const LayoutEntry& l) { return u8(l.name) == c.layout; });
    ASSERT_NE(layout, layouts.end());
    std::string pdf = dir.file("ink.pdf");
    ASSERT_EQ(exportPdf(db, u16(pdf), exportOptions(true)).error, "");

    Scene scene = buildScene(db, layout->blockRecord);
    LayoutPage page = layoutPage(db, *layout, scene.extents());
    int width = int(std::lround(page.width * kPixelsPerPoint));
    int height = int(std::lround(page.height * kPixelsPerPoint));
    tzt::Image printed = tzt::renderedPage(pdf, int(layout - layouts.begin()) + 1, width, height);
    ASSERT_TRUE(printed.ok());
    tzt::InkMatch ink = tzt::compareInk(printed, viewRendering(scene, page, width, height), 2);
    EXPECT_GT(ink.inkA, 100u);
    EXPECT_GT(ink.aNearB, 0.99) << "printed ink where the view has none";
    EXPECT_GT(ink.bNearA, 0.99) << "the view's ink missing from the page";
  }
}

// A layer whose plot flag is off, and Defpoints, show in the view and not on paper.
TEST_F(PdfExport, LayersThatDoNotPlotAreLeftOffThePaper) {
  open(tzt::makeDrawing(dir_, "paper", "R2018"));
  Scene viewed = buildScene(db_, db_.modelSpaceId());
  Scene printed = buildScene(db_, db_.modelSpaceId(), SceneUse::Paper);
  EXPECT_EQ(viewed.entities().size(), 3u);
  EXPECT_EQ(printed.entities().size(), 1u);
  std::string pdf = exported("model.pdf");
  LayoutPage page = layoutPage(db_, layoutNamed("Model"), printed.extents());
  tzt::Image rendered = tzt::renderedPage(pdf, 1, 421, 595);
  EXPECT_GT(tzt::compareInk(rendered, viewRendering(printed, page, 421, 595), 2).bNearA, 0.99);
  EXPECT_LT(tzt::compareInk(rendered, viewRendering(viewed, page, 421, 595), 2).bNearA, 0.9);
}

TEST_F(PdfExport, MonochromePrintsEverythingBlack) {
  openSample();
  std::string pdf = exported("black.pdf", exportOptions(false, true));
  tzt::Image page = tzt::renderedPage(pdf, 1, 595, 421);
  ASSERT_TRUE(page.ok());
  size_t coloured = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) coloured += tzt::isColouredInk(page.pixel(x, y));
  EXPECT_EQ(coloured, 0u);
}

// The sample with `count` more lines, each with a hyperlink of its own.
std::string sampleWithLinkedLines(int count) {
  std::string text = tzt::readFile(tzt::samplePath()), lines;
  char record[320];
  for (int i = 0; i < count; ++i) {
    std::snprintf(record, sizeof record,
                  "  0\nLINE\n  5\n%X\n330\n17\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n"
                  " 10\n%d\n 20\n%d\n 30\n0.0\n 11\n%d.5\n 21\n%d.5\n 31\n0.0\n"
                  "1001\nPE_URL\n1000\nhttp://example.com/part/%d\n",
                  0x10000 + i, i % 100, i / 100, i % 100, i / 100, i);
    lines += record;
  }
  text.insert(text.find("  0\nENDSEC\n", text.find("ENTITIES\n")), lines);
  return text;
}

// Poppler refuses a page with more than 10,000 links: the links past that are left out and
// counted, the rest are all there (in eleven compressed object streams) and the page opens.
TEST_F(PdfExport, LinksPastTheMostAPageMayHaveAreLeftOut) {
  std::string drawing = dir_.file("lines.dxf");
  tzt::writeFile(drawing, sampleWithLinkedLines(10050));
  open(drawing);
  std::string pdf = exported("lines.pdf");
  EXPECT_EQ(result_.links, kMostLinksPerPage);
  EXPECT_EQ(result_.linksPastLimit, 53u);  // of 10,053 addresses; the garage's jump is left out
  EXPECT_EQ(result_.linksLeftOut, 1u);
  std::multiset<std::pair<int, std::string>> urls = urlsListed(pdf);
  EXPECT_EQ(urls.size(), kMostLinksPerPage);
  EXPECT_TRUE(urls.contains({1, "http://example.com/part/9996"}));
  EXPECT_TRUE(tzt::renderedPage(pdf, 1, 100, 71).ok());
}

TEST_F(PdfExport, AFolderIsNeverReplacedAndAFileOnlyWhole) {
  openSample();
  std::filesystem::create_directory(dir_.file("folder.pdf"));
  EXPECT_NE(exportPdf(db_, u16(dir_.file("folder.pdf")), {}).error, "");
  EXPECT_TRUE(std::filesystem::is_directory(dir_.file("folder.pdf")));
  tzt::writeFile(dir_.file("old.pdf"), "old");
  std::string pdf = exported("old.pdf");
  EXPECT_TRUE(tzt::readFile(pdf).starts_with("%PDF-1.5"));
  // Nothing else is left in the folder: no half-written file beside the PDF.
  size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 3u);  // plan.dxf, folder.pdf, old.pdf
}

}  // namespace
}  // namespace tzad
