// A key's values as the file page lists them: "MRUList" left out, the data limit, and the
// enumeration traces on tzad's trace output.
#include <gtest/gtest.h>

#include "filepage/recent_item_sources.h"
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
  for (const char16_t* mruList : {u"MRUList", u"mruLIST"}) {
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

}  // namespace
