// Templates and pictures of a resource library, read through the functions it exports.
#pragma once

#include <string_view>

#include "tzres_resource.h"

namespace tzui {

// The bytes of template id in the host's language, or empty when the library has none.
std::string_view templateBytes(HINSTANCE resources, unsigned id);
// The SVG of picture id, or empty.
std::string_view imageBytes(HINSTANCE resources, unsigned id);

}  // namespace tzui
