#include "filepage/recent_items.h"

#include <wx/clntdata.h>
#include <wx/ctrlsub.h>

#include <vector>

#include "tzui_dialog.h"

namespace hyperlink {

bool loadRegistryValues(const char16_t* keyPath, wxItemContainer& list) {
  std::optional<std::vector<TzString>> texts = registryValueTexts(keyPath);
  if (!texts) return false;
  wxArrayString entries;
  for (const TzString& text : *texts) entries.Add(TwUiString(text));
  if (!entries.empty()) list.Append(entries);
  return true;
}

void loadBrowsedPages(wxItemContainer& list) {
  std::vector<BrowsedPageEntry> pages = browsedPageEntries();
  if (pages.empty()) return;
  // A history holds thousands of pages: they go into the list in one step.
  wxArrayString entries;
  std::vector<wxClientData*> addresses;
  for (const BrowsedPageEntry& page : pages) {
    entries.Add(TwUiString(page.text));
    addresses.push_back(new wxStringClientData(TwUiString(page.address)));
  }
  list.Append(entries, addresses.data());
}

void rememberTypedAddress(wxItemContainer& list, const TzString& address) {
  wxString entry = TwUiString(address);
  if (list.FindString(entry, false) != wxNOT_FOUND) return;
  list.Insert(entry, 0);
  recordTypedAddress(address, list.GetCount());
}

}  // namespace hyperlink
