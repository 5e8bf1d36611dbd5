#include "db/packed_link.h"

#include <algorithm>
#include <cstdint>

#include "dxf/dxf_codes.h"
#include "dxf/text_codec.h"

namespace {

// Lengths are stored in seven-bit groups: one byte for any text under 128 bytes.
void putText(std::string& out, std::string_view text) {
  size_t n = text.size();
  do {
    out += static_cast<char>((n & 0x7F) | (n > 0x7F ? 0x80 : 0));
    n >>= 7;
  } while (n);
  out += text;
}

std::string_view getText(std::string_view& in) {
  size_t n = 0;
  for (int shift = 0; !in.empty() && shift < 35; shift += 7) {
    unsigned char byte = static_cast<unsigned char>(in[0]);
    in.remove_prefix(1);
    n |= static_cast<size_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) break;
  }
  std::string_view text = in.substr(0, std::min(n, in.size()));
  in.remove_prefix(text.size());
  return text;
}

struct Link {
  std::string_view address, description, location, flags;
  bool withLocation = false;
};

Link readLink(std::string_view in) {
  Link link;
  link.withLocation = !in.empty() && in[0] == '\1';
  in.remove_prefix(in.empty() ? 0 : 1);
  link.address = getText(in);
  link.description = getText(in);
  if (link.withLocation) link.location = getText(in);
  link.flags = getText(in);
  return link;
}

bool is(const DxfTag& t, int code, std::string_view value) {
  return t.code == code && t.value == value;
}

}  // namespace

std::optional<std::string> packLink(const DxfTags& x) {
  // 1001 PE_URL, 1000 address, 1002 {, 1000 description, [1000 location], 1002 {, 1071 flags,
  // 1002 }, 1002 }
  bool withLocation = x.size() == 9;
  if (x.size() != 8 && !withLocation) return std::nullopt;
  size_t f = withLocation ? 6 : 5;
  if (!is(x[0], DxfCode::kXdataApp, "PE_URL") || x[1].code != DxfCode::kXdataString ||
      !is(x[2], DxfCode::kXdataControl, "{") || x[3].code != DxfCode::kXdataString ||
      (withLocation && x[4].code != DxfCode::kXdataString) ||
      !is(x[f - 1], DxfCode::kXdataControl, "{") || x[f].code != DxfCode::kXdataLong ||
      !is(x[f + 1], DxfCode::kXdataControl, "}") || !is(x[f + 2], DxfCode::kXdataControl, "}"))
    return std::nullopt;
  std::string packed;
  packed += withLocation ? '\1' : '\0';
  for (const DxfTag* t : {&x[1], &x[3], withLocation ? &x[4] : nullptr, &x[f]})
    if (t != nullptr) putText(packed, t->value);
  return packed;
}

DxfTags unpackLink(std::string_view in) {
  Link link = readLink(in);
  DxfTags x;
  x.reserve(9);
  x.emplace_back(1001, "PE_URL");
  x.emplace_back(1000, std::string(link.address));
  x.emplace_back(1002, "{");
  x.emplace_back(1000, std::string(link.description));
  if (link.withLocation) x.emplace_back(1000, std::string(link.location));
  x.emplace_back(1002, "{");
  x.emplace_back(1071, std::string(link.flags));
  x.emplace_back(1002, "}");
  x.emplace_back(1002, "}");
  return x;
}

void writePackedLink(std::string_view packed, const TextCodec& codec, std::string_view eol,
                     std::string& out) {
  Link link = readLink(packed);
  auto group = [&](std::string_view code, std::string_view value, bool encode) {
    out += code;
    out += eol;
    if (encode)
      codec.encodeTo(out, value);
    else
      out += value;
    out += eol;
  };
  group("1001", "PE_URL", false);
  group("1000", link.address, true);
  group("1002", "{", false);
  group("1000", link.description, true);
  if (link.withLocation) group("1000", link.location, true);
  group("1002", "{", false);
  group("1071", link.flags, true);
  group("1002", "}", false);
  group("1002", "}", false);
}
