// The hyperlink of an object under the mouse: what the view shows of it and follows.
#pragma once

#include <optional>
#include <string>

#include "tzdb_object_id.h"

namespace tzad {

struct ObjectLink {
  std::u16string address;
  std::u16string description;
  std::u16string location;
};

// The object's first hyperlink, or nothing when it has none.
std::optional<ObjectLink> objectLink(TzDbObjectId id);
// The tooltip of a linked object: its description, else its address (with its location), cut
// to platform::kShownLength characters on one line, and how to follow it.
std::u16string linkTooltip(const ObjectLink& link);

}  // namespace tzad
