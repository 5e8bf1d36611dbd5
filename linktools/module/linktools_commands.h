// The commands of LinkTools.tzx.
#pragma once

namespace linktools {

void checkCommand();    // HYPERLINKCHECK
void replaceCommand();  // -HYPERLINKREPLACE
void hyperlinksCommand();  // HYPERLINKS

}  // namespace linktools
