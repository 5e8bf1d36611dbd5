// Text between UTF-8 and UTF-16: malformed input, surrogates, case folding, printf, cuts and
// bounded copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "platform/display_text.h"
#include "platform/text.h"
#include "session.h"
#include "tz_string.h"
#include "tzed_editor.h"

using namespace tzt;

namespace {

constexpr char16_t R = 0xFFFD;

TEST(Utf8ToUtf16, MalformedBytesBecomeReplacementCharacters) {
  struct Case {
    const char* why;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"overlong slash", "a\xC0\xAF", {u'a', R, R}},
      {"encoded high surrogate", "\xED\xA0\x80", {R, R, R}},
      {"encoded surrogate pair", "\xED\xA0\xBD\xED\xB8\x80", {R, R, R, R, R, R}},
      {"past U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
      {"byte FF", "x\xFFy", {u'x', R, u'y'}},
      {"stray continuation", "a\x80", {u'a', R}},
      {"cut at the end", "a\xE6\x80", {u'a', R}},
      {"cut before a lead byte", "\xE6\xC3\xA9", {R, 0xE9}},
      {"last BMP before surrogates", "\xED\x9F\xBF", {0xD7FF}},
      {"first after surrogates", "\xEE\x80\x80", {0xE000}},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}},
  };
  for (const Case& c : cases) EXPECT_EQ(tzutFromUtf8(c.bytes), c.text) << c.why;
}

TEST(Utf16ToUtf8, LoneSurrogatesBecomeReplacementCharacters) {
  const std::string r = "\xEF\xBF\xBD";
  struct Case {
    const char* why;
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {"a pair", {u'a', 0xD83D, 0xDE00}, "a\xF0\x9F\x98\x80"},
      {"high alone", {0xD83D, u'a'}, r + "a"},
      {"low before high", {0xDE00, 0xD83D}, r + r},
      {"two highs then a low", {0xD83D, 0xD83D, 0xDE00}, r + "\xF0\x9F\x98\x80"},
  };
  for (const Case& c : cases) EXPECT_EQ(tzutToUtf8(c.text), c.bytes) << c.why;
  EXPECT_EQ(platform::validUtf16(u"a\xD83D"
                                 u"b\xD83D\xDE00"),
            u"a\xFFFD"
            u"b\xD83D\xDE00");
}

TEST(Utf8ToUtf16, EveryCharacterRoundTrips) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string bytes;
    platform::appendUtf8(bytes, c);
    platform::Utf8Char read = platform::decodeUtf8(bytes, 0);
    ASSERT_EQ(read.codePoint, c);
    ASSERT_EQ(read.length, bytes.size());
    ASSERT_EQ(tzutToUtf8(tzutFromUtf8(bytes)), bytes);
  }
}

TEST(CaseFolding, LatinLettersFoldBothWaysOtherScriptsStay) {
  struct Case {
    char16_t a, b;
    bool equal;
  } cases[] = {
      {u'A', u'a', true},    {0xC0, 0xE0, true},    {0xDE, 0xFE, true},    {0xD7, 0xF7, false},
      {0x178, 0xFF, true},   {0x178, 0x179, false}, {0x17D, 0x17E, true},  {0x100, 0x101, true},
      {0x132, 0x133, true},  {0x17F, u'S', true},   {0x130, u'i', false},  {0x131, u'I', false},
      {0x138, 0x139, false}, {0x148, 0x149, false}, {0x410, 0x430, false}, {0xDF, u's', false},
  };
  for (const Case& c : cases) {
    std::u16string a(1, c.a), b(1, c.b);
    EXPECT_EQ(tzutEqualsNoCase(a, b), c.equal) << std::hex << int(c.a) << " " << int(c.b);
    EXPECT_EQ(tzutEqualsNoCase(b, a), c.equal) << std::hex << int(c.b) << " " << int(c.a);
  }
}

TEST(Printf, TakesUtf16TextsAndKeepsSurrogatePairsWhole) {
  Session s;
  tzutPrintf(u"%i. %s (%s) \n", 2, u"http://例子.com", u"说明");
  // The message's leading line feed: the list's last line has ended one already.
  tzutPrintf(u"\n %i个超链接已删除。", 3);
  tzutPrintf(u"[%5d|%-3s|%%]", 42, u"ab");
  tzutPrintf(u"\xD83D\xDE00 %s|", u"a\xD83D\xDE00");
  tzutPrintf(u"%-4s|%4s|", u"\xD83D\xDE00", u"\xD83D\xDE00");
  tzutPrintf(u"%.3s|%.2s|%.1s|", u"ab\xD83D\xDE00", u"\xD83D\xDE00", u"\xD83D\xDE00");
  tzutPrintf(u"%c%c|%6.2f", 0xD83D, u'x', 2.5);
  // Width and precision count UTF-16 code units; a cut inside a pair drops the pair.
  EXPECT_EQ(s.takeOutput(),
            "2. http://例子.com (说明) \n 3个超链接已删除。[   42|ab |%]"
            "\xF0\x9F\x98\x80 a\xF0\x9F\x98\x80|\xF0\x9F\x98\x80  |  \xF0\x9F\x98\x80|"
            "ab|\xF0\x9F\x98\x80||\xEF\xBF\xBDx|  2.50");
}

TEST(Utf16Cut, NeverLeavesHalfAPair) {
  struct Case {
    std::u16string text;
    size_t limit, length;
  } cases[] = {
      {u"a\xD83D\xDE00", 2, 1},
      {u"a\xD83D\xDE00", 3, 3},
      {u"a\xD83D"
       u"b",
       2, 2},  // a lone high surrogate is one unit like any other
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::utf16CutLength(c.text, c.limit), c.length) << c.limit;
}

// What is shown of a text: controls escaped (a NUL that GTK refuses, an override that makes
// "gnp.exe" read "exe.png"), line breaks kept only where lines may be, and a length cut.
TEST(DisplayText, EscapesControlsAndCutsLongTexts) {
  using platform::LineBreaks;
  using namespace std::string_literals;
  const std::u16string longText(2'000'000, u'x');
  const std::u16string pairs = u"\U0001F4D0\U0001F4D0\U0001F4D0";
  struct Case {
    const char* why;
    std::u16string text;
    size_t limit;
    LineBreaks lineBreaks;
    std::u16string shown;
  } cases[] = {
      {"NUL and escape", u"a\0b\x1B[2J\x7F"s, 100, LineBreaks::Keep, u"a^@b^[[2J^?"},
      {"right-to-left override", u"\x202Egnp.exe", 100, LineBreaks::Escape, u"<U+202E>gnp.exe"},
      {"isolates and C1", u"\x2067x\x2069\x85", 100, LineBreaks::Escape,
       u"<U+2067>x<U+2069><U+0085>"},
      {"lines kept", u"line1\nline2\tT10\r", 100, LineBreaks::Keep, u"line1\nline2\tT10^M"},
      {"lines escaped", u"line1\nline2", 100, LineBreaks::Escape, u"line1^Jline2"},
      {"long", longText, 300, LineBreaks::Escape, std::u16string(299, u'x') + u"\u2026"},
      {"exactly the limit", std::u16string(300, u'x'), 300, LineBreaks::Escape,
       std::u16string(300, u'x')},
      {"no half pair", pairs, 4, LineBreaks::Escape, u"\U0001F4D0\u2026"},
      {"escape cut", u"ab\x202E", 5, LineBreaks::Escape, u"ab<U\u2026"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(platform::displayText(c.text, c.limit, c.lineBreaks), c.shown);
  }
  EXPECT_TRUE(platform::holdsControlCharacter(u"a\x85"));
  EXPECT_FALSE(platform::holdsControlCharacter(u"plan \u603B\u56FE.dxf"));
}

TEST(CopyString, CutsToTheBufferAndAlwaysTerminates) {
  char16_t buffer[4] = {u'#', u'#', u'#', u'#'};
  EXPECT_EQ(tzutCopyString(u"abc", buffer, 3), 2);
  EXPECT_EQ(std::u16string(buffer), u"ab");
  EXPECT_EQ(tzutCopyString(u"abc", buffer, 1), 0);
  EXPECT_EQ(std::u16string(buffer), u"");
  buffer[0] = u'#';
  EXPECT_EQ(tzutCopyString(u"abc", buffer, 0), 0);
  EXPECT_EQ(buffer[0], u'#');
  EXPECT_EQ(tzutCopyString(u"abc", nullptr, 4), 0);
}

}  // namespace
