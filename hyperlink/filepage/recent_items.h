// Where the file and web page's three lists come from: the desktop's recently used files,
// the user's browsing history and the typed addresses of the settings store, to which the
// page adds the address it shows.
#pragma once

#include "filepage/recent_item_sources.h"
#include "tz_string.h"

class wxItemContainer;

namespace hyperlink {

// Appends every value of the key at keyPath (except "MRUList") to list; false when the key
// cannot be opened (the list stays as it was).
bool loadRegistryValues(const char16_t* keyPath, wxItemContainer& list);
// Appends one entry per browsed page (title, or address when untitled), newest first; each
// entry's client data is a wxStringClientData holding the web address.
void loadBrowsedPages(wxItemContainer& list);
// Puts address first in list and records it as url<count> among the typed addresses, unless
// the list holds it already (compared ignoring case).
void rememberTypedAddress(wxItemContainer& list, const TzString& address);

}  // namespace hyperlink
