// The desktop's recently used files: a list written by another desktop program, tzad adding
// to it (also through OPEN and SAVEAS), and a damaged list left alone.
#include <gtest/gtest.h>

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

TEST(RecentFiles, LocalFilesByLatestUse) {
  TemporaryHome home;
  writeFile(platform::recentFilesPath(),
            recentFilesList(recentBookmark("file:///srv/plans/site.dxf", "2024-01-01T10:00:00Z",
                                           "2024-01-05T10:00:00Z") +
                            recentBookmark("file:///srv/plans/two%20words.dxf",
                                           "2024-01-03T10:00:00Z", "2024-01-02T10:00:00Z") +
                            recentBookmark("https://example.com/remote.dxf", "2024-02-01T10:00:00Z",
                                           "2024-02-01T10:00:00Z") +
                            recentBookmark("file:///srv/%E6%80%BB%E5%9B%BE.dxf",
                                           "2024-01-04T10:00:00Z", "2024-01-04T10:00:00Z")));
  EXPECT_EQ(recent(), (std::vector<std::string>{"/srv/plans/site.dxf", "/srv/总图.dxf",
                                                "/srv/plans/two words.dxf"}));
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

}  // namespace
