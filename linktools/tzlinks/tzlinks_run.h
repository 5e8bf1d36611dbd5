// One tzlinks run: every drawing read once, in one process, its hyperlinks listed, checked or
// relinked and written out as they are found.
#pragma once

#include <cstdio>

#include "tzlinks/tzlinks_options.h"

namespace linktools {

// The exit status: 0, 1 when check found a broken hyperlink, 2 when a drawing could not be
// read or saved. Rows go to `out`; errors, and the summary of the JSON and CSV forms, to
// `messages`.
int runTzlinks(const TzlinksOptions& options, std::FILE* out, std::FILE* messages);

}  // namespace linktools
