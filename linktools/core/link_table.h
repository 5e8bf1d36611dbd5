// The Hyperlinks panel's table as data: what each column shows of a linked object, which rows a
// search leaves, and their order. The panel's list asks it for every cell it draws, so a
// drawing with a hundred thousand links is listed without a copy of its texts per row.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/drawing_links.h"
#include "core/link_status.h"

namespace linktools {

enum class LinkColumn { Address, Location, Description, Object, Layer, Layout, Status };
// The panel's columns, left to right: the status beside the address, so that a broken link
// shows without scrolling sideways in a narrow pane.
inline constexpr LinkColumn kLinkColumns[] = {
    LinkColumn::Address, LinkColumn::Status, LinkColumn::Location, LinkColumn::Description,
    LinkColumn::Object,  LinkColumn::Layer,  LinkColumn::Layout};

// The column's title, in the host's language.
TzString columnTitle(LinkColumn column);
// What the column shows for a link and what its check found. The object is its DXF type and
// handle, and says when it is the rectangle of an area hyperlink; the status is in words.
TzString cellText(const DrawingLink& link, const CheckResult& result, LinkColumn column);

// Rows sorted by a column, or in drawing order (model space first, then each layout) until the
// user picks one.
struct LinkOrder {
  std::optional<LinkColumn> column;
  bool ascending = true;
};

// The positions in `links` (with `results` beside them) of the rows to show: those in which each
// word of `search` is found in some column, letter case aside, sorted by the order's column
// (letter case aside; handles as the numbers they are; statuses broken first when ascending),
// rows that sort alike in drawing order; in drawing order without a column.
std::vector<size_t> shownRows(const std::vector<DrawingLink>& links,
                              const std::vector<CheckResult>& results, std::u16string_view search,
                              LinkOrder order);

}  // namespace linktools
