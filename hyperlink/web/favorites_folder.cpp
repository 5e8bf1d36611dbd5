#include "web/favorites_folder.h"

#include <cstdlib>

#include "platform/settings_store.h"
#include "platform/text.h"

namespace hyperlink {

namespace {

constexpr std::u16string_view kShellFoldersKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::optional<TzString> environmentValue(std::u16string_view name) {
  if (name.empty()) return std::nullopt;
  const char* value = std::getenv(platform::toFileName(name).c_str());
  if (value == nullptr) return std::nullopt;
  return platform::fromFileName(value);
}

bool isNameStart(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}
bool isNameChar(char16_t c) {
  return isNameStart(c) || (c >= u'0' && c <= u'9');
}

// A reference starting at `at`: its length in text and the variable's name; a length of 0
// when there is none.
struct Reference {
  size_t length = 0;
  std::u16string_view name;
};

Reference referenceAt(std::u16string_view text, size_t at) {
  char16_t c = text[at];
  if (c == u'%') {
    size_t end = text.find(u'%', at + 1);
    if (end == std::u16string_view::npos || end == at + 1) return {};
    return {end + 1 - at, text.substr(at + 1, end - at - 1)};
  }
  if (c != u'$' || at + 1 >= text.size()) return {};
  if (text[at + 1] == u'{') {
    size_t end = text.find(u'}', at + 2);
    if (end == std::u16string_view::npos || end == at + 2) return {};
    return {end + 1 - at, text.substr(at + 2, end - at - 2)};
  }
  if (!isNameStart(text[at + 1])) return {};
  size_t end = at + 1;
  while (end < text.size() && isNameChar(text[end])) ++end;
  return {end - at, text.substr(at + 1, end - at - 1)};
}

bool fits(const TzString& path) {
  return path.size() < kFavoritesPathCapacity;
}

std::optional<TzString> defaultFavoritesFolder() {
  std::optional<TzString> data = environmentValue(u"XDG_DATA_HOME");
  if (!data || data->empty() || data->front() != u'/') {
    std::optional<TzString> home = environmentValue(u"HOME");
    if (!home || home->empty()) return std::nullopt;
    data = *home + u"/.local/share";
  }
  return *data + u"/tzad/Favorites";
}

}  // namespace

TzString expandEnvironmentReferences(std::u16string_view text) {
  TzString out;
  size_t at = 0;
  if (!text.empty() && text[0] == u'~' && (text.size() == 1 || text[1] == u'/')) {
    if (std::optional<TzString> home = environmentValue(u"HOME")) {
      out = *home;
      at = 1;
    }
  }
  while (at < text.size()) {
    Reference ref = referenceAt(text, at);
    std::optional<TzString> value;
    if (ref.length > 0) value = environmentValue(ref.name);
    if (!value) {
      out += text[at++];
      continue;
    }
    out += *value;
    at += ref.length;
  }
  return out;
}

std::optional<TzString> favoritesFolderFrom(const std::optional<TzString>& storedValue) {
  if (storedValue && !fits(*storedValue)) return std::nullopt;
  std::optional<TzString> folder = storedValue && !storedValue->empty()
                                       ? expandEnvironmentReferences(*storedValue)
                                       : defaultFavoritesFolder();
  if (!folder || !fits(*folder)) return std::nullopt;
  return folder;
}

std::optional<TzString> readFavoritesFolder() {
  std::optional<platform::SettingsKey> key = platform::readSettingsKey(kShellFoldersKey);
  if (!key) return favoritesFolderFrom(std::nullopt);
  for (const platform::SettingsValue& value : key->values) {
    if (tzutEqualsNoCase(value.name, u"Favorites")) return favoritesFolderFrom(value.data);
  }
  return favoritesFolderFrom(std::nullopt);
}

}  // namespace hyperlink
