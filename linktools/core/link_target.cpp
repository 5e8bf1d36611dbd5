#include "core/link_target.h"

#include <sys/stat.h>

#include "model/link_targets.h"
#include "platform/clipboard_formats.h"
#include "platform/path_rules.h"
#include "platform/text.h"
#include "platform/trim.h"

namespace linktools {

namespace {

// HYPERLINKOPEN takes the address without the blanks a paste brings at its end.
constexpr std::u16string_view kAnswerBlanks = u" \t\r\n";

LinkTarget fileTarget(TzString path) {
  struct stat info {};
  bool exists = ::stat(platform::toFileName(path).c_str(), &info) == 0;
  return {exists ? LinkTarget::Kind::File : LinkTarget::Kind::MissingFile, std::move(path)};
}

}  // namespace

std::optional<LinkTarget> describeLinkTarget(std::u16string_view address) {
  TzString trimmed(platform::trimmedEnd(address, kAnswerBlanks));
  if (trimmed.empty()) return std::nullopt;
  if (hyperlink::isMailtoLink(trimmed)) return LinkTarget{LinkTarget::Kind::Other, trimmed};
  if (hyperlink::isWebAddress(trimmed)) {
    // A file: URI names a file of this computer; the opener shows it as a file.
    TzString scheme = trimmed.substr(0, trimmed.find(u':'));
    if (!tzutEqualsNoCase(scheme, u"file")) return LinkTarget{LinkTarget::Kind::Other, trimmed};
    std::optional<TzString> path =
        platform::filePathInUriList(tzutToUtf8(u"file" + trimmed.substr(scheme.size())));
    if (!path) return LinkTarget{LinkTarget::Kind::MissingFile, trimmed};
    return fileTarget(*path);
  }
  return fileTarget(hyperlink::resolveTarget(trimmed));
}

}  // namespace linktools
