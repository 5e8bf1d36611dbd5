// The DXF tokenizer: groups and the bytes they span, up to the end of the text (what it says
// of malformed files is the bad-input test's).
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

}  // namespace
