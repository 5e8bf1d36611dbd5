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

TEST(RecentFiles, AddingKeepsOtherProgramsEntries) {
  TemporaryHome home;
  writeFile(platform::recentFilesPath(),
            recentFilesList(recentBookmark("file:///srv/other.dxf", "2024-01-01T10:00:00Z",
                                           "2024-01-01T10:00:00Z")));
  std::string drawing = (home.path() / "plans" / "site.dxf").string();
  ASSERT_TRUE(platform::addRecentFile(u16(drawing)));
  ASSERT_TRUE(
      platform::addRecentFile(u16(home.path().string() + "/plans/./notes.txt"), "text/plain"));
  EXPECT_EQ(recent(), (std::vector<std::string>{(home.path() / "plans" / "notes.txt").string(),
                                                drawing, "/srv/other.dxf"}));
  std::string list = readFile(platform::recentFilesPath());
  EXPECT_NE(list.find("name=\"librecad\""), std::string::npos);
  EXPECT_NE(list.find("name=\"tzad\""), std::string::npos);
  EXPECT_NE(list.find("type=\"image/vnd.dxf\""), std::string::npos);
  EXPECT_NE(list.find("type=\"text/plain\""), std::string::npos);
}

TEST(RecentFiles, ADamagedListIsLeftAlone) {
  TemporaryHome home;
  writeFile(platform::recentFilesPath(), "<xbel version=\"1.0\"><bookmark href=");
  EXPECT_TRUE(recent().empty());
  EXPECT_FALSE(platform::addRecentFile(u"/srv/site.dxf"));
  EXPECT_EQ(readFile(platform::recentFilesPath()), "<xbel version=\"1.0\"><bookmark href=");
}

TEST(RecentFiles, OpenAndSaveAsAddTheDrawing) {
  Session s;
  fs::copy_file(samplePath(), s.dir().file("plan.dxf"));
  s.run({"OPEN", s.dir().file("plan.dxf")});
  EXPECT_EQ(recent(), (std::vector<std::string>{s.dir().file("plan.dxf")}));
  s.run({"SAVEAS", s.dir().file("copy.dxf")});
  EXPECT_EQ(recent(),
            (std::vector<std::string>{s.dir().file("copy.dxf"), s.dir().file("plan.dxf")}));
  std::string list = readFile(platform::recentFilesPath());
  EXPECT_NE(list.find("name=\"tzad\""), std::string::npos);
  EXPECT_NE(list.find("type=\"image/vnd.dxf\""), std::string::npos);
}

}  // namespace
