#include "platform/browsing_history.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <unordered_map>

#include "glib_handles.h"
#include "platform/folders.h"
#include "platform/text.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

// Chromium counts from 1601-01-01, Firefox from 1970-01-01; both in microseconds.
constexpr int64_t kChromiumEpochOffset = 11644473600LL * 1000000;

// Visible pages with their latest visit. Firefox hides frames and redirect sources.
constexpr const char* kFirefoxQuery =
    "SELECT p.url, p.title, MAX(v.visit_date) FROM moz_places p"
    " JOIN moz_historyvisits v ON v.place_id = p.id WHERE p.hidden = 0 GROUP BY p.id";
constexpr const char* kChromiumQuery =
    "SELECT url, title, last_visit_time FROM urls WHERE hidden = 0 AND last_visit_time > 0";

struct HistoryDatabase {
  fs::path file;
  const char* query;
  int64_t epochOffset;
};

// A folder of its own for the copies, removed with them.
class CopyFolder {
 public:
  CopyFolder() {
    GStringPtr made(g_dir_make_tmp("tzad-history-XXXXXX", nullptr));
    if (made) path_ = made.get();
  }
  ~CopyFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  CopyFolder(const CopyFolder&) = delete;
  CopyFolder& operator=(const CopyFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct SqliteCloser {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqlitePtr = std::unique_ptr<sqlite3, SqliteCloser>;
using StatementPtr = std::unique_ptr<sqlite3_stmt, SqliteCloser>;

// Copies the database, with its write-ahead log when there is one (recent visits may still
// be there), as "history" in the folder; false when the database cannot be copied.
bool copyDatabase(const fs::path& file, const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return false;
  if (!fs::copy_file(file, folder / "history", ec)) return false;
  fs::path log = file.string() + "-wal";
  if (fs::is_regular_file(log, ec)) fs::copy_file(log, folder / "history-wal", ec);
  return true;
}

std::u16string columnText(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  return text ? fromUtf8(reinterpret_cast<const char*>(text)) : std::u16string();
}

// The database's pages; none when any step fails, so a damaged file adds nothing.
std::vector<BrowsedPage> readDatabase(const HistoryDatabase& source) {
  CopyFolder folder;
  if (folder.path().empty() || !copyDatabase(source.file, folder.path())) return {};
  std::string copy = (folder.path() / "history").string();
  sqlite3* opened = nullptr;
  int status = sqlite3_open_v2(copy.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
  SqlitePtr db(opened);
  if (status != SQLITE_OK) return {};
  sqlite3_stmt* prepared = nullptr;
  status = sqlite3_prepare_v2(db.get(), source.query, -1, &prepared, nullptr);
  StatementPtr statement(prepared);
  if (status != SQLITE_OK) return {};
  std::vector<BrowsedPage> pages;
  while ((status = sqlite3_step(statement.get())) == SQLITE_ROW) {
    if (sqlite3_column_type(statement.get(), 0) == SQLITE_NULL) continue;
    pages.push_back({columnText(statement.get(), 0), columnText(statement.get(), 1),
                     sqlite3_column_int64(statement.get(), 2) - source.epochOffset});
  }
  if (status != SQLITE_DONE) return {};
  return pages;
}

// The profile folder profiles.ini names as the default: the one an installation uses
// ([Install...] Default=), else the profile marked Default=1, else the only profile.
std::optional<fs::path> firefoxDefaultProfile(const fs::path& root) {
  KeyFilePtr ini(g_key_file_new());
  if (!g_key_file_load_from_file(ini.get(), (root / "profiles.ini").c_str(), G_KEY_FILE_NONE,
                                 nullptr))
    return std::nullopt;
  StringArrayPtr groups(g_key_file_get_groups(ini.get(), nullptr));
  std::vector<std::string> profiles;
  for (gchar** group = groups.get(); *group != nullptr; ++group) {
    if (g_str_has_prefix(*group, "Install")) {
      GStringPtr path(g_key_file_get_string(ini.get(), *group, "Default", nullptr));
      if (path) return root / path.get();
    }
    if (g_str_has_prefix(*group, "Profile")) profiles.emplace_back(*group);
  }
  auto profilePath = [&](const std::string& group) -> std::optional<fs::path> {
    GStringPtr path(g_key_file_get_string(ini.get(), group.c_str(), "Path", nullptr));
    if (!path) return std::nullopt;
    bool relative = g_key_file_get_integer(ini.get(), group.c_str(), "IsRelative", nullptr) != 0;
    return relative ? root / path.get() : fs::path(path.get());
  };
  for (const std::string& group : profiles)
    if (g_key_file_get_integer(ini.get(), group.c_str(), "Default", nullptr) == 1)
      return profilePath(group);
  if (profiles.size() == 1) return profilePath(profiles.front());
  return std::nullopt;
}

std::vector<HistoryDatabase> historyDatabases() {
  fs::path home = homeFolder();
  fs::path config = configHome();
  std::vector<HistoryDatabase> found;
  for (const fs::path& root :
       {home / ".mozilla/firefox", home / "snap/firefox/common/.mozilla/firefox",
        home / ".var/app/org.mozilla.firefox/.mozilla/firefox"}) {
    if (auto profile = firefoxDefaultProfile(root))
      found.push_back({*profile / "places.sqlite", kFirefoxQuery, 0});
  }
  for (const fs::path& file :
       {config / "chromium/Default/History", config / "google-chrome/Default/History",
        config / "google-chrome-beta/Default/History",
        config / "google-chrome-unstable/Default/History",
        config / "BraveSoftware/Brave-Browser/Default/History",
        config / "microsoft-edge/Default/History", config / "vivaldi/Default/History",
        config / "opera/History", home / "snap/chromium/common/chromium/Default/History",
        home / ".var/app/org.chromium.Chromium/config/chromium/Default/History",
        home / ".var/app/com.google.Chrome/config/google-chrome/Default/History",
        home / ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/History"})
    found.push_back({file, kChromiumQuery, kChromiumEpochOffset});
  return found;
}

// Newest first; an address seen again keeps its newest visit and gains a title it lacked.
std::vector<BrowsedPage> merged(std::vector<BrowsedPage> pages) {
  std::stable_sort(pages.begin(), pages.end(), [](const BrowsedPage& a, const BrowsedPage& b) {
    return a.lastVisit > b.lastVisit;
  });
  std::vector<BrowsedPage> unique;
  std::unordered_map<std::u16string, size_t> seen;
  for (BrowsedPage& page : pages) {
    auto [at, added] = seen.emplace(page.address, unique.size());
    if (added) {
      unique.push_back(std::move(page));
    } else if (unique[at->second].title.empty()) {
      unique[at->second].title = std::move(page.title);
    }
  }
  return unique;
}

}  // namespace

std::vector<BrowsedPage> browsedPages() {
  std::vector<BrowsedPage> pages;
  for (const HistoryDatabase& source : historyDatabases()) {
    std::vector<BrowsedPage> read = readDatabase(source);
    pages.insert(pages.end(), std::make_move_iterator(read.begin()),
                 std::make_move_iterator(read.end()));
  }
  return merged(std::move(pages));
}

}  // namespace platform
