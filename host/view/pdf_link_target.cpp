#include "view/pdf_link_target.h"

#include <filesystem>
#include <string_view>

#include "platform/path_rules.h"
#include "platform/text.h"
#include "platform/trim.h"
#include "tz_string.h"

namespace tzad {

namespace {

bool isUnreserved(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

// Bytes that may stand in a URI as they are; `keep` adds the ones that mean something in it.
std::string percentEncoded(std::string_view bytes, std::string_view keep) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (isUnreserved(c) || keep.find(char(c)) != std::string_view::npos) {
      out += char(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

// What a typed web address keeps: its separators, and the escapes it was given.
constexpr std::string_view kUriKeeps = ":/?#[]@!$&()*+,;=%'";
// A path keeps its separators; "#", "?" and "%" in a file name are the name's own.
constexpr std::string_view kPathKeeps = "/:!$&()*+,;=@'";

std::string slashed(std::u16string_view path) {
  std::string bytes = platform::toFileName(std::u16string(path));
  for (char& c : bytes)
    if (c == '\\') c = '/';
  return bytes;
}

// A path with a drive letter ("C:/plans") or a share ("//server/plans").
bool isWindowsAbsolute(std::string_view path) {
  bool drive =
      path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
  return drive || path.starts_with("//");
}

std::string fileUri(std::string_view path) {
  if (path.starts_with("//")) return "file:" + percentEncoded(path, kPathKeeps);
  if (isWindowsAbsolute(path)) return "file:///" + percentEncoded(path, kPathKeeps);
  std::string normal = std::filesystem::path(path).lexically_normal().string();
  return "file://" + percentEncoded(normal, kPathKeeps);
}

std::string folderOf(std::u16string_view path) {
  std::string bytes = slashed(path);
  return bytes.substr(0, bytes.find_last_of('/') + 1);
}

std::string withSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// A relative address is relative to the hyperlink base, else to the drawing's folder. It stays
// relative where the PDF lies beside the drawing, so that the folder can move whole.
std::string relativeUri(const std::string& relative, const LinkingDrawing& drawing) {
  std::u16string base(platform::trimmed(drawing.hyperlinkBase));
  if (!base.empty()) {
    if (platform::pathIsUrl(base))
      return percentEncoded(withSlash(platform::toUtf8(base)), kUriKeeps) +
             percentEncoded(relative, kPathKeeps);
    std::string folder = withSlash(slashed(base));
    if (folder.starts_with("/") || isWindowsAbsolute(folder)) return fileUri(folder + relative);
  }
  if (drawing.path.empty()) return percentEncoded(relative, kPathKeeps);
  std::string folder = folderOf(drawing.path);
  if (withSlash(slashed(drawing.pdfFolder)) == folder) return percentEncoded(relative, kPathKeeps);
  return fileUri(folder + relative);
}

bool isDrawingFile(std::string_view path) {
  std::u16string extension = platform::splitPath(platform::fromUtf8(path)).extension;
  return tzutEqualsNoCase(extension, u".dxf") || tzutEqualsNoCase(extension, u".dwg");
}

// A named location in a web page or a document is its anchor; other drawings are opened at
// their start, as a PDF cannot say which of their views to show.
std::string withAnchor(std::string uri, const std::u16string& location, bool drawingFile) {
  if (location.empty() || drawingFile || uri.starts_with("mailto:")) return uri;
  return uri + "#" + percentEncoded(platform::toUtf8(location), kPathKeeps);
}

std::optional<PdfLinkTarget> addressTarget(std::u16string_view address,
                                           const std::u16string& location,
                                           const LinkingDrawing& drawing) {
  if (platform::pathIsUrl(address)) {
    std::string uri = percentEncoded(platform::toUtf8(address), kUriKeeps);
    return PdfLinkTarget{withAnchor(uri, location, false), {}};
  }
  std::string text = platform::toUtf8(address);
  if (tzutEqualsNoCase(address.substr(0, 4), u"www."))
    return PdfLinkTarget{withAnchor("http://" + percentEncoded(text, kUriKeeps), location, false),
                         {}};
  std::string path = slashed(address);
  bool absolute = path.starts_with("/") || isWindowsAbsolute(path);
  std::string uri = absolute ? fileUri(path) : relativeUri(path, drawing);
  return PdfLinkTarget{withAnchor(uri, location, isDrawingFile(path)), {}};
}

const std::u16string* findName(const std::vector<std::u16string>& names, std::u16string_view name) {
  for (const std::u16string& n : names)
    if (tzutEqualsNoCase(n, name)) return &n;
  return nullptr;
}

// "view,layout": the layout named, else the layout of the named view (a paper-space view
// shows on the first paper layout), else the model.
std::optional<PdfLinkTarget> locationTarget(std::u16string_view location,
                                            const LinkingDrawing& drawing) {
  if (drawing.layouts.empty()) return std::nullopt;
  size_t comma = location.find(u',');
  std::u16string_view view = platform::trimmed(location.substr(0, comma));
  std::u16string_view layout =
      comma == std::u16string_view::npos ? u"" : platform::trimmed(location.substr(comma + 1));
  if (view.empty() && layout.empty()) return std::nullopt;
  if (!layout.empty()) {
    const std::u16string* found = findName(drawing.layouts, layout);
    if (!found) return std::nullopt;
    return PdfLinkTarget{{}, *found};
  }
  bool paperView = findName(drawing.paperViews, view) != nullptr;
  if (paperView && drawing.layouts.size() > 1) return PdfLinkTarget{{}, drawing.layouts[1]};
  return PdfLinkTarget{{}, drawing.layouts.front()};
}

}  // namespace

std::optional<PdfLinkTarget> pdfLinkTarget(const std::u16string& address,
                                           const std::u16string& location,
                                           const LinkingDrawing& drawing) {
  std::u16string_view trimmedAddress = platform::trimmed(address);
  std::u16string trimmedLocation(platform::trimmed(location));
  // An address of "#" and a place names that place in this drawing, as some programs write a
  // link inside the drawing ("#,Sheet"); the link's own named location, where it has one, wins.
  if (trimmedAddress.starts_with(u'#')) {
    if (trimmedLocation.empty()) trimmedLocation = platform::trimmed(trimmedAddress.substr(1));
    trimmedAddress = {};
  }
  if (!trimmedAddress.empty()) return addressTarget(trimmedAddress, trimmedLocation, drawing);
  if (trimmedLocation.empty()) return std::nullopt;
  return locationTarget(trimmedLocation, drawing);
}

}  // namespace tzad
