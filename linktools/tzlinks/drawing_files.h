// The drawings a tzlinks run reads: each file named as it is, and in each folder named the
// ".dxf" files below it, in name order.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace linktools {

// Calls `each` with every drawing's path, as given or as found below a folder given
// ("plans" gives "plans/a/b.dxf"). Links to folders are not followed (a link loop would never
// end); links to files are. What cannot be read (a path that is not there, a folder that may
// not be listed) goes to `problem` in words, and the rest is still found.
void forEachDrawing(const std::vector<std::string>& paths,
                    const std::function<void(const std::string& path)>& each,
                    const std::function<void(const std::string& message)>& problem);

}  // namespace linktools
