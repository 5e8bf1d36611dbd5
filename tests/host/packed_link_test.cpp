// Hyperlinks kept as values until saved: what is packed, and that its text is what the
// groups would have been.
#include "db/packed_link.h"

#include <gtest/gtest.h>

#include "dxf/text_codec.h"

namespace {

DxfTags peUrl(std::string address, std::string description, std::string location, int flags) {
  DxfTags x = {DxfTag(1001, "PE_URL"), DxfTag(1000, address), DxfTag(1002, "{"),
               DxfTag(1000, description)};
  if (!location.empty()) x.emplace_back(1000, location);
  for (DxfTag t : {DxfTag(1002, "{"), DxfTag(1071, std::to_string(flags)), DxfTag(1002, "}"),
                   DxfTag(1002, "}")})
    x.push_back(t);
  return x;
}

TEST(PackedLink, WritesWhatTheGroupsWould) {
  struct Case {
    const char* name;
    DxfTags xdata;
  } cases[] = {
      {"plain", peUrl("http://example.com", "Example", "", 1)},
      {"location", peUrl("plans/a.dxf", "", "View,Sheet", 0)},
      {"escapes", peUrl("a^b", "line\nbreak", "总图", 3)},
      {"long", peUrl(std::string(300, 'x'), std::string(200, 'y'), "", 1)},
  };
  for (const char* codePage : {"", "ANSI_936"}) {
    TextCodec codec;
    codec.configure(*codePage == 0, codePage);
    for (const Case& c : cases) {
      std::optional<std::string> packed = packLink(c.xdata);
      ASSERT_TRUE(packed) << c.name;
      std::string expected, actual;
      writeTags(c.xdata, codec, "\r\n", expected);
      writePackedLink(*packed, codec, "\r\n", actual);
      EXPECT_EQ(actual, expected) << c.name << " " << codePage;
      DxfTags back = unpackLink(*packed);
      ASSERT_EQ(back.size(), c.xdata.size()) << c.name;
      for (size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].code, c.xdata[i].code);
        EXPECT_EQ(back[i].value, c.xdata[i].value);
      }
    }
  }
}

TEST(PackedLink, OtherExtendedDataStaysText) {
  DxfTags withOther = peUrl("a", "b", "", 1);
  withOther.emplace_back(1001, "ACAD");
  withOther.emplace_back(1000, "x");
  DxfTags noFlags = {DxfTag(1001, "PE_URL"), DxfTag(1000, "a")};
  DxfTags wrongApp = peUrl("a", "b", "", 1);
  wrongApp[0].value = "OTHER";
  for (const DxfTags* x : {&withOther, &noFlags, &wrongApp}) EXPECT_FALSE(packLink(*x));
}

}  // namespace
