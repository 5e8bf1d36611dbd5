// Replacing a text in hyperlinks: the text rule, what keeps a change from being made, every
// hyperlink of an object, and -HYPERLINKREPLACE undone in one step.
#include <gtest/gtest.h>

#include <optional>

#include "core/link_replace.h"
#include "editor/editor.h"
#include "module/linktools_commands.h"
#include "modules/module_loader.h"
#include "session.h"

using namespace linktools;
using namespace tzt;

namespace {

struct TextCase {
  const char16_t* text;
  const char16_t* oldText;
  const char16_t* newText;
  bool matchCase, prefixOnly;
  const char16_t* expected;  // null: no change
};

const TextCase kTexts[] = {
    {u"\\\\server\\projects\\a.pdf", u"\\\\server\\projects\\", u"/mnt/projects/", false, true,
     u"/mnt/projects/a.pdf"},
    {u"HTTP://Intranet/x", u"http://intranet/", u"https://intranet.example.com/", false, false,
     u"https://intranet.example.com/x"},
    {u"HTTP://Intranet/x", u"http://intranet/", u"https://intranet.example.com/", true, false,
     nullptr},
    {u"docs/a/docs/b", u"docs/", u"../docs/", false, false, u"../docs/a/../docs/b"},
    {u"docs/a/docs/b", u"docs/", u"../docs/", false, true, u"../docs/a/docs/b"},
    {u"a/docs/b", u"docs/", u"../docs/", false, true, nullptr},
    {u"aaa", u"aa", u"b", false, false, u"ba"},  // left to right, never overlapping
    {u"old/x", u"old/", u"", false, false, u"x"},
    {u"ÄRGER/Ÿ.pdf", u"ärger/ÿ", u"x", false, false, u"x.pdf"},  // Latin letters fold
    {u"图纸\\总图.dxf", u"图纸\\", u"drawings/", false, true, u"drawings/总图.dxf"},
    {u"do", u"docs/", u"x", false, false, nullptr},
    {u"anything", u"", u"x", false, false, nullptr},
};

TEST(ReplacedText, Rules) {
  for (const TextCase& c : kTexts) {
    SCOPED_TRACE(u8(c.text) + " / " + u8(c.oldText));
    ReplaceRule rule{c.oldText, c.newText, c.matchCase, c.prefixOnly, false};
    std::optional<TzString> replaced = replacedText(c.text, rule);
    ASSERT_EQ(replaced.has_value(), c.expected != nullptr);
    if (replaced) {
      EXPECT_EQ(u8(*replaced), u8(c.expected));
    }
  }
}

// A path moved from a Windows folder to a POSIX one, or back, takes the new separator whole.
TEST(ReplacedAddress, TheRestOfAPathTakesTheNewSeparator) {
  struct Case {
    const char16_t *address, *oldText, *newText, *expected;
  };
  const Case cases[] = {
      {u"\\\\server\\projects\\site\\a.pdf", u"\\\\server\\projects\\", u"/mnt/projects/",
       u"/mnt/projects/site/a.pdf"},
      {u"docs\\a\\b.pdf", u"docs\\", u"../docs/", u"../docs/a/b.pdf"},
      {u"/mnt/p/site/a.pdf", u"/mnt/p/", u"\\\\server\\p\\", u"\\\\server\\p\\site\\a.pdf"},
      {u"site\\a.pdf", u"site", u"place", u"place\\a.pdf"},              // the rule names no folder
      {u"http://intranet/a\\b", u"intranet/", u"x/", u"http://x/a\\b"},  // a web address's own
      {u"docs\\a/b.pdf", u"docs\\", u"../docs/", u"../docs/a/b.pdf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(u8(c.address));
    std::optional<TzString> replaced = replacedAddress(c.address, {c.oldText, c.newText});
    ASSERT_TRUE(replaced.has_value());
    EXPECT_EQ(u8(*replaced), u8(c.expected));
  }
}

class Replace : public ::testing::Test {
 protected:
  void SetUp() override {
    tzad::setHostLanguage("en");
    s.openSample();
    tzad::Editor::instance().addCommand(u"-HYPERLINKREPLACE", replaceCommand);
  }
  TzDbDatabase& db() { return *tzdbHostApplicationServices()->workingDatabase(); }
  TzDbObjectId entity(uint64_t handle) { return db().objectIdOf(TzDbHandle(handle)); }
  std::string addressOf(uint64_t handle) {
    std::vector<Link> links = linksOf(entity(handle));
    return links.empty() ? "" : links.front().address;
  }
  Session s;
};

// A change that would make a field too long for other programs, or touch an object on a
// locked layer, is planned but refused; locations change only when asked.
TEST_F(Replace, WhatKeepsAChangeFromBeingMade) {
  TzDbObjectId held =
      addPolyline(db().modelSpaceId(), addLayer(db(), u"Held"), {{0, 0, 0}, {1, 1, 0}});
  ASSERT_EQ(setLinks(held, {{"docs/held.pdf", "", "docs"}}), Tzad::eOk);
  {
    TzDbObjectPointer<TzDbLayerTableRecord> layer(
        TzDbObjectPointer<TzDbEntity>(held, TzDb::kForRead)->layerId(), TzDb::kForWrite);
    ASSERT_EQ(layer->setIsLocked(true), Tzad::eOk);
  }
  ASSERT_EQ(setLinks(entity(0x95), {{"docs/" + std::string(250, 'x')}}), Tzad::eOk);
  ReplaceRule rule{u"docs", u"documents", false, false, false};
  std::vector<LinkChange> changes = planReplacement(listDrawingLinks(db()), rule);
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(u8(changes[0].newAddress), "documents/house-details.pdf");
  EXPECT_EQ(changes[0].refusal, Refusal::None);
  EXPECT_EQ(changes[1].refusal, Refusal::TooLong);
  EXPECT_EQ(changes[2].refusal, Refusal::LockedLayer);
  EXPECT_EQ(u8(changes[2].newLocation), "docs");
  ReplaceOutcome outcome = applyReplacement(changes, rule);
  EXPECT_EQ(outcome.changed, 1);
  EXPECT_EQ(outcome.tooLong, 1);
  EXPECT_EQ(outcome.lockedLayer, 1);
  EXPECT_EQ(addressOf(0x91), "documents/house-details.pdf");
  EXPECT_EQ(addressOf(0x95), "docs/" + std::string(250, 'x'));
  rule.locationsToo = true;
  EXPECT_EQ(u8(planReplacement(listDrawingLinks(db()), rule).back().newLocation), "documents");
}

// No old address stays behind in an object, in a hyperlink other programs do not show either.
TEST_F(Replace, EveryHyperlinkOfAnObject) {
  ASSERT_EQ(setLinks(entity(0x95), {{"old/a", "A"}, {"old/b", "B", "old"}}), Tzad::eOk);
  ReplaceRule rule{u"old/", u"new/", false, false, false};
  EXPECT_EQ(applyReplacement(planReplacement(listDrawingLinks(db()), rule), rule).changed, 1);
  std::vector<Link> expected = {{"new/a", "A"}, {"new/b", "B", "old"}};
  EXPECT_EQ(linksOf(entity(0x95)), expected);
}

// The objects selected before the command are those it changes; U takes the whole replace back.
TEST_F(Replace, TheCommandIsOneStep) {
  ASSERT_EQ(setLinks(entity(0x95), {{"docs/map.pdf"}}), Tzad::eOk);
  s.run({"-HYPERLINKREPLACE", "DOCS/", "../docs/", "", "", "", ""});
  EXPECT_NE(s.takeOutput().find("2 of 4 hyperlinks changed."), std::string::npos);
  EXPECT_EQ(addressOf(0x91), "../docs/house-details.pdf");
  EXPECT_EQ(addressOf(0x95), "../docs/map.pdf");
  s.run({"U"});
  EXPECT_EQ(addressOf(0x91), "docs/house-details.pdf");
  EXPECT_EQ(addressOf(0x95), "docs/map.pdf");
  s.run({"SELECT", "95", "", "-HYPERLINKREPLACE", "docs/", "", "n", "s", ""});
  EXPECT_NE(s.takeOutput().find("1 of 1 hyperlink changed."), std::string::npos);
  EXPECT_EQ(addressOf(0x91), "docs/house-details.pdf");
  EXPECT_EQ(addressOf(0x95), "map.pdf");
}

}  // namespace
