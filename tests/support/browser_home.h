// Browser histories and the desktop's recently used files in a temporary home, written as the
// browsers and GTK leave them.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "test_support.h"

namespace tzt {

// Firefox's places and Chromium's history tables: the columns tzad reads and the tests
// write, named and typed as the browsers make them.
extern const char* const kFirefoxSchema;
extern const char* const kChromiumSchema;

// One open history database, as a browser keeps it.
class HistoryDatabase {
 public:
  HistoryDatabase(const std::filesystem::path& file, const char* schema);
  ~HistoryDatabase();
  HistoryDatabase(const HistoryDatabase&) = delete;
  HistoryDatabase& operator=(const HistoryDatabase&) = delete;
  void exec(const std::string& sql);
  // A page and its visits (microseconds since 1970); hidden pages are frames and redirects.
  void addFirefoxPage(int id, const std::string& url, const std::string& title,
                      std::initializer_list<int64_t> visits, bool hidden = false);
  void addChromiumPage(const std::string& url, const std::string& title, int64_t lastVisit,
                       bool hidden = false);

 private:
  sqlite3* db_ = nullptr;
};

// The Firefox folder of a home, and profiles.ini holding one default profile; the profile's
// places file.
std::filesystem::path firefoxRoot(const TemporaryHome& home);
std::filesystem::path makeFirefoxProfile(const TemporaryHome& home);

// A file used by a desktop program (librecad), and the recently used list holding bookmarks,
// as GTK writes them.
std::string recentBookmark(const std::string& href, const std::string& modified,
                           const std::string& visited);
std::string recentFilesList(const std::string& bookmarks);

}  // namespace tzt
