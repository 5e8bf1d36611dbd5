#include "filepage/relative_paths.h"

#include "model/link_targets.h"
#include "platform/path_rules.h"

namespace hyperlink {

bool isRelativeFileAddress(const TzString& address) {
  if (!address.empty() && address[0] == u'#') return false;
  if (isDrivePath(address) || isWebAddress(address) || isMailtoLink(address)) return false;
  if (platform::pathIsRelative(address)) return true;
  // One leading backslash before a folder name still counts as relative; "\\share" does not.
  return address[0] == u'\\' && platform::pathIsRelative(std::u16string_view(address).substr(1));
}

TzString makeRelativePath(const TzString& path, const TzString& basePath) {
  const char16_t separator = platform::pathSeparator();
  platform::SplitPath parts = platform::splitPath(path);
  TzString folder = parts.drive + parts.folder;
  TzString prefix = {u'.', separator};
  TzString base = basePath;
  // Climb from the base folder until what is left of it occurs in the path's folder; the empty
  // base occurs in every folder.
  if (folder.find(base) == TzString::npos) {
    prefix.clear();
    while (folder.find(base) == TzString::npos) {
      base.pop_back();
      size_t last = base.rfind(separator);
      base.resize(last == TzString::npos ? 0 : last + 1);
      prefix += {u'.', u'.', separator};
    }
  }
  if (!base.empty() && folder.starts_with(base)) {
    folder.erase(0, base.size());
    if (!folder.starts_with(prefix)) folder.insert(0, prefix);
  }
  return folder + parts.name + parts.extension;
}

}  // namespace hyperlink
