// tzad's own texts in the language chosen once: the catalog is read whatever locales the
// machine has generated, a text it lacks stays English, values go where the translation puts
// them, and keywords answer in the user's language and in English.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/language.h"
#include "base/translation.h"
#include "editor/keywords.h"
#include "test_support.h"
#include "tzrx_module.h"

namespace {

using tzad::fillPlaceholders;
using tzad::matchKeyword;
using tzad::parseKeywordList;

TEST(Placeholders, GoWhereTheTranslationPutsThem) {
  struct Case {
    std::u16string pattern, expected;
  } cases[] = {
      {u"Saved {0}", u"Saved plan.dxf"},
      {u"{1} 中的 {0}", u"7 中的 plan.dxf"},
      {u"{0}{0}", u"plan.dxfplan.dxf"},
      {u"{2} has no value", u"{2} has no value"},  // no third value: left as written
      {u"{x} {} {", u"{x} {} {"},                  // braces that are no placeholder
      {u"{100}", u"{100}"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fillPlaceholders(c.pattern, {u"plan.dxf", 7}), c.expected) << tzutToUtf8(c.pattern);
}

TEST(Keywords, AnswerInTheUsersLanguageAndInEnglish) {
  std::vector<tzad::Keyword> chinese = parseKeywordList(u"是(Y) 否(N) 取消(C) _Yes No Cancel");
  std::vector<tzad::Keyword> english = parseKeywordList(u"Yes No Cancel _Yes No Cancel");
  struct Case {
    std::u16string answer;
    std::optional<std::u16string> chinese, english;
  } cases[] = {
      {u"y", u"Yes", u"Yes"},
      {u"是", u"Yes", std::nullopt},
      {u"是(Y)", u"Yes", std::nullopt},
      {u"Yes", u"Yes", u"Yes"},  // English scripts go on working
      {u"_No", u"No", u"No"},
      {u"cancel", u"Cancel", u"Cancel"},
      {u"(Y)", std::nullopt, std::nullopt},
      {u"_是", std::nullopt, std::nullopt},
      {u"Maybe", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(matchKeyword(chinese, c.answer), c.chinese) << tzutToUtf8(c.answer);
    EXPECT_EQ(matchKeyword(english, c.answer), c.english) << tzutToUtf8(c.answer);
  }
  // A local keyword wins over an English one it resembles: "Set" is 设置(S)'s global, and
  // "S" answers the local one even where another global word starts with S.
  std::vector<tzad::Keyword> views =
      parseKeywordList(u"? 删除(D) 恢复(R) 保存(S) _? Delete Restore Save");
  EXPECT_EQ(matchKeyword(views, u"s"), u"Save");
  EXPECT_EQ(matchKeyword(views, u"?"), u"?");
  EXPECT_EQ(matchKeyword(views, u"Restore"), u"Restore");
}

// The language as the environment names it, and what the catalog then says, on a machine
// with no locale generated but C.UTF-8 (as CI machines are).
class LanguageTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name :
         {"TZAD_LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "TZAD_LOCALEDIR"})
      environment_.set(name, nullptr);
  }
  void TearDown() override { tzad::setHostLanguage(""); }

  // A catalog of the language in the scratch folder, from a .po text.
  void addCatalog(const std::string& language, const std::string& po) {
    std::filesystem::path folder = dir_.path() / language / "LC_MESSAGES";
    std::filesystem::create_directories(folder);
    tzt::writeFile(dir_.file(language + ".po"), po);
    std::string command =
        "msgfmt -o '" + (folder / "tzad.mo").string() + "' '" + dir_.file(language + ".po") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  tzt::ScopedEnvironment environment_;
  tzt::TempDir dir_;
};

TEST_F(LanguageTest, ChosenFromTheEnvironmentAndReadWithoutAGeneratedLocale) {
  struct Case {
    const char* variable;
    const char* value;
    const char* language;
    const char* prompt;
  } cases[] = {
      {nullptr, nullptr, "zh", "命令: "},  // nothing named: Chinese
      {"LANG", "C.UTF-8", "zh", "命令: "},
      {"LANG", "C", "zh", "命令: "},  // gettext reads no catalog under the C locale itself
      {"LC_ALL", "C", "zh", "命令: "},
      {"LC_ALL", "POSIX", "zh", "命令: "},
      {"LANG", "zh_CN.UTF-8", "zh", "命令: "},  // a locale that is not generated here
      {"LC_MESSAGES", "en_US.UTF-8", "en", "Command: "},
      {"LANG", "fr_FR.UTF-8", "zh", "命令: "},
      {"TZAD_LANG", "en", "en", "Command: "},
      {"TZAD_LANG", "xx", "zh", "命令: "},
  };
  for (const Case& c : cases) {
    tzt::ScopedEnvironment named;
    if (c.variable) named.set(c.variable, c.value);
    tzad::setHostLanguage("");
    EXPECT_STREQ(tzutLanguage(), c.language) << (c.value ? c.value : "nothing");
    EXPECT_STREQ(tzad::tr("Command: "), c.prompt) << (c.value ? c.value : "nothing");
    // Numbers keep the C locale's form whatever the environment says.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  }
  // --lang wins over the environment, either way.
  environment_.set("TZAD_LANG", "en");
  tzad::setHostLanguage("zh");
  EXPECT_EQ(tzad::trf("Save changes to {0}? [Yes/No/Cancel] <Yes>: ", {u"plan.dxf"}),
            u"是否将改动保存到 plan.dxf? [是(Y)/否(N)/取消(C)] <是>: ");
  EXPECT_EQ(tzad::keywordList("Yes No Cancel"), u"是(Y) 否(N) 取消(C) _Yes No Cancel");
  EXPECT_EQ(tzad::trn("{0} was on a locked layer.\n", "{0} were on a locked layer.\n", 3, {3}),
            u"3 个位于锁定的图层上。\n");
  tzad::setHostLanguage("en");
  EXPECT_EQ(tzad::trn("{0} was on a locked layer.\n", "{0} were on a locked layer.\n", 3, {3}),
            u"3 were on a locked layer.\n");
  EXPECT_EQ(tzad::keywordList("Yes No Cancel"), u"Yes No Cancel _Yes No Cancel");
}

// A translator's new language: po/de.po compiled into de/LC_MESSAGES makes tzad speak it;
// what it leaves untranslated or fuzzy shows in English, never empty.
TEST_F(LanguageTest, ANewCatalogIsALanguageAndItsGapsStayEnglish) {
  addCatalog("de",
             "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
             "msgid \"Command: \"\nmsgstr \"Befehl: \"\n\n"
             "msgid \"Select objects: \"\nmsgstr \"\"\n\n"
             "#, fuzzy\nmsgid \"Saved {0}\\n\"\nmsgstr \"Gesichert {0}\\n\"\n");
  environment_.set("TZAD_LOCALEDIR", dir_.path().c_str());
  EXPECT_TRUE(tzad::speaksLanguage("de"));
  EXPECT_FALSE(tzad::speaksLanguage("fr"));
  for (const char* name : {"de", "de_AT.UTF-8"}) {
    tzt::ScopedEnvironment named;
    named.set("LANG", name);
    tzad::setHostLanguage("");
    EXPECT_STREQ(tzutLanguage(), "de") << name;
    EXPECT_STREQ(tzad::tr("Command: "), "Befehl: ");
    EXPECT_STREQ(tzad::tr("Select objects: "), "Select objects: ");
    EXPECT_EQ(tzad::trf("Saved {0}\n", {u"a.dxf"}), u"Saved a.dxf\n");
    EXPECT_STREQ(tzad::tr(""), "");  // not the catalog's header
  }
}

}  // namespace
