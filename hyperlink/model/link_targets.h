// What a hyperlink's target is (web address, e-mail link, drive path, relative path), how a
// relative one becomes absolute, and the named locations of the working drawing.
#pragma once

#include <array>
#include <string_view>

#include "tz_string.h"
#include "tzdb_object_id.h"

namespace hyperlink {

// The 240 domain endings a "www." address may end with, in their fixed order.
const std::array<std::u16string_view, 240>& topLevelDomains();

bool isWebAddress(std::u16string_view text);
bool isMailtoLink(std::u16string_view text);
bool isDrivePath(std::u16string_view text);
bool isRelativeTarget(std::u16string_view text);

// What the working drawing's relative targets are relative to, as it says itself:
// HYPERLINKBASE, else the drawing's folder; empty when it says neither.
TzString drawingLinkBase();
// Writes the base folder for relative targets into `out` (2049 characters): HYPERLINKBASE,
// else the drawing's folder, else the documents folder, else the current directory; it ends
// with a separator.
void hyperlinkBasePath(char16_t* out);
TzString hyperlinkBasePath();
TzString resolveTarget(std::u16string_view text);

// Reads a location text: the view before the first comma, the layout after it ("Model" when
// empty or the model layout's shown name).
void splitLocation(std::u16string_view location, TzString& view, TzString& layout);
bool findLayout(const TzString& name, TzDbObjectId& id);
bool viewExists(const TzString& name);

}  // namespace hyperlink
