// The input functions over a scripted session: keywords, texts, cancel and Enter; how scripted
// lines are read (points in a rotated UCS are the scripted sessions points_and_ucs and
// hyperlink_area's).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "editor/input_source.h"
#include "session.h"
#include "tzed_editor.h"

using namespace tzad;
using namespace tzt;

namespace {

// Capital letters, whole words, _Global words and words that are none are the scripted
// sessions' (keywords_and_cancel, module_chinese); these are the rest, and what the caller's
// buffer holds after Enter and ^C.
TEST(Input, KeywordAnswersMatchLikeTheHost) {
  const struct {
    const char* answer;
    int status;
    const char16_t* global;  // what the caller receives
  } cases[] = {{"删除(R)", RTNORM, u"Remove"},
               {"_i", RTNORM, u"Insert"},
               {"  I  ", RTNORM, u"Insert"},
               {"", RTNONE, u""},
               {"^C", RTCAN, u""},
               // A global word without its "_" is no keyword of a localized list: the question
               // is asked again and "r" answers it.
               {"Remove", RTNORM, u"Remove"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    Session s;
    // A localized list: local keywords differ from the global ones the caller compares with.
    s.answer({c.answer, "r"});
    EXPECT_EQ(tzedInitGet(0, u"删除(R) 插入(I) _Remove Insert"), RTNORM);
    char16_t result[TZ_ANSWER_BUFFER] = u"stale";
    EXPECT_EQ(tzedGetKword(u"\nOption [删除(R)/插入(I)] <插入>: ", result), c.status);
    EXPECT_EQ(std::u16string(result), c.global);
  }
}

TEST(Input, KeywordListsAreOneShot) {
  Session s;
  s.answer({"Yes"});
  EXPECT_EQ(tzedInitGet(0, u"Yes No _Yes No"), RTNORM);
  EXPECT_EQ(tzedInitGet(0, nullptr), RTNORM);  // a later call replaces the list
  char16_t result[TZ_ANSWER_BUFFER];
  s.answer({"Yes", "^C"});
  EXPECT_EQ(tzedGetKword(u"? ", result), RTCAN);
  EXPECT_NE(s.takeOutput().find("Invalid option keyword."), std::string::npos);
}

TEST(Input, Strings) {
  Session s;
  std::string longAnswer(2049, 'x');
  s.answer({"", "two words", "two words", "^C", std::string(2048, 'y'), longAnswer});
  char16_t result[TZ_ANSWER_BUFFER];
  EXPECT_EQ(tzedGetString(1, u"a: ", result), RTNORM);
  EXPECT_EQ(std::u16string(result), u"");
  EXPECT_EQ(tzedGetString(1, u"b: ", result), RTNORM);
  EXPECT_EQ(std::u16string(result), u"two words");
  EXPECT_EQ(tzedGetString(0, u"c: ", result), RTNORM);
  EXPECT_EQ(std::u16string(result), u"two");
  EXPECT_EQ(tzedGetString(1, u"d: ", result), RTCAN);
  EXPECT_EQ(tzedGetString(1, u"e: ", result), RTNORM);
  EXPECT_EQ(std::u16string(result).size(), 2048u);
  EXPECT_EQ(tzedGetString(1, u"f: ", result), RTERROR);
  EXPECT_EQ(tzedGetString(1, u"g: ", result), RTCAN);  // the script has ended
  std::string out = s.takeOutput();
  EXPECT_NE(out.find("a: \nb: two words\nc: two words\nd: ^C\n*Cancel*\n"), std::string::npos)
      << out;
}

// A prompt's leading line feed asks for a line of its own: it is dropped at the start of a
// line and kept after output that did not end one. "Command: " always starts a line.
struct LeadingLineCase {
  const char* before;  // printed before the prompt
  const char16_t* prompt;
  const char* shown;
};

TEST(Input, LeadingLineFeedOnlyWhenNeeded) {
  const LeadingLineCase cases[] = {
      {"", u"\nA: ", "A: x\n"},           {"done\n", u"\nA: ", "done\nA: x\n"},
      {"half", u"\nA: ", "half\nA: x\n"}, {"done\n", u"\n\nA: ", "done\n\nA: x\n"},
      {"half", u"A: ", "halfA: x\n"},
  };
  for (const LeadingLineCase& c : cases) {
    Session s;
    s.answer({"x"});
    Editor::instance().write(c.before);
    char16_t result[TZ_ANSWER_BUFFER];
    EXPECT_EQ(tzedGetString(1, c.prompt, result), RTNORM);
    EXPECT_EQ(s.takeOutput(), c.shown) << c.before;
  }
  Session s;
  Editor::instance().write("half");
  s.run({"NOSUCH"});
  EXPECT_EQ(s.takeOutput().rfind("half\nCommand: NOSUCH\n", 0), 0u);
}

// Piped input and scripts read the same way: line ends of either kind, a last line without
// one, and blank lines as Enter.
TEST(Input, LinesFromAStream) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"LINE\r\n\r\nQUIT", {"LINE", "", "QUIT"}},
      {"a\r", {"a"}},
      {"; note\nb\n", {"b"}},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.bytes);
    LineInput input = LineInput::fromStream(in);
    std::vector<std::string> read;
    for (InputLine l = input.readLine("", PromptKind::Command); l.kind == InputLine::Kind::Answer;
         l = input.readLine("", PromptKind::Command))
      read.push_back(l.text);
    EXPECT_EQ(read, c.lines) << c.bytes;
  }
}

}  // namespace
