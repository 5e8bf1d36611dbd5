// Path rules: how a text is told apart as a URL, a relative path or an absolute one, and how a
// path splits into drive, folder, name and extension. Two sets, chosen at run time: Windows
// rules (drive letters, "\") and POSIX rules (the same algorithms with "/"). Under either,
// Windows-absolute forms (a drive letter, "\\share", a leading "\") are never relative.
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class PathStyle { Windows, Posix };

void setPathStyle(PathStyle style);
PathStyle pathStyle();
char16_t pathSeparator();

// A URL: a scheme of two or more characters (a letter, then letters, digits, "+", "-" or ".")
// followed by a colon ("http:", "mailto:", "file:"). "c:\x" is a drive, not a URL.
bool pathIsUrl(std::u16string_view text);
// A path that needs a base folder: not rooted, no drive letter, no "\\share".
bool pathIsRelative(std::u16string_view text);

struct SplitPath {
  std::u16string drive;      // "C:" (Windows form only)
  std::u16string folder;     // up to and with the last separator
  std::u16string name;       // without the extension
  std::u16string extension;  // from the last "." of the name on, e.g. ".dwg"
};
// Splits like the C runtime's _wsplitpath; "/" and "\" both separate folders.
SplitPath splitPath(std::u16string_view path);
// A relative path written with "\" (on Windows) made to work under the current rules.
std::u16string withNativeSeparators(std::u16string_view path);

}  // namespace platform
