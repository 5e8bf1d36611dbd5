// The Hyperlinks panel's table: which rows a search leaves and the order a column sorts them in.
#include <gtest/gtest.h>

#include "base/language.h"
#include "core/link_table.h"

using namespace linktools;

namespace {

struct Link {
  const char16_t* handle;
  const char16_t* address;
  const char16_t* location;
  const char16_t* description;
  const char16_t* type;
  const char16_t* layer;
  const char16_t* layout;
  LinkStatus status;
};

// Handles that sort differently as text and as numbers (9 < A < 1F < 100), letter case that
// differs only in case, two layouts, every kind of status.
const Link kLinks[] = {
    {u"100", u"docs/Plan.pdf", u"", u"Ground plan", u"LWPOLYLINE", u"Walls", u"Model",
     LinkStatus::Ok},
    {u"9", u"https://example.com/", u"", u"Site", u"LINE", u"Roads", u"Model",
     LinkStatus::NotChecked},
    {u"1F", u"docs/plan.pdf", u"House", u"Ground plan, copy", u"LWPOLYLINE", u"URLLAYER", u"Sheet",
     LinkStatus::MissingFile},
    {u"A", u"", u"Garage,Details", u"", u"CIRCLE", u"Walls", u"Sheet", LinkStatus::Ok},
};

class LinkTableTest : public testing::Test {
 protected:
  void SetUp() override {
    tzad::setHostLanguage("en");
    for (const Link& l : kLinks) {
      DrawingLink link;
      link.handle = l.handle;
      link.address = l.address;
      link.location = l.location;
      link.description = l.description;
      link.objectType = l.type;
      link.layer = l.layer;
      link.layout = l.layout;
      link.area = std::u16string_view(l.layer) == u"URLLAYER";
      links_.push_back(link);
      CheckResult result;
      result.status = l.status;
      results_.push_back(result);
    }
  }
  void TearDown() override { tzad::setHostLanguage(""); }

  std::vector<std::u16string> handles(std::u16string_view search, LinkOrder order) const {
    std::vector<std::u16string> out;
    for (size_t row : shownRows(links_, results_, search, order)) out.push_back(links_[row].handle);
    return out;
  }

  std::vector<DrawingLink> links_;
  std::vector<CheckResult> results_;
};

struct SortCase {
  LinkColumn column;
  bool ascending;
  std::vector<std::u16string> handles;
};

TEST_F(LinkTableTest, SortsByEachColumn) {
  const SortCase cases[] = {
      // Letter case aside; rows that sort alike ("docs/Plan.pdf", "docs/plan.pdf") keep the
      // drawing's order, in either direction.
      {LinkColumn::Address, true, {u"A", u"100", u"1F", u"9"}},
      {LinkColumn::Address, false, {u"9", u"100", u"1F", u"A"}},
      {LinkColumn::Location, true, {u"100", u"9", u"A", u"1F"}},
      {LinkColumn::Description, true, {u"A", u"100", u"1F", u"9"}},
      // By type, then by handle as a number.
      {LinkColumn::Object, true, {u"A", u"9", u"1F", u"100"}},
      {LinkColumn::Object, false, {u"100", u"1F", u"9", u"A"}},
      {LinkColumn::Layer, true, {u"9", u"1F", u"100", u"A"}},
      {LinkColumn::Layout, true, {u"100", u"9", u"1F", u"A"}},
      // Broken first, then those waiting for a web check.
      {LinkColumn::Status, true, {u"1F", u"9", u"100", u"A"}},
      {LinkColumn::Status, false, {u"100", u"A", u"9", u"1F"}},
  };
  EXPECT_EQ(handles(u"", {}), (std::vector<std::u16string>{u"100", u"9", u"1F", u"A"}))
      << "the drawing's order before a column is picked";
  for (const SortCase& c : cases)
    EXPECT_EQ(handles(u"", {c.column, c.ascending}), c.handles)
        << "column " << static_cast<int>(c.column) << (c.ascending ? " up" : " down");
}

struct SearchCase {
  std::u16string search;
  std::vector<std::u16string> handles;
};

TEST_F(LinkTableTest, SearchesEveryColumn) {
  const SearchCase cases[] = {
      {u"", {u"A", u"100", u"1F", u"9"}},
      {u"   ", {u"A", u"100", u"1F", u"9"}},
      {u"PLAN", {u"100", u"1F"}},  // letter case aside
      {u"plan copy", {u"1F"}},     // every word, each anywhere in the row
      {u"copy plan", {u"1F"}},
      {u"sheet", {u"A", u"1F"}},    // the layout
      {u"circle a", {u"A"}},        // the object's type and handle
      {u"area", {u"1F"}},           // an area hyperlink says so
      {u"missing", {u"1F"}},        // the status in words
      {u"garage,details", {u"A"}},  // a named location
      {u"nowhere", {}},
  };
  for (const SearchCase& c : cases)
    EXPECT_EQ(handles(c.search, {LinkColumn::Address, true}), c.handles) << tzutToUtf8(c.search);
}

TEST_F(LinkTableTest, CellsSayWhatTheObjectIs) {
  EXPECT_EQ(cellText(links_[2], results_[2], LinkColumn::Object), u"Area (LWPOLYLINE 1F)");
  EXPECT_EQ(cellText(links_[0], results_[0], LinkColumn::Object), u"LWPOLYLINE 100");
  CheckResult missing;
  missing.status = LinkStatus::MissingFile;
  missing.detail = u"The file does not exist: /x.pdf";
  EXPECT_EQ(cellText(links_[0], missing, LinkColumn::Status),
            statusName(missing) + u": The file does not exist: /x.pdf");
}

TEST_F(LinkTableTest, ChineseTitlesAndCells) {
  tzad::setHostLanguage("zh");
  EXPECT_EQ(columnTitle(LinkColumn::Layer), u"图层");
  EXPECT_EQ(cellText(links_[2], results_[2], LinkColumn::Object), u"区域（LWPOLYLINE 1F）");
}

}  // namespace
