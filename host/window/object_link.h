// The hyperlink of an object under the mouse: what the view shows of it and follows.
#pragma once

#include <string>

#include "view/first_link.h"

namespace tzad {

// The tooltip of a linked object: its description, else its address (with its location), cut
// to platform::kShownLength characters on one line, and how to follow it when it can be.
std::u16string linkTooltip(const ObjectLink& link, bool followed);

}  // namespace tzad
