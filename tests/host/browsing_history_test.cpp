// Browsing history from a temporary home: a Firefox profile and Chromium-family histories
// made with SQLite in the browsers' own schemas, read while a "browser" holds them, damaged,
// or kept partly in a write-ahead log.
#include <gtest/gtest.h>

#include <filesystem>

#include "browser_home.h"
#include "platform/browsing_history.h"

using namespace tzt;
namespace fs = std::filesystem;

namespace {

// Midnight UTC of 2024-01-01 plus whole days, in microseconds since 1970.
int64_t day(int n) {
  return (1704067200LL + n * 86400LL) * 1000000;
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

// A running browser keeps its newest pages in the write-ahead log, or its database locked
// with pages not yet committed: each is read as the browser sees it.
TEST(BrowsingHistory, MergesBrowsersNewestFirst) {
  TemporaryHome home;
  HistoryDatabase firefox(makeFirefoxProfiles(home), kFirefoxSchema);
  firefox.exec("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
  firefox.addFirefoxPage(1, "https://www.debian.org/", "Debian", {day(1), day(4)});
  firefox.addFirefoxPage(2, "https://example.com/shared", "Shared page", {day(2)});
  firefox.addFirefoxPage(3, "https://example.com/frame", "Frame", {day(9)}, true);
  firefox.addFirefoxPage(4, "https://example.com/bookmarked-only", "Never visited", {});
  HistoryDatabase other(firefoxRoot(home) / "a1b2.default" / "places.sqlite", kFirefoxSchema);
  other.addFirefoxPage(1, "https://not-the-default-profile.org/", "Other", {day(8)});
  HistoryDatabase chrome(home.config() / "google-chrome" / "Default" / "History", kChromiumSchema);
  chrome.addChromiumPage("https://example.com/shared", "", day(6));
  chrome.addChromiumPage("https://www.gnu.org/", "", day(3));
  HistoryDatabase brave(home.config() / "BraveSoftware" / "Brave-Browser" / "Default" / "History",
                        kChromiumSchema);
  brave.addChromiumPage("https://search.brave.com/", "Brave Search", day(5));
  brave.exec("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;");
  brave.addChromiumPage("https://uncommitted.example/", "Uncommitted", day(7));
  // Another program's database and a history cut short, in browsers' places, add nothing.
  HistoryDatabase(home.config() / "microsoft-edge" / "Default" / "History",
                  "CREATE TABLE notes(text TEXT);");
  fs::path cut = home.config() / "vivaldi" / "Default" / "History";
  {
    HistoryDatabase vivaldi(cut, kChromiumSchema);
    for (int i = 0; i < 400; ++i)
      vivaldi.addChromiumPage("https://example.com/" + std::to_string(i), "page", day(1));
  }
  fs::resize_file(cut, fs::file_size(cut) / 2);

  EXPECT_EQ(listed(platform::browsedPages()),
            (std::vector<std::string>{"https://example.com/shared | Shared page | 6",
                                      "https://search.brave.com/ | Brave Search | 5",
                                      "https://www.debian.org/ | Debian | 4",
                                      "https://www.gnu.org/ |  | 3"}));
}

TEST(BrowsingHistory, FirefoxProfileChoice) {
  struct Case {
    const char* what;
    const char* ini;
    const char* profile;  // where the listed history lies, relative to the Firefox folder
  } cases[] = {
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
      HistoryDatabase db(firefoxRoot(home) / name / "places.sqlite", kFirefoxSchema);
      db.addFirefoxPage(1, std::string("https://") + name + ".example/", name, {day(1)});
    }
    std::vector<std::string> expected;
    if (c.profile)
      expected.push_back(std::string("https://") + c.profile + ".example/ | " + c.profile + " | 1");
    EXPECT_EQ(listed(platform::browsedPages()), expected);
  }
}

// A history of hundreds of MiB is read where it lies (past what tzad would copy), its newest
// pages first and no more than the lists show; an address no hyperlink can hold is left out.
TEST(BrowsingHistory, LargeHistoriesAreReadInPlaceNewestFirstUpToACap) {
  TemporaryHome home;
  fs::path places = makeFirefoxProfile(home);
  {
    HistoryDatabase firefox(places, kFirefoxSchema);
    firefox.exec("BEGIN");
    for (int i = 1; i <= 1500; ++i)
      firefox.addFirefoxPage(i, "https://example.com/" + std::to_string(i), "", {day(0) + i});
    firefox.addFirefoxPage(1501, "https://example.com/" + std::string(3000, 'x'), "", {day(1)});
    firefox.exec("COMMIT");
  }
  fs::resize_file(places, fs::file_size(places) + (size_t(300) << 20));
  std::vector<platform::BrowsedPage> pages = platform::browsedPages();
  ASSERT_EQ(pages.size(), 1000u);
  EXPECT_EQ(u8(pages.front().address), "https://example.com/1500");
  EXPECT_EQ(u8(pages.back().address), "https://example.com/501");
}

// A named pipe or a device where a history belongs is passed over at once.
TEST(BrowsingHistory, NonRegularFilesAddNothing) {
  for (NonRegularFile kind : {NonRegularFile::Fifo, NonRegularFile::LinkToDevZero}) {
    TemporaryHome home;
    std::string places = makeFirefoxProfile(home).string();
    fs::create_directories(fs::path(places).parent_path());
    makeNonRegularFile(kind, places);
    std::vector<platform::BrowsedPage> pages;
    ASSERT_TRUE(returnsWithin(5000, places, [&] { pages = platform::browsedPages(); }));
    EXPECT_TRUE(pages.empty());
  }
}

}  // namespace
