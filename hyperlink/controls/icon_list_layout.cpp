#include "controls/icon_list_layout.h"

#include <algorithm>

namespace hyperlink {

namespace {

// Icon on the left at half the standard image size; the text beside it shows as many lines
// as fit in twice the first line's height, cut to the first line's width.
IconListItemDrawing compactItem(const IconListItemState& item, int iconSize,
                                const IconListMetrics& m, const MeasureRun& measure) {
  const LayoutRect& r = item.rect;
  IconListItemDrawing d;
  d.background = r;
  int textLeft = r.left + m.d3;
  if (item.hasImage) {
    d.drawIcon = true;
    d.icon.left = r.left + 2 * m.d3;
    d.icon.top = r.top + 3 * m.d3;
    d.icon.right = d.icon.left + m.imageWidth / 2;
    d.icon.bottom = d.icon.top + m.imageHeight / 2;
    textLeft += iconSize + 2 * m.d3;
    d.drawFrame = item.selected;
    d.frame = r;
  }
  LayoutSize line = measure(firstLine(item.text));
  d.drawText = true;
  d.text = {textLeft, r.top + m.d3, textLeft + line.width, r.top + m.d3 + 2 * line.height};
  return d;
}

// Icon centred at the top, the text's lines centred below it. Every item after the first is
// drawn lower by d6 inside its row, so that it leaves the frame of the item above, which
// reaches below that item's row, in place.
IconListItemDrawing largeItem(const IconListItemState& item, int iconSize, const IconListMetrics& m,
                              const MeasureRun& measure) {
  LayoutRect r = item.rect;
  if (item.position > 0) {
    r.top += m.d6;
    r.bottom += m.d6;
  }
  IconListItemDrawing d;
  d.background = r;
  if (!item.hasImage) return d;

  const int w = r.width();
  d.drawIcon = true;
  d.icon.left = r.left + (w - iconSize) / 2;
  d.icon.top = r.top + m.d3;
  d.icon.right = d.icon.left + m.imageWidth;
  d.icon.bottom = d.icon.top + m.imageHeight;

  const int textTop = r.top + m.d1 + iconSize + 2 * m.d3;
  TextBlock block = measureTextBlock(item.text, measure);
  r.bottom = textTop + block.lineCount * block.lineHeight + m.d5;
  d.drawFrame = item.selected;
  d.frame = r;
  d.drawText = true;
  d.centredText = true;
  const int textLeft = r.left + (w - block.width) / 2;
  d.text = {textLeft, textTop, textLeft + block.width, r.bottom};
  return d;
}

}  // namespace

TzString iconListItemText(std::u16string_view text) {
  return TzString(text.substr(0, kIconListTextLimit));
}

bool usesCompactLayout(int iconSize, int imageWidth) {
  return iconSize <= imageWidth / 2;
}

std::u16string_view firstLine(std::u16string_view text) {
  return text.substr(0, text.find(u'\n'));
}

TextBlock measureTextBlock(std::u16string_view text, const MeasureRun& measure) {
  TextBlock block;
  auto take = [&](std::u16string_view run) {
    LayoutSize size = measure(run);
    ++block.lineCount;
    if (block.lineCount == 1 || size.width > block.width) {
      block.width = size.width;
      block.lineHeight = size.height;
    }
  };
  size_t feed = text.find(u'\n');
  if (feed == std::u16string_view::npos) {
    take(text);
    return block;
  }
  take(text.substr(0, feed));
  while (feed != 0) {
    text = text.substr(feed + 1);
    take(text);
    feed = text.find(u'\n');
    if (feed == std::u16string_view::npos) break;
  }
  return block;
}

IconListItemDrawing layoutIconListItem(const IconListItemState& item, int iconSize,
                                       const IconListMetrics& metrics, const MeasureRun& measure) {
  IconListItemDrawing d = usesCompactLayout(iconSize, metrics.imageWidth)
                              ? compactItem(item, iconSize, metrics, measure)
                              : largeItem(item, iconSize, metrics, measure);
  // An item with its picture reaches as far as its frame would, selected or not (a large one
  // ends below its text); one pixel clear of the frame's edges, the marker never hides them.
  const LayoutRect& drawn = item.hasImage ? d.frame : d.background;
  const int inset = 2 * metrics.d1;
  d.focus = {drawn.left + inset, drawn.top + inset, drawn.right - inset, drawn.bottom - inset};
  return d;
}

FrameEdges sunkenFrameEdges(const LayoutRect& r) {
  return {
      {r.left, r.top, r.right - 1, r.top + 1},
      {r.left, r.top, r.left + 1, r.bottom - 1},
      {r.left, r.bottom - 1, r.right, r.bottom},
      {r.right - 1, r.top, r.right, r.bottom},
  };
}

int horizontalExtent(std::span<const int> entryWidths, int averageCharWidth) {
  int extent = 0;
  for (int width : entryWidths) extent = std::max(extent, width + averageCharWidth);
  return extent;
}

}  // namespace hyperlink
