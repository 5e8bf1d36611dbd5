#include "platform/path_rules.h"

namespace platform {

namespace {

PathStyle gStyle = PathStyle::Posix;

bool isLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isSeparator(char16_t c) {
  return c == u'/' || c == u'\\';
}
bool hasDrive(std::u16string_view t) {
  return t.size() >= 2 && isLetter(t[0]) && t[1] == u':';
}

}  // namespace

void setPathStyle(PathStyle style) {
  gStyle = style;
}
PathStyle pathStyle() {
  return gStyle;
}
char16_t pathSeparator() {
  return gStyle == PathStyle::Windows ? u'\\' : u'/';
}

bool pathIsUrl(std::u16string_view text) {
  size_t colon = text.find(u':');
  if (colon == std::u16string_view::npos || colon < 2 || !isLetter(text[0])) return false;
  for (size_t i = 1; i < colon; ++i) {
    char16_t c = text[i];
    if (!isLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.')
      return false;
  }
  return true;
}

bool pathIsRelative(std::u16string_view text) {
  if (hasDrive(text)) return false;
  if (!text.empty() && text[0] == u'\\') return false;  // "\folder" and "\\share"
  if (gStyle == PathStyle::Posix && !text.empty() && text[0] == u'/') return false;
  return true;
}

SplitPath splitPath(std::u16string_view path) {
  SplitPath parts;
  if (hasDrive(path)) {
    parts.drive = path.substr(0, 2);
    path.remove_prefix(2);
  }
  size_t lastSeparator = std::u16string_view::npos;
  for (size_t i = 0; i < path.size(); ++i)
    if (isSeparator(path[i])) lastSeparator = i;
  size_t nameStart = lastSeparator == std::u16string_view::npos ? 0 : lastSeparator + 1;
  parts.folder = path.substr(0, nameStart);
  std::u16string_view file = path.substr(nameStart);
  size_t dot = file.rfind(u'.');
  if (dot == std::u16string_view::npos) {
    parts.name = file;
  } else {
    parts.name = file.substr(0, dot);
    parts.extension = file.substr(dot);
  }
  return parts;
}

std::u16string withNativeSeparators(std::u16string_view path) {
  std::u16string out(path);
  if (gStyle == PathStyle::Posix)
    for (char16_t& c : out)
      if (c == u'\\') c = u'/';
  return out;
}

}  // namespace platform
