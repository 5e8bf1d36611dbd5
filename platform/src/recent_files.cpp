#include "platform/recent_files.h"

#include <gio/gio.h>

#include <algorithm>
#include <filesystem>

#include "glib_handles.h"
#include "platform/folders.h"
#include "platform/regular_file.h"
#include "platform/text.h"

namespace platform {

namespace {

constexpr const char* kApplicationName = "tzad";
constexpr const char* kApplicationCommand = "tzad %u";

struct RecentFile {
  std::u16string path;
  gint64 usedAt;  // microseconds since 1970
};

// The later of the entry's modification and visit: programs update one or the other.
gint64 lastUse(GBookmarkFile* list, const char* uri) {
  gint64 latest = 0;
  for (auto read :
       {g_bookmark_file_get_modified_date_time, g_bookmark_file_get_visited_date_time}) {
    GDateTime* time = read(list, uri, nullptr);  // owned by the list
    if (time == nullptr) continue;
    gint64 microseconds =
        g_date_time_to_unix(time) * G_USEC_PER_SEC + g_date_time_get_microsecond(time);
    latest = std::max(latest, microseconds);
  }
  return latest;
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
  BookmarkFilePtr list = loadList();
  if (!list) return {};
  std::vector<RecentFile> files;
  gsize count = 0;
  StringArrayPtr uris(g_bookmark_file_get_uris(list.get(), &count));
  for (gsize i = 0; i < count; ++i) {
    const char* uri = uris.get()[i];
    if (g_ascii_strncasecmp(uri, "file://", 7) != 0) continue;
    GStringPtr fileName(g_filename_from_uri(uri, nullptr, nullptr));
    if (!fileName) continue;
    files.push_back({fromFileName(fileName.get()), lastUse(list.get(), uri)});
  }
  std::stable_sort(files.begin(), files.end(),
                   [](const RecentFile& a, const RecentFile& b) { return a.usedAt > b.usedAt; });
  std::vector<std::u16string> paths;
  for (RecentFile& file : files) paths.push_back(std::move(file.path));
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
