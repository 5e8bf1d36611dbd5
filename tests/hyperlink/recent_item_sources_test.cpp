// The texts behind the file page's lists: a key's values with "MRUList" left out and the data
// limit, the enumeration traces on tzad's trace output, the typed address written back, and
// browsed pages listed by title or address.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "filepage/recent_item_sources.h"
#include "platform/recent_files.h"
#include "platform/settings_store.h"
#include "test_support.h"

using namespace hyperlink;
using namespace tzt;

namespace {

constexpr const char16_t* kHistoryKey = u"Software\\Test\\History";

std::vector<std::string> texts(const std::optional<std::vector<TzString>>& values) {
  std::vector<std::string> lines;
  if (!values) return {"(no key)"};
  for (const TzString& value : *values) lines.push_back(u8(value));
  return lines;
}

void write(const char16_t* key, const char16_t* name, const std::u16string& data) {
  ASSERT_TRUE(platform::writeSettingsValue(key, name, data));
}

// Runs the read with tracing on or off and returns what reached stdout and stderr.
std::pair<std::string, std::string> readTraced(bool tracing, const char16_t* key) {
  if (tracing)
    setenv("TZAD_TRACE", "1", 1);
  else
    unsetenv("TZAD_TRACE");
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  registryValueTexts(key);
  std::string out = testing::internal::GetCapturedStdout();
  std::string err = testing::internal::GetCapturedStderr();
  unsetenv("TZAD_TRACE");
  return {out, err};
}

TEST(RegistryValues, MruListIsLeftOutInAnyCase) {
  TemporaryHome home;
  for (const char16_t* mruList : {u"MRUList", u"mrulist", u"MruLIST"}) {
    SCOPED_TRACE(u8(mruList));
    write(kHistoryKey, u"c", u"/srv/c.dxf");
    write(kHistoryKey, mruList, u"bca");
    write(kHistoryKey, u"a", u"/srv/a.dxf");
    write(kHistoryKey, u"b", u"/srv/b.dxf");
    // Listed in the key's order, whatever MRUList says.
    EXPECT_EQ(texts(registryValueTexts(kHistoryKey)),
              (std::vector<std::string>{"/srv/c.dxf", "/srv/a.dxf", "/srv/b.dxf"}));
    std::filesystem::remove(platform::settingsStorePath());
  }
}

TEST(RegistryValues, DataBeyondTheBufferIsLeftOut) {
  TemporaryHome home;
  write(kTypedUrlsKey, u"url1", std::u16string(kValueDataCharacters - 1, u'a'));
  write(kTypedUrlsKey, u"url2", std::u16string(kValueDataCharacters, u'b'));
  write(kTypedUrlsKey, u"url3", u"www.c.com");
  auto values = registryValueTexts(kTypedUrlsKey);
  ASSERT_TRUE(values);
  ASSERT_EQ(values->size(), 2u);
  EXPECT_EQ((*values)[0].size(), kValueDataCharacters - 1);
  EXPECT_EQ((*values)[1], u"www.c.com");
}

TEST(RegistryValues, MissingKeyAndEmptyKey) {
  TemporaryHome home;
  EXPECT_FALSE(registryValueTexts(kTypedUrlsKey));
  write(u"Software\\Test\\History\\Sub", u"x", u"y");
  EXPECT_EQ(texts(registryValueTexts(kHistoryKey)), std::vector<std::string>{});
  // The desktop's recent files are a key that is always there.
  EXPECT_EQ(texts(registryValueTexts(kOpenSaveMruKey)), std::vector<std::string>{});
  ASSERT_TRUE(platform::addRecentFile(u"/srv/plan.dxf"));
  EXPECT_EQ(texts(registryValueTexts(kOpenSaveMruKey)), std::vector<std::string>{"/srv/plan.dxf"});
}

TEST(RegistryValues, TracesGoToStandardErrorOnlyWhenAskedFor) {
  TemporaryHome home;
  write(u"Software\\Test\\History\\First", u"x", u"1");
  write(u"Software\\Test\\History\\Second\\Deeper", u"x", u"1");
  write(kHistoryKey, u"a", u"/srv/a.dxf");
  write(kHistoryKey, u"MRUList", u"ba");
  write(kHistoryKey, u"b", std::u16string(kValueDataCharacters, u'b'));

  auto [out, err] = readTraced(true, kHistoryKey);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err,
            "\nNumber of subkeys: 2\n(1) First\n(2) Second\n"
            "\nNumber of values: 3\n(1) a\n(3) b\n");
  std::tie(out, err) = readTraced(false, kHistoryKey);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
}

TEST(TypedAddresses, WrittenAsTheNextNumber) {
  TemporaryHome home;
  for (int i = 1; i <= 3; ++i)
    write(kTypedUrlsKey, (u"url" + u16(std::to_string(i))).c_str(),
          u"www.site" + u16(std::to_string(i)) + u".com");
  recordTypedAddress(u"http://www.new.example/", 4);
  EXPECT_EQ(texts(registryValueTexts(kTypedUrlsKey)),
            (std::vector<std::string>{"www.site1.com", "www.site2.com", "www.site3.com",
                                      "http://www.new.example/"}));
  // A name in use is replaced where it stands.
  recordTypedAddress(u"http://www.replaced.example/", 2);
  EXPECT_EQ(texts(registryValueTexts(kTypedUrlsKey))[1], "http://www.replaced.example/");
}

TEST(BrowsedPageEntries, UntitledPagesShowTheirAddress) {
  TemporaryHome home;
  std::filesystem::path file = home.config() / "chromium" / "Default" / "History";
  std::filesystem::create_directories(file.parent_path());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR,"
                         " title LONGVARCHAR, visit_count INTEGER DEFAULT 0 NOT NULL,"
                         " typed_count INTEGER DEFAULT 0 NOT NULL,"
                         " last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0 NOT NULL);"
                         "INSERT INTO urls (url, title, last_visit_time) VALUES"
                         " ('https://titled.example/', '标题', 13350000000000000),"
                         " ('https://untitled.example/', '', 13340000000000000);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  std::vector<std::string> entries;
  for (const BrowsedPageEntry& entry : browsedPageEntries())
    entries.push_back(u8(entry.text) + " -> " + u8(entry.address));
  EXPECT_EQ(entries,
            (std::vector<std::string>{"标题 -> https://titled.example/",
                                      "https://untitled.example/ -> https://untitled.example/"}));
}

}  // namespace
