#include "platform/settings_store.h"

#include <algorithm>

#include "glib_handles.h"
#include "platform/folders.h"
#include "platform/recent_files.h"
#include "platform/regular_file.h"
#include "platform/text.h"

namespace platform {

namespace {

bool equalNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && g_ascii_strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalNoCase(text.substr(0, prefix.size()), prefix);
}

// "\Software\\Vendor\" and "Software\Vendor" name the same key.
std::string canonicalPath(std::u16string_view keyPath) {
  std::string path;
  for (char c : toUtf8(keyPath)) {
    if (c == '\\' && (path.empty() || path.back() == '\\')) continue;
    path += c;
  }
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool fitsGroupName(std::string_view path) {
  return !path.empty() && std::none_of(path.begin(), path.end(), [](unsigned char c) {
    return c == '[' || c == ']' || c < 0x20 || c == 0x7f;
  });
}

bool fitsValueName(std::string_view name) {
  return !name.empty() && name.front() != '#' &&
         name.find_first_of("=[]\r\n") == std::string_view::npos &&
         !g_ascii_isspace(name.front()) && !g_ascii_isspace(name.back());
}

// The store's file; an absent file is an empty store, an unreadable or damaged one nullptr.
KeyFilePtr loadStore() {
  KeyFilePtr store(g_key_file_new());
  FileText file = readRegularFile(settingsStorePath());
  if (file.absent) return store;
  if (!file.ok()) return nullptr;
  if (g_key_file_load_from_data(store.get(), file.text.data(), file.text.size(),
                                G_KEY_FILE_KEEP_COMMENTS, nullptr))
    return store;
  return nullptr;
}

std::vector<std::string> groupNames(GKeyFile* store) {
  StringArrayPtr groups(g_key_file_get_groups(store, nullptr));
  std::vector<std::string> names;
  for (gchar** group = groups.get(); *group != nullptr; ++group) names.emplace_back(*group);
  return names;
}

std::optional<std::string> findGroup(GKeyFile* store, std::string_view path) {
  for (std::string& group : groupNames(store))
    if (equalNoCase(group, path)) return group;
  return std::nullopt;
}

std::vector<SettingsValue> valuesOf(GKeyFile* store, const std::string& group) {
  std::vector<SettingsValue> values;
  StringArrayPtr keys(g_key_file_get_keys(store, group.c_str(), nullptr, nullptr));
  if (!keys) return values;
  for (gchar** key = keys.get(); *key != nullptr; ++key) {
    GStringPtr data(g_key_file_get_string(store, group.c_str(), *key, nullptr));
    if (data) values.push_back({fromUtf8(*key), fromUtf8(data.get())});
  }
  return values;
}

// The direct subkeys of `path` that the groups below it imply, in the order of their first
// group. `exists` tells whether any group lies at or below the path.
std::vector<std::u16string> subkeysOf(GKeyFile* store, const std::string& path, bool& exists) {
  std::string below = path + '\\';
  std::vector<std::string> names;
  for (const std::string& group : groupNames(store)) {
    if (equalNoCase(group, path)) exists = true;
    if (!startsWithNoCase(group, below)) continue;
    exists = true;
    std::string rest = group.substr(below.size());
    std::string name = rest.substr(0, rest.find('\\'));
    bool known = std::any_of(names.begin(), names.end(),
                             [&](const std::string& n) { return equalNoCase(n, name); });
    if (!known) names.push_back(name);
  }
  std::vector<std::u16string> subkeys;
  for (const std::string& name : names) subkeys.push_back(fromUtf8(name));
  return subkeys;
}

SettingsKey recentFilesKey() {
  SettingsKey key;
  int order = 0;
  for (std::u16string& path : recentFiles())
    key.values.push_back({fromUtf8(std::to_string(++order)), std::move(path)});
  return key;
}

bool isRecentFilesKey(const std::string& path) {
  return equalNoCase(path, canonicalPath(kRecentFilesKey));
}

}  // namespace

std::string settingsStorePath() {
  return configHome() + "/tzad/registry.ini";
}

std::optional<SettingsKey> readSettingsKey(std::u16string_view keyPath) {
  std::string path = canonicalPath(keyPath);
  if (isRecentFilesKey(path)) return recentFilesKey();
  KeyFilePtr store = loadStore();
  if (!store) return std::nullopt;
  bool exists = false;
  SettingsKey key;
  key.subkeys = subkeysOf(store.get(), path, exists);
  if (!exists) return std::nullopt;
  if (auto group = findGroup(store.get(), path)) key.values = valuesOf(store.get(), *group);
  return key;
}

bool writeSettingsValue(std::u16string_view keyPath, std::u16string_view name,
                        std::u16string_view data) {
  std::string path = canonicalPath(keyPath);
  std::string valueName = toUtf8(name);
  if (isRecentFilesKey(path) || !fitsGroupName(path) || !fitsValueName(valueName)) return false;
  KeyFilePtr store = loadStore();
  if (!store) return false;
  std::string group = findGroup(store.get(), path).value_or(path);
  for (const SettingsValue& value : valuesOf(store.get(), group))
    if (equalNoCase(toUtf8(value.name), valueName)) valueName = toUtf8(value.name);
  g_key_file_set_string(store.get(), group.c_str(), valueName.c_str(), toUtf8(data).c_str());

  std::string folder = configHome() + "/tzad";
  if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) return false;
  // GLib writes a temporary file and renames it over the store.
  return g_key_file_save_to_file(store.get(), settingsStorePath().c_str(), nullptr);
}

}  // namespace platform
