#include "filepage/recent_item_sources.h"

#include <string>

#include "platform/browsing_history.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "platform/trace.h"

namespace hyperlink {

namespace {

// The longest names the store hands out, as the registry counts them.
constexpr size_t kMaxSubkeyName = 255;
constexpr size_t kMaxValueName = 16383;

bool isMruList(const TzString& name) {
  return tzutEqualsNoCase(name, u"MRUList");
}

void traceSubkeys(const std::vector<TzString>& subkeys) {
  if (subkeys.empty()) return;
  platform::trace("\nNumber of subkeys: %d\n", static_cast<int>(subkeys.size()));
  for (size_t i = 0; i < subkeys.size(); ++i) {
    if (subkeys[i].size() > kMaxSubkeyName) continue;
    platform::trace("(%d) %s\n", static_cast<int>(i + 1), platform::toUtf8(subkeys[i]).c_str());
  }
}

}  // namespace

std::optional<std::vector<TzString>> registryValueTexts(const char16_t* keyPath) {
  std::optional<platform::SettingsKey> key = platform::readSettingsKey(keyPath);
  if (!key) return std::nullopt;
  traceSubkeys(key->subkeys);
  std::vector<TzString> texts;
  if (key->values.empty()) return texts;
  platform::trace("\nNumber of values: %d\n", static_cast<int>(key->values.size()));
  for (size_t i = 0; i < key->values.size(); ++i) {
    const platform::SettingsValue& value = key->values[i];
    if (value.name.size() > kMaxValueName || isMruList(value.name)) continue;
    // The data is a string with its terminating null; the entry ends at the first null.
    if (value.data.size() + 1 <= kValueDataCharacters)
      texts.push_back(value.data.substr(0, value.data.find(u'\0')));
    platform::trace("(%d) %s\n", static_cast<int>(i + 1), platform::toUtf8(value.name).c_str());
  }
  return texts;
}

std::vector<BrowsedPageEntry> browsedPageEntries() {
  std::vector<BrowsedPageEntry> entries;
  for (platform::BrowsedPage& page : platform::browsedPages()) {
    TzString text = page.title.empty() ? page.address : std::move(page.title);
    entries.push_back({std::move(text), std::move(page.address)});
  }
  return entries;
}

void recordTypedAddress(const TzString& address, size_t listCount) {
  platform::writeSettingsValue(kTypedUrlsKey,
                               u"url" + platform::fromUtf8(std::to_string(listCount)), address);
}

}  // namespace hyperlink
