// The user's history of browsed pages, from the browsers installed for the user: the default
// profile of Firefox (also as a snap or a flatpak) and the default profile of the
// Chromium-family browsers (Chromium, Google Chrome, Brave, Microsoft Edge, Vivaldi, Opera).
// Their databases are read where they lie, read-only and without taking a lock (a running
// browser keeps them locked); one whose newest visits are still in the browser's write-ahead
// log is read from a copy of both when it is not too large to copy.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct BrowsedPage {
  std::u16string address;
  std::u16string title;   // may be empty
  int64_t lastVisit = 0;  // microseconds since 1970-01-01 UTC
};

// The pages of the histories found, the most recently visited first, each address once (with
// its latest visit, and a title when any browser has one), at most 1000 of them; an address
// longer than a hyperlink holds (2048 characters) is left out. A history that is absent,
// cannot be read or is damaged adds nothing.
std::vector<BrowsedPage> browsedPages();

}  // namespace platform
