// One input of each fuzz target, checked: the fuzzers and the regression tests run the same
// functions. Each returns what went wrong, or an empty text when everything held.
#pragma once

#include <string>
#include <string_view>

namespace tzfuzz {

// The bytes as a drawing file: loaded, every entity's hyperlinks read, saved unchanged (byte
// for byte), some hyperlinks changed as the input's last bytes choose, saved (once where it
// cannot be), loaded again.
std::string checkDrawing(std::string_view bytes);
// The bytes as each clipboard type: a hyperlink, a web address or a file name read from them.
std::string checkClipboard(std::string_view bytes);
// The bytes as a hyperlink target (and a base folder), under both path styles.
std::string checkLinkTargets(std::string_view bytes);

}  // namespace tzfuzz
