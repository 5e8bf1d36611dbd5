#include "filepage/address_text.h"

#include "filepage/relative_paths.h"
#include "platform/path_rules.h"

namespace hyperlink {

TzString composeAddress(const TzString& target, const TzString& location) {
  if (location.empty()) return target;
  return target + u"#" + location;
}

AddressParts splitAddress(std::u16string_view address) {
  size_t hash = address.find(u'#');
  if (hash == std::u16string_view::npos) return {TzString(address), {}};
  return {TzString(address.substr(0, hash)), TzString(address.substr(hash + 1))};
}

bool isBareWebPrefix(std::u16string_view address) {
  return tzutEqualsNoCase(address, u"www.");
}

bool isDrawingAddress(std::u16string_view address) {
  size_t dot = address.rfind(u'.');
  std::u16string_view extension = dot == std::u16string_view::npos ? address : address.substr(dot);
  return tzutEqualsNoCase(extension, u".dwg") || tzutEqualsNoCase(extension, u".dxf");
}

TzString drawingFilePath(const TzString& address, const TzString& basePath) {
  if (!platform::pathIsRelative(address)) return address;
  return basePath + platform::withNativeSeparators(address);
}

TzString relativeBoxAddress(const TzString& address, const TzString& basePath, bool checked) {
  if (!checked) return basePath + address;
  // Only an address on the base folder's drive or root can be written relative to it.
  if (address.empty() || basePath.empty() || address.front() != basePath.front()) return address;
  return makeRelativePath(address, basePath);
}

}  // namespace hyperlink
