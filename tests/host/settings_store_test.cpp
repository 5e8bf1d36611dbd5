// The settings store: keys, subkeys and values in creation order, names ignoring letter case,
// names the file cannot hold, and a damaged file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "editor/user_settings.h"
#include "platform/settings_store.h"
#include "test_support.h"

using namespace tzt;

namespace {

constexpr std::u16string_view kTyped = u"Software\\Microsoft\\Internet Explorer\\TypedURLs";

std::vector<std::string> valuesOf(std::u16string_view key) {
  std::vector<std::string> lines;
  auto read = platform::readSettingsKey(key);
  if (!read) return {"(no key)"};
  for (const auto& value : read->values) lines.push_back(u8(value.name) + "=" + u8(value.data));
  return lines;
}

TEST(SettingsStore, KeysAndValuesInCreationOrder) {
  TemporaryHome home;
  EXPECT_FALSE(platform::readSettingsKey(kTyped));
  for (auto [name, data] : {std::pair{u"url2", u"www.b.com"},
                            {u"url10", u"www.c.com"},
                            {u"url1", u"http://a.example/?q=1#x"}})
    ASSERT_TRUE(platform::writeSettingsValue(kTyped, name, data));
  // Another spelling of the key and of a name: replaced in place.
  ASSERT_TRUE(platform::writeSettingsValue(u"\\software\\MICROSOFT\\Internet Explorer\\typedurls\\",
                                           u"URL10", u"  lead, 总图\ttab\nline\\"));
  ASSERT_TRUE(platform::writeSettingsValue(u"Software\\Microsoft\\Windows", u"v", u"1"));
  EXPECT_EQ(valuesOf(kTyped),
            (std::vector<std::string>{"url2=www.b.com", "url10=  lead, 总图\ttab\nline\\",
                                      "url1=http://a.example/?q=1#x"}));
  auto software = platform::readSettingsKey(u"SOFTWARE\\Microsoft");
  ASSERT_TRUE(software);
  EXPECT_EQ(software->subkeys, (std::vector<std::u16string>{u"Internet Explorer", u"Windows"}));
  EXPECT_TRUE(software->values.empty());
  EXPECT_FALSE(platform::readSettingsKey(u"Software\\Micro"));
}

TEST(SettingsStore, RefusesWhatTheFileCannotHold) {
  TemporaryHome home;
  ASSERT_TRUE(platform::writeSettingsValue(kTyped, u"url1", u"www.a.com"));
  std::string before = readFile(platform::settingsStorePath());
  struct Case {
    std::u16string_view key, name;
  } cases[] = {
      {kTyped, u""},       {kTyped, u"a=b"},      {kTyped, u"#url"},
      {kTyped, u"url\n2"}, {u"Soft[ware]", u"x"}, {platform::kRecentFilesKey, u"1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(u8(std::u16string(c.key)) + " / " + u8(std::u16string(c.name)));
    EXPECT_FALSE(platform::writeSettingsValue(c.key, c.name, u"x"));
  }
  EXPECT_EQ(readFile(platform::settingsStorePath()), before);
}

TEST(SettingsStore, ADamagedFileIsNeitherReadNorReplaced) {
  TemporaryHome home;
  std::filesystem::create_directories(home.config() / "tzad");
  writeFile(platform::settingsStorePath(), "[Software\nurl1=www.a.com\n");
  EXPECT_FALSE(platform::readSettingsKey(u"Software"));
  EXPECT_FALSE(platform::writeSettingsValue(kTyped, u"url1", u"www.b.com"));
  EXPECT_EQ(readFile(platform::settingsStorePath()), "[Software\nurl1=www.a.com\n");
}

// A person's notes in either settings file outlive a setting saved by tzad, and the setting
// changes where it stands.
TEST(SettingsFiles, CommentLinesSurviveASavedSetting) {
  struct Case {
    const char* file;
    std::string (*path)();
    std::string text;
    std::function<bool()> save;
    std::string saved;  // the line the saved setting became
  } cases[] = {
      {"registry.ini", platform::settingsStorePath,
       "# kept by hand\n[Software\\tzad]\n# why a is 1\na=1\nb=2\n\n# the end\n",
       [] { return platform::writeSettingsValue(u"Software\\tzad", u"a", u"7"); }, "a=7"},
      {"settings", tzad::userSettingsPath,
       "# kept by hand\nINETLOCATION=http://old.example/\n\n; another note\nPICKBOX=3\n# the end\n",
       [] { return tzad::setUserSetting("INETLOCATION", "http://new.example/"); },
       "INETLOCATION=http://new.example/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TemporaryHome home;
    std::filesystem::create_directories(std::filesystem::path(c.path()).parent_path());
    writeFile(c.path(), c.text);
    ASSERT_TRUE(c.save());
    std::string text = readFile(c.path());
    for (const char* comment : {"# kept by hand\n", "# the end\n"})
      EXPECT_NE(text.find(comment), std::string::npos) << text;
    EXPECT_NE(text.find(c.saved + "\n"), std::string::npos) << text;
    EXPECT_LT(text.find(c.saved), text.find("# the end")) << text;
  }
}

}  // namespace
