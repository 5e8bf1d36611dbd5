// The address text of the file and web page: a target and a named location joined by "#",
// and the rules the page applies to that text without any window (the relative-path box,
// the drawing a named location is taken from).
#pragma once

#include <string_view>

#include "tz_string.h"

namespace hyperlink {

// target alone when location is empty, else target "#" location.
TzString composeAddress(const TzString& target, const TzString& location);

struct AddressParts {
  TzString target;
  TzString location;
};
// The text before the first "#" and the text after it (the whole address and nothing
// without one).
AddressParts splitAddress(std::u16string_view address);

// The address typed so far is just "www." in any letter case: the page puts "http://" in
// front of it so that the user goes on typing a web address.
bool isBareWebPrefix(std::u16string_view address);

// Whether the address names a drawing by its extension, the text from its last "." on
// (".dwg" or ".dxf", ignoring case). A "#" part behind the name belongs to that extension,
// so such an address never counts.
bool isDrawingAddress(std::u16string_view address);
// The file a drawing address reads: relative addresses are taken from basePath.
TzString drawingFilePath(const TzString& address, const TzString& basePath);

// What the relative-path box makes of the address: checked, an address that starts like
// basePath is rewritten relative to it; cleared, basePath goes in front of the address.
TzString relativeBoxAddress(const TzString& address, const TzString& basePath, bool checked);

}  // namespace hyperlink
