#include "dxf/text_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, CaretEscapesCarryControlCharacters) {
  TextCodec utf8;
  utf8.configure(true, "");
  EXPECT_EQ(utf8.encode("a\nb^c"), "a^Jb^ c");
  EXPECT_EQ(utf8.decode("a^Jb^ c"), "a\nb^c");
  EXPECT_EQ(utf8.decode("x^"), "x^");  // a caret at the end is a caret
}

TEST(TextCodec, CodePagesAndUnicodeEscapes) {
  struct Case {
    const char* codePage;
    std::string utf8;
    std::string bytes;
  };
  const Case cases[] = {
      {"ANSI_1252", "Caf\xC3\xA9", "Caf\xE9"},
      {"ANSI_936", "\xE6\x80\xBB\xE5\x9B\xBE", "\xD7\xDC\xCD\xBC"},  // 总图
      {"ANSI_1252", "\xE6\x80\xBB", "\\U+603B"},                     // not in 1252
      {"ANSI_936", "\xF0\x9F\x98\x80", "\\U+D83D\\U+DE00"},          // beyond the BMP
      // Typed text that looks like an escape keeps its backslash; other backslashes stay.
      {"ANSI_1252", "\\U+0041 a\\b", "\\U+005CU+0041 a\\b"},
  };
  for (const Case& c : cases) {
    TextCodec codec;
    codec.configure(false, c.codePage);
    EXPECT_EQ(codec.encode(c.utf8), c.bytes) << c.codePage;
    EXPECT_EQ(codec.decode(c.bytes), c.utf8) << c.codePage;
  }
  // Bytes that are not UTF-8 are written as the replacement character, never as what an
  // overlong form would spell.
  TextCodec cp1252;
  cp1252.configure(false, "ANSI_1252");
  EXPECT_EQ(cp1252.encode("a\xC0\xAF\xED\xA0\x80"), "a\\U+FFFD\\U+FFFD\\U+FFFD\\U+FFFD\\U+FFFD");
  EXPECT_EQ(TextCodec::iconvName("ansi_936"), "CP936");
  EXPECT_EQ(TextCodec::iconvName("nonsense"), "CP1252");
  EXPECT_EQ(TextCodec::iconvName("ANSI_935"), "CP1252");  // EBCDIC: ASCII would not stay ASCII
}

}  // namespace
