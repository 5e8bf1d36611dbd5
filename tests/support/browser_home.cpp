#include "browser_home.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tzt {

namespace fs = std::filesystem;

const char* const kFirefoxSchema =
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,"
    " hidden INTEGER DEFAULT 0 NOT NULL, last_visit_date INTEGER);"
    "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, place_id INTEGER,"
    " visit_date INTEGER, visit_type INTEGER);";
const char* const kChromiumSchema =
    "CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR, title LONGVARCHAR,"
    " visit_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL,"
    " hidden INTEGER DEFAULT 0 NOT NULL);"
    "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL,"
    " visit_time INTEGER NOT NULL);";

// Chromium counts microseconds from 1601.
constexpr int64_t kChromiumEpochOffset = 11644473600LL * 1000000;

HistoryDatabase::HistoryDatabase(const fs::path& file, const char* schema) {
  fs::create_directories(file.parent_path());
  EXPECT_EQ(sqlite3_open(file.c_str(), &db_), SQLITE_OK);
  exec(schema);
}

HistoryDatabase::~HistoryDatabase() {
  sqlite3_close(db_);
}

void HistoryDatabase::exec(const std::string& sql) {
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
  sqlite3_free(error);
}

void HistoryDatabase::addFirefoxPage(int id, const std::string& url, const std::string& title,
                                     std::initializer_list<int64_t> visits, bool hidden) {
  // Firefox keeps each page's latest visit beside it.
  int64_t latest = visits.size() == 0 ? 0 : std::max(visits);
  exec("INSERT INTO moz_places (id, url, title, hidden, last_visit_date) VALUES (" +
       std::to_string(id) + ", '" + url + "', " + (title.empty() ? "NULL" : "'" + title + "'") +
       ", " + (hidden ? "1" : "0") + ", " + (latest ? std::to_string(latest) : "NULL") + ")");
  for (int64_t visit : visits)
    exec("INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) VALUES (" +
         std::to_string(id) + ", " + std::to_string(visit) + ", 1)");
}

void HistoryDatabase::addChromiumPage(const std::string& url, const std::string& title,
                                      int64_t lastVisit, bool hidden) {
  int64_t time = lastVisit + kChromiumEpochOffset;
  exec("INSERT INTO urls (url, title, visit_count, last_visit_time, hidden) VALUES ('" + url +
       "', '" + title + "', 1, " + std::to_string(time) + ", " + (hidden ? "1" : "0") + ")");
  exec("INSERT INTO visits (url, visit_time) VALUES (last_insert_rowid(), " + std::to_string(time) +
       ")");
}

fs::path firefoxRoot(const TemporaryHome& home) {
  return home.path() / ".mozilla" / "firefox";
}

fs::path makeFirefoxProfile(const TemporaryHome& home) {
  fs::create_directories(firefoxRoot(home));
  writeFile((firefoxRoot(home) / "profiles.ini").string(),
            "[Profile0]\nName=default\nIsRelative=1\nPath=p.default\nDefault=1\n\n"
            "[General]\nStartWithLastProfile=1\nVersion=2\n");
  return firefoxRoot(home) / "p.default" / "places.sqlite";
}

std::string recentBookmark(const std::string& href, const std::string& modified,
                           const std::string& visited) {
  return "  <bookmark href=\"" + href + "\" added=\"2024-01-01T00:00:00Z\" modified=\"" + modified +
         "\" visited=\"" + visited +
         "\">\n    <info>\n      <metadata owner=\"http://freedesktop.org\">\n"
         "        <mime:mime-type type=\"image/vnd.dxf\"/>\n"
         "        <bookmark:applications>\n"
         "          <bookmark:application name=\"librecad\" exec=\"&apos;librecad %u&apos;\""
         " modified=\"" +
         modified +
         "\" count=\"1\"/>\n        </bookmark:applications>\n      </metadata>\n"
         "    </info>\n  </bookmark>\n";
}

std::string recentFilesList(const std::string& bookmarks) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<xbel version=\"1.0\"\n"
         "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
         "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n>\n" +
         bookmarks + "</xbel>\n";
}

}  // namespace tzt
