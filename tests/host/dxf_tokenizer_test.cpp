// The DXF tokenizer: groups and the bytes they span, the end of the text, and malformed files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dxf/dxf_tokenizer.h"

namespace {

struct Seen {
  int code;
  std::string value;
  size_t begin, end, line;
  bool operator==(const Seen&) const = default;
};

// Every group up to the end or an error; `error` gets "line: what" for the error.
std::vector<Seen> tokenize(std::string_view text, std::string& error) {
  DxfTokenizer tokens(text);
  std::vector<Seen> seen;
  DxfGroup g;
  for (;;) {
    DxfTokenizer::Step step = tokens.next(g);
    if (step == DxfTokenizer::Step::End) return seen;
    if (step == DxfTokenizer::Step::Error) {
      error = std::to_string(tokens.errorLine()) + ": " + tokens.error();
      return seen;
    }
    seen.push_back({g.code, std::string(g.value), g.begin, g.end, g.line});
  }
}

TEST(DxfTokenizer, GroupsSpanTheirBothLinesWithTheLineEnd) {
  struct Case {
    const char* why;
    std::string text;
    std::vector<Seen> groups;
  } cases[] = {
      {"carriage returns stay in the range, not the value",
       "0\r\nLINE\r\n",
       {{0, "LINE", 0, 9, 1}}},
      {"last line without a line feed", "0\nEOF", {{0, "EOF", 0, 5, 1}}},
      {"blank text after the last group is no group", "0\nEOF\n  ", {{0, "EOF", 0, 6, 1}}},
      {"empty value", "1\n\n0\nX\n", {{1, "", 0, 3, 1}, {0, "X", 3, 7, 3}}},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(tokenize(c.text, error), c.groups) << c.why;
    EXPECT_EQ(error, "") << c.why;
  }
}

TEST(DxfTokenizer, MalformedTextStopsWithTheLineAndReason) {
  struct Case {
    const char* why;
    std::string text;
    std::string error;
  } cases[] = {
      {"control characters shown as ?", "\x01\x02\nx\n",
       "1: group code '?"
       "?' is not a number"},
      {"code out of range", "0\nA\n99999999999\nx\n",
       "3: group code '99999999999' is not a number"},
      {"odd number of lines", "0\nA\n8",
       "3: the file ends after a group code: it has an odd number of lines (truncated?)"},
  };
  for (const Case& c : cases) {
    std::string error;
    tokenize(c.text, error);
    EXPECT_EQ(error, c.error) << c.why;
  }
}

TEST(DxfTokenizer, RecognisesFilesThatAreNoAsciiDxf) {
  EXPECT_TRUE(notAsciiDxf("AutoCAD Binary DXF\r\n\x1a"));
  EXPECT_TRUE(notAsciiDxf(std::string_view("AC1032\0\0", 8)));
  EXPECT_FALSE(notAsciiDxf("AC10"));  // too short to be a drawing of either kind
  EXPECT_FALSE(notAsciiDxf("  0\nSECTION\n"));
  EXPECT_EQ(lineEndOf("0\r\nSECTION\r\n"), "\r\n");
  EXPECT_EQ(lineEndOf("0\nSECTION\r\n"), "\n");
}

}  // namespace
