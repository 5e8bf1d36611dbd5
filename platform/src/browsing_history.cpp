#include "platform/browsing_history.h"

#include <sqlite3.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <unordered_map>

#include "glib_handles.h"
#include "platform/folders.h"
#include "platform/regular_file.h"
#include "platform/text.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

// Chromium counts from 1601-01-01, Firefox from 1970-01-01; both in microseconds.
constexpr int64_t kChromiumEpochOffset = 11644473600LL * 1000000;

// Visible pages by their latest visit, the newest first, at most "?" of them: both browsers
// keep the latest visit of each page beside it (Firefox with an index on it), so the newest
// pages of a history of any size are found at once. An address longer than a hyperlink can
// hold (2048 characters) cannot become one.
constexpr const char* kFirefoxQuery =
    "SELECT url, title, last_visit_date FROM moz_places"
    " WHERE hidden = 0 AND last_visit_date > 0 AND length(url) <= 2048"
    " ORDER BY last_visit_date DESC LIMIT ?";
constexpr const char* kChromiumQuery =
    "SELECT url, title, last_visit_time FROM urls"
    " WHERE hidden = 0 AND last_visit_time > 0 AND length(url) <= 2048"
    " ORDER BY last_visit_time DESC LIMIT ?";

// What the history lists offer: the newest pages, enough for any person's choosing and few
// enough for the list to show at once.
constexpr int kMaxPages = 1000;
constexpr size_t kMaxAddressLength = 2048;
// A database that cannot be read in place is copied and read again only up to this size, so
// that a damaged history of gigabytes is not copied at every look.
constexpr off_t kMaxCopiedBytes = off_t(256) << 20;

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

// Copies a regular file of at most kMaxCopiedBytes as `to`.
bool copyRegularFile(const fs::path& from, const fs::path& to) {
  RegularFile source(from);
  if (!source.ok() || source.status().st_size > kMaxCopiedBytes) return false;
  std::ofstream out(to, std::ios::binary);
  char buffer[65536];
  ssize_t n;
  while ((n = ::read(source.fd(), buffer, sizeof buffer)) > 0)
    if (!out.write(buffer, n)) return false;
  return n == 0 && out.flush();
}

// Copies the database, with its write-ahead log when there is one (recent visits may still
// be there), as "history" in the folder; false when the database cannot be copied.
bool copyDatabase(const fs::path& file, const fs::path& folder) {
  if (!copyRegularFile(file, folder / "history")) return false;
  fs::path log = file.string() + "-wal";
  std::error_code ec;
  if (fs::exists(log, ec)) copyRegularFile(log, folder / "history-wal");
  return true;
}

std::u16string columnText(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  return text ? fromUtf8(reinterpret_cast<const char*>(text)) : std::u16string();
}

// The database's pages; nothing when any step fails, so a damaged file adds nothing.
std::optional<std::vector<BrowsedPage>> query(sqlite3* db, const HistoryDatabase& source) {
  sqlite3_stmt* prepared = nullptr;
  int status = sqlite3_prepare_v2(db, source.query, -1, &prepared, nullptr);
  StatementPtr statement(prepared);
  if (status != SQLITE_OK || sqlite3_bind_int(prepared, 1, kMaxPages) != SQLITE_OK)
    return std::nullopt;
  std::vector<BrowsedPage> pages;
  while ((status = sqlite3_step(prepared)) == SQLITE_ROW) {
    if (sqlite3_column_type(prepared, 0) == SQLITE_NULL) continue;
    BrowsedPage page{columnText(prepared, 0), columnText(prepared, 1),
                     sqlite3_column_int64(prepared, 2) - source.epochOffset};
    if (page.address.size() <= kMaxAddressLength) pages.push_back(std::move(page));
  }
  if (status != SQLITE_DONE) return std::nullopt;
  return pages;
}

// The pages of the database a file name or a "file:" URI names, opened read-only.
std::optional<std::vector<BrowsedPage>> queryFile(const std::string& name,
                                                  const HistoryDatabase& source) {
  sqlite3* opened = nullptr;
  int status =
      sqlite3_open_v2(name.c_str(), &opened, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  SqlitePtr db(opened);
  if (status != SQLITE_OK) return std::nullopt;
  return query(db.get(), source);
}

// The database read where it lies, as an unchanging file: no lock is taken and no file is
// made beside it, so a running browser is not disturbed, and a history of gigabytes costs what
// its newest pages cost. The file is opened here first, so that only a regular file is read.
std::optional<std::vector<BrowsedPage>> readInPlace(const HistoryDatabase& source) {
  RegularFile file(source.file);
  if (!file.ok()) return std::nullopt;
  return queryFile("file:/proc/self/fd/" + std::to_string(file.fd()) + "?immutable=1", source);
}

std::optional<std::vector<BrowsedPage>> readCopy(const HistoryDatabase& source) {
  CopyFolder folder;
  if (folder.path().empty() || !copyDatabase(source.file, folder.path())) return std::nullopt;
  return queryFile((folder.path() / "history").string(), source);
}

// Whether a browser keeps pages in its write-ahead log that the database itself lacks yet.
bool hasWriteAheadLog(const fs::path& file) {
  std::error_code ec;
  fs::path log = file.string() + "-wal";
  return fs::is_regular_file(log, ec) && fs::file_size(log, ec) > 0;
}

// Read in place where that shows every page; pages a running browser still keeps in its
// write-ahead log only a copy of database and log shows, and a database too large to copy (or
// one that cannot be read in place at all) is read without them.
std::vector<BrowsedPage> readDatabase(const HistoryDatabase& source) {
  bool logged = hasWriteAheadLog(source.file);
  std::optional<std::vector<BrowsedPage>> pages;
  if (!logged) pages = readInPlace(source);
  if (!pages) pages = readCopy(source);
  if (!pages && logged) pages = readInPlace(source);
  return pages.value_or(std::vector<BrowsedPage>{});
}

// The profile folder profiles.ini names as the default: the one an installation uses
// ([Install...] Default=), else the profile marked Default=1, else the only profile.
std::optional<fs::path> firefoxDefaultProfile(const fs::path& root) {
  KeyFilePtr ini(g_key_file_new());
  FileText text = readRegularFile(root / "profiles.ini");
  if (!text.ok() || !g_key_file_load_from_data(ini.get(), text.text.data(), text.text.size(),
                                               G_KEY_FILE_NONE, nullptr))
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
    if (added && unique.size() == kMaxPages) break;
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
