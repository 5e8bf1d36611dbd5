// The desktop's recently used files: tzad adding to a list another desktop program wrote (also
// through OPEN and SAVEAS), and a damaged list left alone (the order the list is read in is the
// file page's window test).
#include <gtest/gtest.h>
#include <unistd.h>

#include "browser_home.h"
#include "platform/recent_files.h"
#include "session.h"

using namespace tzt;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> recent() {
  std::vector<std::string> paths;
  for (const auto& path : platform::recentFiles()) paths.push_back(u8(path));
  return paths;
}

TEST(RecentFiles, ADamagedListIsLeftAlone) {
  TemporaryHome home;
  writeFile(platform::recentFilesPath(), "<xbel version=\"1.0\"><bookmark href=");
  EXPECT_TRUE(recent().empty());
  EXPECT_FALSE(platform::addRecentFile(u"/srv/site.dxf"));
  EXPECT_EQ(readFile(platform::recentFilesPath()), "<xbel version=\"1.0\"><bookmark href=");
}

// OPEN and SAVEAS add the drawing, a file picked elsewhere comes by its own type, and what
// other programs listed stays.
TEST(RecentFiles, OpenSaveAsAndOtherFilesAreAdded) {
  Session s;
  fs::create_directories(fs::path(platform::recentFilesPath()).parent_path());
  writeFile(platform::recentFilesPath(),
            recentFilesList(recentBookmark("file:///srv/other.dxf", "2024-01-01T10:00:00Z",
                                           "2024-01-01T10:00:00Z")));
  fs::copy_file(samplePath(), s.dir().file("plan.dxf"));
  s.run({"OPEN", s.dir().file("plan.dxf")});
  s.run({"SAVEAS", s.dir().file("copy.dxf")});
  ASSERT_TRUE(platform::addRecentFile(u16(s.dir().file("./notes.txt")), "text/plain"));
  EXPECT_EQ(recent(), (std::vector<std::string>{s.dir().file("notes.txt"), s.dir().file("copy.dxf"),
                                                s.dir().file("plan.dxf"), "/srv/other.dxf"}));
  std::string list = readFile(platform::recentFilesPath());
  for (const char* kept :
       {"name=\"librecad\"", "name=\"tzad\"", "type=\"image/vnd.dxf\"", "type=\"text/plain\""})
    EXPECT_NE(list.find(kept), std::string::npos) << kept;
}

// However long the list, the newest files come first and no more than a list shows; times are
// compared whatever form of ISO 8601 they are written in, and a commented-out entry is none.
TEST(RecentFiles, NewestFirstUpToACap) {
  TemporaryHome home;
  std::string bookmarks =
      recentBookmark("file:///srv/offset.dxf", "2030-01-01T12:00:00+02:00",
                     "2000-01-01T00:00:00Z") +
      recentBookmark("file:///srv/fraction.dxf", "2030-01-01T10:00:00.5Z", "2000-01-01T00:00:00Z") +
      recentBookmark("file:///srv/later.dxf", "2000-01-01T00:00:00Z", "2030-01-01T10:00:01Z") +
      recentBookmark("file:///srv/R&amp;D&#x20;&#26159;.dxf", "2030-01-01T09:00:00Z",
                     "2000-01-01T00:00:00Z") +
      "<!-- <bookmark href=\"file:///srv/commented.dxf\" modified=\"2040-01-01T00:00:00Z\"> -->";
  for (int i = 0; i < 1200; ++i)
    bookmarks += recentBookmark("file:///srv/" + std::to_string(i) + ".dxf", "2024-01-01T10:00:00Z",
                                "2020-01-01T00:00:00Z");
  writeFile(platform::recentFilesPath(), recentFilesList(bookmarks));
  std::vector<std::string> paths = recent();
  ASSERT_EQ(paths.size(), 1000u);
  EXPECT_EQ(std::vector<std::string>(paths.begin(), paths.begin() + 4),
            (std::vector<std::string>{"/srv/later.dxf", "/srv/fraction.dxf", "/srv/offset.dxf",
                                      "/srv/R&D 是.dxf"}));
}

// A file on another computer is not listed as the local path it would read as; one named with
// this computer's name is.
TEST(RecentFiles, FilesOnOtherHostsAreLeftOut) {
  TemporaryHome home;
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  const std::string stamp = "2024-01-01T10:00:00Z";
  writeFile(platform::recentFilesPath(),
            recentFilesList(
                recentBookmark("file://remotehost/share/x.dxf", stamp, stamp) +
                recentBookmark("file://localhost/srv/local.dxf", stamp, stamp) +
                recentBookmark("file://" + std::string(host) + "/srv/named.dxf", stamp, stamp)));
  EXPECT_EQ(recent(), (std::vector<std::string>{"/srv/local.dxf", "/srv/named.dxf"}));
}

}  // namespace
