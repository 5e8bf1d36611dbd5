// Browsing history from a temporary home: a Firefox profile and Chromium-family histories
// made with SQLite in the browsers' own schemas, read while a "browser" holds them, damaged,
// or kept partly in a write-ahead log.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "platform/browsing_history.h"
#include "test_support.h"

using namespace tzt;
namespace fs = std::filesystem;

namespace {

constexpr int64_t kChromiumEpochOffset = 11644473600LL * 1000000;
// Midnight UTC of 2024-01-01 plus whole days, in microseconds since 1970.
int64_t day(int n) {
  return (1704067200LL + n * 86400LL) * 1000000;
}

constexpr const char* kFirefoxSchema =
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,"
    " rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL,"
    " typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL,"
    " last_visit_date INTEGER, guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL,"
    " url_hash INTEGER DEFAULT 0 NOT NULL, description TEXT, preview_image_url TEXT,"
    " origin_id INTEGER);"
    "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER,"
    " place_id INTEGER, visit_date INTEGER, visit_type INTEGER, session INTEGER,"
    " source INTEGER DEFAULT 0 NOT NULL, triggeringPlaceId INTEGER);";
constexpr const char* kChromiumSchema =
    "CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR,"
    " title LONGVARCHAR, visit_count INTEGER DEFAULT 0 NOT NULL,"
    " typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL,"
    " hidden INTEGER DEFAULT 0 NOT NULL);"
    "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL,"
    " visit_time INTEGER NOT NULL, from_visit INTEGER, transition INTEGER DEFAULT 0 NOT NULL,"
    " segment_id INTEGER, visit_duration INTEGER DEFAULT 0 NOT NULL);";

// One open database, as a browser keeps it.
class Database {
 public:
  Database(const fs::path& file, const char* schema) {
    fs::create_directories(file.parent_path());
    EXPECT_EQ(sqlite3_open(file.c_str(), &db_), SQLITE_OK);
    exec(schema);
  }
  ~Database() { sqlite3_close(db_); }
  void exec(const std::string& sql) {
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
    sqlite3_free(error);
  }
  // A page and its visits (microseconds since 1970); hidden pages are frames and redirects.
  void addFirefoxPage(int id, const std::string& url, const std::string& title,
                      std::initializer_list<int64_t> visits, bool hidden = false) {
    exec("INSERT INTO moz_places (id, url, title, hidden, last_visit_date) VALUES (" +
         std::to_string(id) + ", '" + url + "', " + (title.empty() ? "NULL" : "'" + title + "'") +
         ", " + (hidden ? "1" : "0") + ", NULL)");
    for (int64_t visit : visits)
      exec("INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) VALUES (" +
           std::to_string(id) + ", " + std::to_string(visit) + ", 1)");
  }
  void addChromiumPage(const std::string& url, const std::string& title, int64_t lastVisit,
                       bool hidden = false) {
    int64_t time = lastVisit + kChromiumEpochOffset;
    exec("INSERT INTO urls (url, title, visit_count, last_visit_time, hidden) VALUES ('" + url +
         "', '" + title + "', 1, " + std::to_string(time) + ", " + (hidden ? "1" : "0") + ")");
    exec("INSERT INTO visits (url, visit_time) VALUES (last_insert_rowid(), " +
         std::to_string(time) + ")");
  }

 private:
  sqlite3* db_ = nullptr;
};

fs::path firefoxRoot(const TemporaryHome& home) {
  return home.path() / ".mozilla" / "firefox";
}

// profiles.ini as Firefox writes it: the installation's default differs from the profile
// marked Default=1, and the installation's wins.
fs::path makeFirefoxProfiles(const TemporaryHome& home) {
  fs::create_directories(firefoxRoot(home));
  writeFile((firefoxRoot(home) / "profiles.ini").string(),
            "[Install4F96D1932A9F858E]\nDefault=k2x9.default-release\nLocked=1\n\n"
            "[Profile1]\nName=default-release\nIsRelative=1\nPath=k2x9.default-release\n\n"
            "[Profile0]\nName=default\nIsRelative=1\nPath=a1b2.default\nDefault=1\n\n"
            "[General]\nStartWithLastProfile=1\nVersion=2\n");
  return firefoxRoot(home) / "k2x9.default-release" / "places.sqlite";
}

std::vector<std::string> listed(const std::vector<platform::BrowsedPage>& pages) {
  std::vector<std::string> lines;
  for (const auto& page : pages)
    lines.push_back(u8(page.address) + " | " + u8(page.title) + " | " +
                    std::to_string((page.lastVisit - day(0)) / 86400000000LL));
  return lines;
}

TEST(BrowsingHistory, MergesBrowsersNewestFirst) {
  TemporaryHome home;
  Database firefox(makeFirefoxProfiles(home), kFirefoxSchema);
  firefox.addFirefoxPage(1, "https://www.debian.org/", "Debian", {day(1), day(4)});
  firefox.addFirefoxPage(2, "https://example.com/shared", "Shared page", {day(2)});
  firefox.addFirefoxPage(3, "https://example.com/frame", "Frame", {day(9)}, true);
  firefox.addFirefoxPage(4, "https://example.com/bookmarked-only", "Never visited", {});
  Database other(firefoxRoot(home) / "a1b2.default" / "places.sqlite", kFirefoxSchema);
  other.addFirefoxPage(1, "https://not-the-default-profile.org/", "Other", {day(8)});
  Database chrome(home.config() / "google-chrome" / "Default" / "History", kChromiumSchema);
  chrome.addChromiumPage("https://example.com/shared", "", day(6));
  chrome.addChromiumPage("https://www.gnu.org/", "", day(3));
  Database brave(home.config() / "BraveSoftware" / "Brave-Browser" / "Default" / "History",
                 kChromiumSchema);
  brave.addChromiumPage("https://search.brave.com/", "Brave Search", day(5));

  EXPECT_EQ(listed(platform::browsedPages()),
            (std::vector<std::string>{"https://example.com/shared | Shared page | 6",
                                      "https://search.brave.com/ | Brave Search | 5",
                                      "https://www.debian.org/ | Debian | 4",
                                      "https://www.gnu.org/ |  | 3"}));
}

// A running browser keeps its database locked and its newest pages in the write-ahead log;
// both are read as the browser sees them.
TEST(BrowsingHistory, ReadsWhatARunningBrowserHolds) {
  TemporaryHome home;
  Database firefox(makeFirefoxProfiles(home), kFirefoxSchema);
  firefox.exec("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
  firefox.addFirefoxPage(1, "https://www.mozilla.org/", "Mozilla", {day(2)});
  Database chromium(home.config() / "chromium" / "Default" / "History", kChromiumSchema);
  chromium.addChromiumPage("https://www.chromium.org/", "Chromium", day(1));
  chromium.exec("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;");
  chromium.addChromiumPage("https://uncommitted.example/", "Uncommitted", day(3));

  EXPECT_EQ(listed(platform::browsedPages()),
            (std::vector<std::string>{"https://www.mozilla.org/ | Mozilla | 2",
                                      "https://www.chromium.org/ | Chromium | 1"}));
}

TEST(BrowsingHistory, DamagedOrForeignDatabasesAddNothing) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
  } cases[] = {
      {"not a database", [](const fs::path& f) { writeFile(f.string(), "SQLite format 2\n"); }},
      {"another program's database",
       [](const fs::path& f) { Database(f, "CREATE TABLE notes(text TEXT);"); }},
      {"cut short",
       [](const fs::path& f) {
         {
           Database db(f, kChromiumSchema);
           for (int i = 0; i < 400; ++i)
             db.addChromiumPage("https://example.com/" + std::to_string(i), "page", day(1));
         }
         fs::resize_file(f, fs::file_size(f) / 2);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TemporaryHome home;
    fs::path history = home.config() / "vivaldi" / "Default" / "History";
    fs::create_directories(history.parent_path());
    c.make(history);
    Database chromium(home.config() / "chromium" / "Default" / "History", kChromiumSchema);
    chromium.addChromiumPage("https://www.chromium.org/", "Chromium", day(1));
    EXPECT_EQ(listed(platform::browsedPages()),
              (std::vector<std::string>{"https://www.chromium.org/ | Chromium | 1"}));
  }
}

TEST(BrowsingHistory, FirefoxProfileChoice) {
  struct Case {
    const char* what;
    const char* ini;
    const char* profile;  // where the listed history lies, relative to the Firefox folder
  } cases[] = {
      {"marked default",
       "[Profile0]\nName=a\nIsRelative=1\nPath=a\n\n"
       "[Profile1]\nName=b\nIsRelative=1\nPath=b\nDefault=1\n",
       "b"},
      {"the only profile", "[Profile0]\nName=a\nIsRelative=1\nPath=a\n", "a"},
      {"an absolute path", "[Profile0]\nName=a\nIsRelative=0\nPath=@ROOT@/elsewhere\n",
       "elsewhere"},
      {"two profiles, none marked",
       "[Profile0]\nName=a\nIsRelative=1\nPath=a\n\n[Profile1]\nName=b\nIsRelative=1\nPath=b\n",
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TemporaryHome home;
    fs::create_directories(firefoxRoot(home));
    std::string ini = c.ini;
    if (size_t at = ini.find("@ROOT@"); at != std::string::npos)
      ini.replace(at, 6, firefoxRoot(home).string());
    writeFile((firefoxRoot(home) / "profiles.ini").string(), ini);
    for (const char* name : {"a", "b", "elsewhere"}) {
      Database db(firefoxRoot(home) / name / "places.sqlite", kFirefoxSchema);
      db.addFirefoxPage(1, std::string("https://") + name + ".example/", name, {day(1)});
    }
    std::vector<std::string> expected;
    if (c.profile)
      expected.push_back(std::string("https://") + c.profile + ".example/ | " + c.profile + " | 1");
    EXPECT_EQ(listed(platform::browsedPages()), expected);
  }
}

}  // namespace
