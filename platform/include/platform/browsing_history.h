// The user's history of browsed pages, from the browsers installed for the user: the default
// profile of Firefox (also as a snap or a flatpak) and the default profile of the
// Chromium-family browsers (Chromium, Google Chrome, Brave, Microsoft Edge, Vivaldi, Opera).
// Their databases are read from copies, since a running browser keeps them locked.
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

// Every page of every history found, the most recently visited first, each address once (with
// its latest visit, and a title when any browser has one). A history that is absent, cannot be
// read or is damaged adds nothing.
std::vector<BrowsedPage> browsedPages();

}  // namespace platform
