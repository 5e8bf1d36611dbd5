// Item geometry of the icon list in its two layouts, with a text measure of 7 pixels per
// character and 13 per line (17 for a run holding a "y", to see which run gives the height).
#include <gtest/gtest.h>

#include <optional>

#include "controls/icon_list_layout.h"

namespace hyperlink {
std::ostream& operator<<(std::ostream& out, const LayoutRect& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
std::ostream& operator<<(std::ostream& out, const TextBlock& b) {
  return out << b.width << " x " << b.lineHeight << ", " << b.lineCount << " lines";
}
}  // namespace hyperlink

using namespace hyperlink;

namespace {

LayoutSize measure(std::u16string_view run) {
  int height = run.find(u'y') == std::u16string_view::npos ? 13 : 17;
  return {7 * static_cast<int>(run.size()), height};
}

const IconListMetrics kMetrics{};  // d1 1, d3 3, d5 5, d6 6, images 32 x 32

IconListItemDrawing draw(LayoutRect row, size_t position, bool hasImage, bool selected,
                         std::u16string_view text, int iconSize) {
  return layoutIconListItem({row, position, hasImage, selected, text}, iconSize, kMetrics, measure);
}

// An item in the compact layout (16-pixel icons) or the large one (32); a part not drawn is
// nullopt.
TEST(IconListLayout, ItemsInBothLayouts) {
  using Rect = std::optional<LayoutRect>;
  struct Case {
    const char* what;
    int iconSize;
    LayoutRect row;
    size_t position;
    bool hasImage, selected;
    const char16_t* text;
    LayoutRect background;
    Rect icon, frame, text_rect;
    LayoutRect focus;  // two pixels inside the item as far as it is drawn
  };
  const LayoutRect compact{10, 100, 110, 140};
  // Large text top: row top (+6 after the first item) + 1 + 32 + 2 x 3; bottom: lines x 13 + 5.
  // clang-format off
  const Case cases[] = {
      {"compact, selected", 16, compact, 0, true, true, u"abc",
       compact, LayoutRect{16, 109, 32, 125}, compact, LayoutRect{35, 103, 56, 129},
       {12, 102, 108, 138}},
      // Without a usable image the text starts at the left and no frame shows.
      {"compact, no image", 16, compact, 0, false, true, u"abc",
       compact, std::nullopt, std::nullopt, LayoutRect{13, 103, 34, 129}, {12, 102, 108, 138}},
      // The rectangle is the first line's width: the longer second line is cut.
      {"compact, two lines", 16, compact, 1, true, false, u"ab\nabcd",
       compact, LayoutRect{16, 109, 32, 125}, std::nullopt, LayoutRect{35, 103, 49, 129},
       {12, 102, 108, 138}},
      {"large, first item", 32, {0, 0, 100, 72}, 0, true, true, u"abcde\nabcd",
       {0, 0, 100, 72}, LayoutRect{34, 3, 66, 35}, LayoutRect{0, 0, 100, 70},
       LayoutRect{32, 39, 67, 70}, {2, 2, 98, 68}},
      {"large, second item drawn 6 lower", 32, {0, 72, 100, 144}, 1, true, true, u"abcde\nabcd",
       {0, 78, 100, 150}, LayoutRect{34, 81, 66, 113}, LayoutRect{0, 78, 100, 148},
       LayoutRect{32, 117, 67, 148}, {2, 80, 98, 146}},
      // Centring truncates toward zero: (61 - 32) / 2 = 14, (61 - 84) / 2 = -11.
      {"large, wider than the row", 32, {5, 0, 66, 72}, 0, true, false, u"abcdefghijkl",
       {5, 0, 66, 72}, LayoutRect{19, 3, 51, 35}, std::nullopt, LayoutRect{-6, 39, 78, 57},
       {7, 2, 64, 55}},
      {"large, no image", 32, {0, 72, 100, 144}, 1, false, true, u"abc",
       {0, 78, 100, 150}, std::nullopt, std::nullopt, std::nullopt, {2, 80, 98, 148}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IconListItemDrawing d = draw(c.row, c.position, c.hasImage, c.selected, c.text, c.iconSize);
    EXPECT_EQ(d.background, c.background);
    EXPECT_EQ(d.drawIcon ? Rect(d.icon) : std::nullopt, c.icon);
    EXPECT_EQ(d.drawFrame ? Rect(d.frame) : std::nullopt, c.frame);
    EXPECT_EQ(d.drawText ? Rect(d.text) : std::nullopt, c.text_rect);
    EXPECT_EQ(d.centredText, c.iconSize == 32 && d.drawText);
    EXPECT_EQ(d.focus, c.focus);
  }
}

TEST(IconListLayout, TextBlockOfTheLargeLayout) {
  struct Case {
    const char16_t* text;
    TextBlock block;
  };
  const Case cases[] = {
      {u"\nabc", {0, 13, 1}},  // a leading line feed ends the measuring
      // The rest after each line feed is measured whole: "bb\nccc" is the widest run.
      {u"a\nbb\nccc", {42, 13, 3}},
      // The line height is the widest run's, not the tallest run's.
      {u"y\naaaa", {28, 13, 2}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(measureTextBlock(c.text, measure), c.block)
        << "text of " << std::u16string_view(c.text).size() << " characters";
}

}  // namespace
