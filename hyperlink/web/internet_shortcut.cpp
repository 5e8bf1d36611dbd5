#include "web/internet_shortcut.h"

#include <glib.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "platform/regular_file.h"
#include "platform/text.h"

namespace hyperlink {

namespace {

constexpr const char* kSection = "InternetShortcut";
constexpr const char* kKey = "URL";
// Far more than any shortcut holds (an address of 2048 characters and a few keys): a file
// past it is not one, and a link to a device must not be read without end.
constexpr size_t kMaxShortcutBytes = 64 * 1024;

struct KeyFileFree {
  void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileFree>;

struct StrvFree {
  void operator()(gchar** list) const { g_strfreev(list); }
};
using StringList = std::unique_ptr<gchar*[], StrvFree>;

struct GFree {
  void operator()(gchar* text) const { g_free(text); }
};
using GString8 = std::unique_ptr<gchar, GFree>;

// The name in the list that equals name ignoring ASCII case, or null.
const gchar* findNoCase(gchar** names, const char* name) {
  for (gchar** n = names; n != nullptr && *n != nullptr; ++n) {
    if (g_ascii_strcasecmp(*n, name) == 0) return *n;
  }
  return nullptr;
}

// The file's text as the key-file reader takes it. Shortcuts written on Windows may start with
// a byte-order mark and carry ";" comments or stray lines, which that reader refuses but the
// INI readers these files are made for pass over.
std::optional<std::string> readIniText(const TzString& path) {
  platform::FileText file =
      platform::readRegularFile(platform::toFileName(path), kMaxShortcutBytes);
  if (!file.ok()) return std::nullopt;
  std::istringstream in(file.text);
  std::string text;
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (first && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    first = false;
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == ';') continue;
    if (line[start] != '[' && line.find('=') == std::string::npos) continue;
    text += line;
    text += '\n';
  }
  return text;
}

}  // namespace

TzString readShortcutUrl(const TzString& path) {
  const std::optional<std::string> text = readIniText(path);
  if (!text) return {};
  KeyFile file(g_key_file_new());
  if (!g_key_file_load_from_data(file.get(), text->data(), text->size(), G_KEY_FILE_NONE,
                                 nullptr)) {
    return {};
  }
  StringList groups(g_key_file_get_groups(file.get(), nullptr));
  const gchar* group = findNoCase(groups.get(), kSection);
  if (group == nullptr) return {};
  StringList keys(g_key_file_get_keys(file.get(), group, nullptr, nullptr));
  const gchar* key = findNoCase(keys.get(), kKey);
  if (key == nullptr) return {};
  // The raw value: shortcut files carry addresses as written, without INI escapes.
  GString8 value(g_key_file_get_value(file.get(), group, key, nullptr));
  if (!value) return {};
  TzString url = platform::fromUtf8(value.get());
  url.resize(platform::utf16CutLength(url, kShortcutUrlCapacity - 1));
  return url;
}

bool writeShortcut(const TzString& path, const TzString& url) {
  if (url.find_first_of(u"\r\n") != TzString::npos) return false;
  KeyFile file(g_key_file_new());
  g_key_file_set_value(file.get(), kSection, kKey, platform::toUtf8(url).c_str());
  return g_key_file_save_to_file(file.get(), platform::toFileName(path).c_str(), nullptr);
}

}  // namespace hyperlink
