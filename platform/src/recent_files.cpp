#include "platform/recent_files.h"

#include <gio/gio.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include "glib_handles.h"
#include "platform/folders.h"
#include "platform/regular_file.h"
#include "platform/text.h"
#include "platform/trim.h"

namespace platform {

namespace {

constexpr const char* kApplicationName = "tzad";
constexpr const char* kApplicationCommand = "tzad %u";

// What the list offers tzad's file lists: the most recently used files, enough for anyone's
// choosing and few enough for a list to show at once.
constexpr size_t kMaxFiles = 1000;

struct RecentFile {
  std::string uri;
  gint64 usedAt = 0;  // microseconds since 1970
};

// The number the digits spell; -1 when there are none or anything else is there.
int digits(std::string_view text) {
  int value = text.empty() ? -1 : 0;
  for (char c : text) {
    if (!g_ascii_isdigit(c)) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
gint64 daysSinceEpoch(int year, int month, int day) {
  int y = month <= 2 ? year - 1 : year;
  int era = y / 400, yearOfEra = y - era * 400;
  int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return gint64(era) * 146097 + dayOfEra - 719468;
}

// GLib's own form of a time, "2024-03-01T10:00:00Z" with or without up to six digits of a
// fraction of a second, in microseconds since 1970; nothing for any other form.
std::optional<gint64> plainTimeOf(std::string_view text) {
  if (text.size() < 20 || text.back() != 'Z' || text[4] != '-' || text[7] != '-' ||
      text[10] != 'T' || text[13] != ':' || text[16] != ':')
    return std::nullopt;
  std::string_view fractionDigits = text.substr(19, text.size() - 20);
  if (!fractionDigits.empty() && (fractionDigits[0] != '.' || fractionDigits.size() > 7))
    return std::nullopt;
  fractionDigits = fractionDigits.empty() ? "0" : fractionDigits.substr(1);
  int year = digits(text.substr(0, 4)), month = digits(text.substr(5, 2));
  int day = digits(text.substr(8, 2)), hour = digits(text.substr(11, 2));
  int minute = digits(text.substr(14, 2)), second = digits(text.substr(17, 2));
  int fraction = digits(fractionDigits);
  if (std::min({year, day, hour, minute, second, fraction}) < 0 || month < 1 || month > 12)
    return std::nullopt;
  for (size_t i = fractionDigits.size(); i < 6; ++i) fraction *= 10;
  gint64 seconds = ((daysSinceEpoch(year, month, day) * 24 + hour) * 60 + minute) * 60 + second;
  return seconds * G_USEC_PER_SEC + fraction;
}

// A time as the list holds it, in microseconds since 1970; 0 when it cannot be read. A list
// may hold a hundred thousand of them: GLib's own form is read directly, others by GLib.
gint64 timeOf(const char* text) {
  if (std::optional<gint64> plain = plainTimeOf(text)) return *plain;
  DateTimePtr time(g_date_time_new_from_iso8601(text, nullptr));
  if (!time) return 0;
  return g_date_time_to_unix(time.get()) * G_USEC_PER_SEC + g_date_time_get_microsecond(time.get());
}

// XML's named entities and character references in an attribute's value; nothing when one
// is not well formed.
std::optional<std::string> unescaped(std::string_view value) {
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  std::string out;
  for (size_t at = 0; at < value.size(); ++at) {
    if (value[at] != '&') {
      out += value[at];
      continue;
    }
    size_t end = value.find(';', at);
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view entity = value.substr(at + 1, end - at - 1);
    at = end;
    auto named = std::find_if(std::begin(kNamed), std::end(kNamed),
                              [&](const auto& known) { return known.first == entity; });
    if (named != std::end(kNamed)) {
      out += named->second;
      continue;
    }
    bool hex = entity.starts_with("#x");
    std::string number(entity.substr(hex ? 2 : 1));
    char* stop = nullptr;
    unsigned long code = std::strtoul(number.c_str(), &stop, hex ? 16 : 10);
    if (!entity.starts_with('#') || number.empty() || *stop != '\0' || code == 0 || code > 0x10FFFF)
      return std::nullopt;
    appendUtf8(out, static_cast<char32_t>(code));
  }
  return out;
}

// Reads the attributes of a bookmark tag from `at` (just past its name) to its end, keeping
// its address and its latest use, the later of its modification and visit (programs update one
// or the other); the position after the tag, or nothing when the tag is not well formed.
std::optional<size_t> readBookmark(std::string_view text, size_t at, RecentFile& file) {
  constexpr std::string_view kSpace = " \t\r\n";
  for (;;) {
    at = text.find_first_not_of(kSpace, at);
    if (at == std::string_view::npos) return std::nullopt;
    if (text[at] == '>') return at + 1;
    if (text.substr(at, 2) == "/>") return at + 2;
    size_t equals = text.find('=', at);
    size_t open =
        text.find_first_not_of(kSpace, equals == std::string_view::npos ? equals : equals + 1);
    if (open == std::string_view::npos || (text[open] != '"' && text[open] != '\''))
      return std::nullopt;
    size_t close = text.find(text[open], open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view name = trimmed(text.substr(at, equals - at), kSpace);
    std::optional<std::string> value = unescaped(text.substr(open + 1, close - open - 1));
    if (!value) return std::nullopt;
    if (name == "href")
      file.uri = std::move(*value);
    else if (name == "modified" || name == "visited")
      file.usedAt = std::max(file.usedAt, timeOf(value->c_str()));
    at = close + 1;
  }
}

// The list's local files with their latest use. Only the bookmark tags are read: loading the
// whole list with GLib, or even parsing every element of it, takes a noticeable while for a
// list of a hundred thousand files, which opening a dialog must not. Nothing when the text is
// not an XBEL list or a bookmark tag in it is damaged.
std::optional<std::vector<RecentFile>> scanBookmarks(std::string_view text) {
  if (text.find("<xbel") == std::string_view::npos) return std::nullopt;
  std::vector<RecentFile> files;
  for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
    std::string_view rest = text.substr(at);
    if (rest.starts_with("<!--") || rest.starts_with("<![CDATA[")) {
      at = text.find(rest[2] == '-' ? "-->" : "]]>", at);
      continue;
    }
    bool bookmark = rest.size() > 9 && rest.starts_with("<bookmark") &&
                    std::string_view(" \t\r\n/>").find(rest[9]) != std::string_view::npos;
    if (!bookmark) {
      ++at;
      continue;
    }
    RecentFile file;
    std::optional<size_t> end = readBookmark(text, at + 9, file);
    if (!end) return std::nullopt;
    if (g_ascii_strncasecmp(file.uri.c_str(), "file://", 7) == 0) files.push_back(std::move(file));
    at = *end;
  }
  return files;
}

// Whether a file:// address's host is this computer. "file://server/share/x.dxf" names a file
// on another computer: read as a path here, it would pose as the local /share/x.dxf.
bool isThisHost(const char* host) {
  return host == nullptr || *host == '\0' || g_ascii_strcasecmp(host, "localhost") == 0 ||
         g_ascii_strcasecmp(host, g_get_host_name()) == 0;
}

// A MIME type for the file from its name; drawings keep theirs where the desktop's MIME
// database does not know them.
std::string guessedMimeType(const std::string& fileName) {
  gboolean uncertain = FALSE;
  GStringPtr type(g_content_type_guess(fileName.c_str(), nullptr, 0, &uncertain));
  GStringPtr mime(type ? g_content_type_get_mime_type(type.get()) : nullptr);
  std::string guess = mime ? mime.get() : "";
  if (!guess.empty() && guess != "application/octet-stream") return guess;
  std::string extension = std::filesystem::path(fileName).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".dxf") return "image/vnd.dxf";
  if (extension == ".dwg") return "image/vnd.dwg";
  return "application/octet-stream";
}

// Loads the list; an absent file is an empty list, a damaged or unreadable one is nullptr.
BookmarkFilePtr loadList() {
  BookmarkFilePtr list(g_bookmark_file_new());
  FileText file = readRegularFile(recentFilesPath());
  if (file.absent) return list;
  if (!file.ok()) return nullptr;
  if (g_bookmark_file_load_from_data(list.get(), file.text.data(), file.text.size(), nullptr))
    return list;
  return nullptr;
}

}  // namespace

std::string recentFilesPath() {
  return dataHome() + "/recently-used.xbel";
}

std::vector<std::u16string> recentFiles() {
  FileText list = readRegularFile(recentFilesPath());
  std::vector<RecentFile> files = scanBookmarks(list.text).value_or(std::vector<RecentFile>{});
  auto newer = [](const RecentFile& a, const RecentFile& b) { return a.usedAt > b.usedAt; };
  std::stable_sort(files.begin(), files.end(), newer);
  std::vector<std::u16string> paths;
  for (size_t i = 0; i < files.size() && paths.size() < kMaxFiles; ++i) {
    gchar* host = nullptr;
    GStringPtr fileName(g_filename_from_uri(files[i].uri.c_str(), &host, nullptr));
    GStringPtr hostName(host);
    if (fileName && isThisHost(hostName.get())) paths.push_back(fromFileName(fileName.get()));
  }
  return paths;
}

bool addRecentFile(std::u16string_view path, std::string_view mimeType) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(toFileName(path), ec);
  if (ec) return false;
  std::string fileName = absolute.lexically_normal().string();
  GStringPtr uri(g_filename_to_uri(fileName.c_str(), nullptr, nullptr));
  if (!uri) return false;
  BookmarkFilePtr list = loadList();
  if (!list) return false;

  std::string mime = mimeType.empty() ? guessedMimeType(fileName) : std::string(mimeType);
  g_bookmark_file_set_mime_type(list.get(), uri.get(), mime.c_str());
  DateTimePtr now(g_date_time_new_now_utc());
  g_bookmark_file_add_application(list.get(), uri.get(), kApplicationName, kApplicationCommand);
  g_bookmark_file_set_modified_date_time(list.get(), uri.get(), now.get());
  g_bookmark_file_set_visited_date_time(list.get(), uri.get(), now.get());

  std::string folder = dataHome();
  if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) return false;
  // GLib writes a temporary file and renames it over the list.
  return g_bookmark_file_to_file(list.get(), recentFilesPath().c_str(), nullptr);
}

}  // namespace platform
