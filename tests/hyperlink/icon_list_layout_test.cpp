// Item geometry of the icon list in its two layouts (a text list's sideways extent is the
// window test's), with a text measure of 7 pixels per character and 13 pixels per line (17 for
// a run holding a "y", to see which measurement gives the line height).
#include <gtest/gtest.h>

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

TEST(IconListLayout, ChosenByIconSizeAgainstHalfTheImageWidth) {
  struct Case {
    int iconSize, imageWidth;
    bool compact;
  };
  const Case cases[] = {
      {16, 32, true},  {17, 32, false}, {16, 33, true}, {15, 31, true},
      {16, 31, false}, {32, 32, false}, {0, 0, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(usesCompactLayout(c.iconSize, c.imageWidth), c.compact)
        << c.iconSize << " against " << c.imageWidth;
}

TEST(IconListLayout, CompactItems) {
  const LayoutRect row{10, 100, 110, 140};
  struct Case {
    const char* what;
    size_t position;
    bool hasImage, selected;
    const char16_t* text;
    bool icon, frame;
    LayoutRect text_rect;
  };
  const Case cases[] = {
      {"icon, selected", 0, true, true, u"abc", true, true, {35, 103, 56, 129}},
      {"icon, not selected", 2, true, false, u"abc", true, false, {35, 103, 56, 129}},
      // Without a usable image the text starts at the left and no frame shows.
      {"no image, selected", 0, false, true, u"abc", false, false, {13, 103, 34, 129}},
      // The rectangle is the first line's width: the longer second line is cut.
      {"two lines", 1, true, false, u"ab\nabcd", true, false, {35, 103, 49, 129}},
      {"empty first line", 0, true, false, u"\nabcd", true, false, {35, 103, 35, 129}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IconListItemDrawing d = draw(row, c.position, c.hasImage, c.selected, c.text, 16);
    EXPECT_EQ(d.background, row);  // no lower offset in this layout
    EXPECT_EQ(d.drawIcon, c.icon);
    if (c.icon) {
      EXPECT_EQ(d.icon, (LayoutRect{16, 109, 32, 125}));
    }
    EXPECT_EQ(d.drawFrame, c.frame);
    if (c.frame) {
      EXPECT_EQ(d.frame, row);
    }
    EXPECT_TRUE(d.drawText);
    EXPECT_FALSE(d.centredText);
    EXPECT_EQ(d.text, c.text_rect);
  }
}

TEST(IconListLayout, LargeItems) {
  struct Case {
    const char* what;
    LayoutRect row;
    size_t position;
    bool selected;
    const char16_t* text;
    LayoutRect background, icon, frame, text_rect;
  };
  // Text top: row top (+6 after the first item) + 1 + 32 + 2 x 3; bottom: lines x 13 + 5 below.
  // clang-format off
  const Case cases[] = {
      {"first item, two lines", {0, 0, 100, 72}, 0, true, u"abcde\nabcd",
       {0, 0, 100, 72}, {34, 3, 66, 35}, {0, 0, 100, 70}, {32, 39, 67, 70}},
      {"second item drawn 6 lower", {0, 72, 100, 144}, 1, true, u"abcde\nabcd",
       {0, 78, 100, 150}, {34, 81, 66, 113}, {0, 78, 100, 148}, {32, 117, 67, 148}},
      {"one line", {0, 144, 100, 216}, 2, false, u"abcdef",
       {0, 150, 100, 222}, {34, 153, 66, 185}, {0, 150, 100, 207}, {29, 189, 71, 207}},
      // Centring truncates toward zero: (61 - 32) / 2 = 14, (61 - 84) / 2 = -11.
      {"wider than the row", {5, 0, 66, 72}, 0, false, u"abcdefghijkl",
       {5, 0, 66, 72}, {19, 3, 51, 35}, {5, 0, 66, 57}, {-6, 39, 78, 57}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IconListItemDrawing d = draw(c.row, c.position, true, c.selected, c.text, 32);
    EXPECT_EQ(d.background, c.background);
    EXPECT_TRUE(d.drawIcon);
    EXPECT_EQ(d.icon, c.icon);
    EXPECT_EQ(d.drawFrame, c.selected);
    EXPECT_EQ(d.frame, c.frame);
    EXPECT_TRUE(d.drawText);
    EXPECT_TRUE(d.centredText);
    EXPECT_EQ(d.text, c.text_rect);
  }
}

TEST(IconListLayout, LargeItemWithoutImageDrawsOnlyItsBackground) {
  for (size_t position : {0u, 1u}) {
    IconListItemDrawing d = draw({0, 72, 100, 144}, position, false, true, u"abc", 32);
    EXPECT_EQ(d.background, (LayoutRect{0, position ? 78 : 72, 100, position ? 150 : 144}));
    EXPECT_FALSE(d.drawIcon);
    EXPECT_FALSE(d.drawFrame);
    EXPECT_FALSE(d.drawText);
  }
}

TEST(IconListLayout, TextBlockOfTheLargeLayout) {
  struct Case {
    const char16_t* text;
    TextBlock block;
  };
  const Case cases[] = {
      {u"", {0, 13, 1}},
      {u"abc", {21, 13, 1}},
      {u"\nabc", {0, 13, 1}},  // a leading line feed ends the measuring
      {u"ab\n", {14, 13, 2}},
      {u"a\n\nb", {14, 13, 2}},  // the rest "\nb" is measured whole, then measuring stops
      // The rest after each line feed is measured whole: "bb\nccc" is the widest run.
      {u"a\nbb\nccc", {42, 13, 3}},
      // The line height is the widest run's, not the tallest run's.
      {u"aaaa\ny", {28, 13, 2}},
      {u"y\naaaa", {28, 13, 2}},
      {u"yy\naa", {14, 17, 2}},  // equally wide: the first measurement stays
  };
  for (const Case& c : cases)
    EXPECT_EQ(measureTextBlock(c.text, measure), c.block)
        << "text of " << std::u16string_view(c.text).size() << " characters";
}

TEST(IconListLayout, ItemTextKeepsAtMost128Characters) {
  struct Case {
    size_t length, kept;
  };
  for (const Case& c :
       {Case{0, 0}, Case{127, 127}, Case{128, 128}, Case{129, 128}, Case{200, 128}}) {
    TzString text(c.length, u'x');
    EXPECT_EQ(iconListItemText(text), TzString(c.kept, u'x')) << c.length;
  }
}

}  // namespace
