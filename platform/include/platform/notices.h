// Messages for the user from the platform's services: why a target was not handed to the
// opener, which program could not open it, a clipboard that did not answer. They go to
// standard error unless the host names another place: tzad writes them on its command line,
// which in the main window is the panel.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

using NoticeSink = std::function<void(std::string_view line)>;

// An empty sink sends notices to standard error again. The sink set before is returned.
NoticeSink setNoticeSink(NoticeSink sink);
// One line of UTF-8, without its line end.
void notify(std::string_view line);

}  // namespace platform
