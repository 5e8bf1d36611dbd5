// Relative file targets as the file and web page shows them: which addresses are relative
// file paths, and an absolute path rewritten relative to a base folder. Texts only; the
// file system is never consulted.
#pragma once

#include "tz_string.h"

namespace hyperlink {

bool isRelativeFileAddress(const TzString& address);
// basePath ends with the folder separator when it is not empty.
TzString makeRelativePath(const TzString& path, const TzString& basePath);

}  // namespace hyperlink
