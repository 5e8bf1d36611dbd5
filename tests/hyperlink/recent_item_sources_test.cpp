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

// Listed in the key's order, whatever MRUList (in any letter case) says; over-long data is
// left out of the list but not of the trace, which goes to standard error only when asked for.
TEST(RegistryValues, ListedAndTraced) {
  TemporaryHome home;
  EXPECT_FALSE(registryValueTexts(kHistoryKey));
  write(u"Software\\Test\\History\\First", u"x", u"1");
  write(u"Software\\Test\\History\\Second\\Deeper", u"x", u"1");
  EXPECT_EQ(texts(registryValueTexts(kHistoryKey)), std::vector<std::string>{});
  // The desktop's recent files are a key that is always there.
  EXPECT_EQ(texts(registryValueTexts(kOpenSaveMruKey)), std::vector<std::string>{});

  const std::u16string longest(kValueDataCharacters - 1, u'a');
  write(kHistoryKey, u"c", u"/srv/c.dxf");
  write(kHistoryKey, u"mruLIST", u"bca");
  write(kHistoryKey, u"a", longest);
  write(kHistoryKey, u"b", std::u16string(kValueDataCharacters, u'b'));
  EXPECT_EQ(texts(registryValueTexts(kHistoryKey)),
            (std::vector<std::string>{"/srv/c.dxf", u8(longest)}));

  auto [out, err] = readTraced(true, kHistoryKey);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err,
            "\nNumber of subkeys: 2\n(1) First\n(2) Second\n"
            "\nNumber of values: 4\n(1) c\n(3) a\n(4) b\n");
  std::tie(out, err) = readTraced(false, kHistoryKey);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
}

}  // namespace
