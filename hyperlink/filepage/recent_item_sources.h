// What the file and web page's three lists hold, read without any window: the values of a
// settings-store key (the typed addresses, or the desktop's recently used files), the browsed
// pages, and the one write, a typed address. recent_items.h puts them into the lists.
#pragma once

#include <optional>
#include <vector>

#include "tz_string.h"

namespace hyperlink {

// Key paths as the page opens them.
inline constexpr const char16_t* kTypedUrlsKey =
    u"Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline constexpr const char16_t* kOpenSaveMruKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\*";

// A value's data is read into 2049 characters, its terminating null included.
inline constexpr size_t kValueDataCharacters = 2049;

// The data of every value of the key except "MRUList" (any letter case), in the key's order;
// data that does not fit kValueDataCharacters is left out. Traces the key's subkeys and values.
// Nothing when the key cannot be opened.
std::optional<std::vector<TzString>> registryValueTexts(const char16_t* keyPath);

struct BrowsedPageEntry {
  TzString text;  // the title, or the address when the page has none
  TzString address;
};
// One entry per browsed page, the most recently visited first.
std::vector<BrowsedPageEntry> browsedPageEntries();

// Writes address as the typed address url<listCount>, replacing a value of that name. A failed
// write is not reported: the list shows the address all the same.
void recordTypedAddress(const TzString& address, size_t listCount);

}  // namespace hyperlink
