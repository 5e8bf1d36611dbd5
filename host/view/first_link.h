// An object's first hyperlink, as the view shows it, the window follows it and a PDF links it.
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

}  // namespace tzad
