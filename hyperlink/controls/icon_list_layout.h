// Where the parts of an icon list item go, and how far a text list scrolls sideways. Plain
// geometry without windows: the controls measure texts and draw, these functions say where.
// Rectangles run from left/top up to, not including, right/bottom.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

#include "tz_string.h"

namespace hyperlink {

struct LayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
  int width = 0, height = 0;
  bool operator==(const LayoutSize&) const = default;
};

// Sizes scaled for the display: the control sizes 1, 3, 5 and 6 and the standard image size.
struct IconListMetrics {
  int d1 = 1, d3 = 3, d5 = 5, d6 = 6;
  int imageWidth = 32, imageHeight = 32;
};

// An item keeps at most this many UTF-16 code units of its text.
constexpr std::size_t kIconListTextLimit = 128;
TzString iconListItemText(std::u16string_view text);

// Small icons left of the text when the icon size is at most half the standard image width;
// large icons above centred text otherwise.
bool usesCompactLayout(int iconSize, int imageWidth);

// The text before the first line feed, or the whole text without one.
std::u16string_view firstLine(std::u16string_view text);

// Size of one run of characters, measured on one line in the font the list draws with.
using MeasureRun = std::function<LayoutSize(std::u16string_view)>;

struct TextBlock {
  int width = 0;       // the widest measured run
  int lineHeight = 0;  // the height of that run
  int lineCount = 0;
  bool operator==(const TextBlock&) const = default;
};
// Measures a text of one or more lines for the large layout: the first line, then each rest
// of the text after a line feed as a whole, one more line each time.
TextBlock measureTextBlock(std::u16string_view text, const MeasureRun& measure);

struct IconListItemState {
  LayoutRect rect;  // the item's row
  std::size_t position = 0;
  bool hasImage = false;  // an image list is set and the item's image is in it
  bool selected = false;
  std::u16string_view text;
};

// What one item draws, in this order: background, icon, selection frame, text.
struct IconListItemDrawing {
  LayoutRect background;
  bool drawIcon = false;
  LayoutRect icon;  // where the image goes, at the size it is drawn
  bool drawFrame = false;
  LayoutRect frame;
  bool drawText = false;
  LayoutRect text;  // clipped to this rectangle
  bool centredText = false;
  // Where the keyboard focus is marked when the list has it and this is its current item: the
  // item as far as it is drawn, inside the edges of its selection frame.
  LayoutRect focus;
};
IconListItemDrawing layoutIconListItem(const IconListItemState& item, int iconSize,
                                       const IconListMetrics& metrics, const MeasureRun& measure);

// The one-pixel edges of a sunken frame on rect: dark above and to the left, light below and
// to the right, the light edges owning the corners they share with the dark ones.
struct FrameEdges {
  LayoutRect top, left, bottom, right;
};
FrameEdges sunkenFrameEdges(const LayoutRect& rect);

// How far a text list scrolls sideways: its widest entry plus one average character, 0 for no
// entries.
int horizontalExtent(std::span<const int> entryWidths, int averageCharWidth);

}  // namespace hyperlink
