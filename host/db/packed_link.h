// Extended data that is exactly one hyperlink, as the hyperlink protocol extension writes it,
// is kept as its values and turned into DXF text only when the drawing is saved: linking every
// entity of a large drawing then costs half the memory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dxf/dxf_tag.h"

class TextCodec;

// The packed form of a lone PE_URL group; nothing for any other extended data.
std::optional<std::string> packLink(const DxfTags& xdata);
// The groups a packed hyperlink stands for (new groups: they carry no file text).
DxfTags unpackLink(std::string_view packed);
// Appends the DXF text of a packed hyperlink, as writeTags would write its groups.
void writePackedLink(std::string_view packed, const TextCodec& codec, std::string_view eol,
                     std::string& out);
