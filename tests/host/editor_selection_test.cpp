// Selection sets, the pre-selection, system variables and host commands run from code.
#include <gtest/gtest.h>

#include <cstdio>

#include "session.h"
#include "tzdb_database.h"
#include "tzed_editor.h"

using namespace tzad;
using namespace tzt;

namespace {

std::vector<uint64_t> handlesOf(const tz_name ss) {
  std::vector<uint64_t> handles;
  int32_t n = 0;
  EXPECT_EQ(tzedSSLength(ss, &n), RTNORM);
  for (int32_t i = 0; i < n; ++i) {
    tz_name ent;
    TzDbObjectId id;
    EXPECT_EQ(tzedSSName(ss, i, ent), RTNORM);
    EXPECT_EQ(tzdbGetObjectId(id, ent), Tzad::eOk);
    handles.push_back(id.handle().value());
  }
  return handles;
}

const std::vector<uint64_t> kAll = {0x90, 0x91, 0x93, 0x94, 0x95, 0x96, 0x98};

// Words at "Select objects: " once SELECT has made 94 the pre-selection (and PREVIOUS): the
// status, the set when given, and what the lines report when given (found, repeats, the running
// total, locked ones; the scripted session selection_words has handles, words that are none,
// and repeats across lines).
TEST(Selection, WordsAndWhatEachLineReports) {
  const struct {
    std::vector<std::string> lines;
    const char16_t* mode;
    int status;
    std::vector<uint64_t> handles;
    std::string transcript;
  } cases[] = {
      {{"PREVIOUS", "91", ""}, nullptr, RTNORM, {0x94, 0x91}, ""},
      {{"ALL", ""}, u":L:P:C", RTNORM, {0x90, 0x91, 0x93, 0x94, 0x95, 0x98}, ""},
      {{""}, nullptr, RTERROR, {}, ""},
      {{"91", "^C"}, nullptr, RTCAN, {}, ""},
      {{}, u"I", RTNORM, {0x94}, ""},
      {{"91 91 91", ""},
       nullptr,
       RTNORM,
       {},
       "Select objects: 91 91 91\n3 found (2 duplicate)\nSelect objects: \n"},
      {{"ALL", "all", ""},
       nullptr,
       RTNORM,
       {},
       "Select objects: ALL\n7 found\nSelect objects: all\n"
       "7 found (7 duplicate), 7 total\nSelect objects: \n"},
      {{"91 95", "ALL", ""},
       nullptr,
       RTNORM,
       {},
       "Select objects: 91 95\n2 found\nSelect objects: ALL\n"
       "7 found (2 duplicate), 7 total\nSelect objects: \n"},
      {{"PREVIOUS L 94 98", ""},
       nullptr,
       RTNORM,
       {},
       "Select objects: PREVIOUS L 94 98\n4 found (2 duplicate)\nSelect objects: \n"},
      {{"ALL", "96 91", ""},
       u":L:P:C",
       RTNORM,
       {},
       "Select objects: ALL\n7 found\n1 was on a locked layer.\nSelect objects: 96 91\n"
       "2 found (1 duplicate), 6 total\n1 was on a locked layer.\nSelect objects: \n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.lines));
    Session s;
    s.openSample();
    s.run({"SELECT", "94", ""});
    s.takeOutput();
    s.answer(c.lines);
    tz_name ss;
    ASSERT_EQ(tzedSSGet(c.mode, nullptr, nullptr, nullptr, ss), c.status) << s.takeOutput();
    if (c.status != RTNORM) continue;
    if (!c.handles.empty()) {
      EXPECT_EQ(handlesOf(ss), c.handles);
    }
    EXPECT_EQ(tzedSSFree(ss), RTNORM);
    if (!c.transcript.empty()) {
      EXPECT_EQ(s.takeOutput(), c.transcript);
    }
  }
}

TEST(Selection, PreselectionIsUsedOnce) {
  Session s;
  s.openSample();
  s.run({"SELECT", "91 93", ""});
  tz_name ss;
  ASSERT_EQ(tzedSSGet(u"I", nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(handlesOf(ss), (std::vector<uint64_t>{0x91, 0x93}));
  tzedSSFree(ss);
  EXPECT_EQ(tzedSSGet(u"I", nullptr, nullptr, nullptr, ss), RTERROR);
  // tzedSSSetFirst with an empty set clears; with a set, makes it the pre-selection.
  s.answer({"95", ""});
  ASSERT_EQ(tzedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(tzedSSSetFirst(ss, nullptr), RTNORM);
  tzedSSFree(ss);
  ASSERT_EQ(tzedSSGet(u"I", nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(handlesOf(ss), (std::vector<uint64_t>{0x95}));
  tzedSSFree(ss);
  EXPECT_NE(s.takeOutput().find("2 found\n"), std::string::npos);
}

// The sample plan with `count` more lines, handles from 0x1000 on: every tenth (from the
// fourth) on the frozen layer Trees, every tenth (from the eighth) on the locked layer
// Survey, the rest on Roads.
constexpr int kManyLines = 12000;
constexpr uint64_t kFirstNewHandle = 0x1000;

const char* layerOfLine(int i) {
  return i % 10 == 3 ? "Trees" : i % 10 == 7 ? "Survey" : "Roads";
}

Document* openWithManyLines(Session& s) {
  writeFile(s.dir().file("many.dxf"), sampleWithLines(kManyLines, kFirstNewHandle, layerOfLine));
  Document* doc = DocumentManager::instance().open(u16(s.dir().file("many.dxf")));
  s.takeOutput();
  return doc;
}

std::string handleText(uint64_t handle) {
  char text[24];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(handle));
  return text;
}

TEST(Selection, ManyEntitiesPickedTwiceGiveEachOnceInPickOrder) {
  Session s;
  ASSERT_NE(openWithManyLines(s), nullptr);
  // Every third visible new line first, then ALL: the set holds the first picks, then the
  // rest of ALL in drawing order, each entity once.
  std::string first;
  std::vector<uint64_t> expected, rest = kAll;
  for (int i = 0; i < kManyLines; ++i) {
    uint64_t handle = kFirstNewHandle + static_cast<uint64_t>(i);
    if (i % 10 == 3) continue;
    if (i % 3 == 0) {
      first += handleText(handle) + " ";
      expected.push_back(handle);
    } else {
      rest.push_back(handle);
    }
  }
  expected.insert(expected.end(), rest.begin(), rest.end());
  s.answer({first, "ALL", ""});
  tz_name ss;
  ASSERT_EQ(tzedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(handlesOf(ss), expected);
  tzedSSFree(ss);
  size_t picked = expected.size() - rest.size();
  std::string out = s.takeOutput();
  EXPECT_NE(out.find("\n" + std::to_string(picked) + " found\n"), std::string::npos);
  EXPECT_NE(out.find("\n" + std::to_string(expected.size()) + " found (" + std::to_string(picked) +
                     " duplicate), " + std::to_string(expected.size()) + " total\n"),
            std::string::npos);
}

TEST(Selection, ManyEntitiesLockedAndErasedLeftOut) {
  Session s;
  Document* doc = openWithManyLines(s);
  ASSERT_NE(doc, nullptr);
  s.run({"SELECT", "ALL", ""});
  // Two lines erased since: PREVIOUS no longer holds them.
  for (uint64_t handle : {kFirstNewHandle, kFirstNewHandle + 11}) {
    TzDbObjectPointer<TzDbEntity> line(doc->database()->objectIdOf(TzDbHandle(handle)),
                                       TzDb::kForWrite);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->erase(), Tzad::eOk);
  }
  std::vector<uint64_t> unlocked;
  for (uint64_t handle : kAll)
    if (handle != 0x96) unlocked.push_back(handle);
  for (int i = 0; i < kManyLines; ++i)
    if (i % 10 != 3 && i % 10 != 7 && i != 0 && i != 11)
      unlocked.push_back(kFirstNewHandle + static_cast<uint64_t>(i));
  s.takeOutput();
  s.answer({"PREVIOUS", ""});
  tz_name ss;
  ASSERT_EQ(tzedSSGet(u":L:P:C", nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(handlesOf(ss), unlocked);
  tzedSSFree(ss);
  size_t locked = 1 + kManyLines / 10;
  EXPECT_NE(s.takeOutput().find("\n" + std::to_string(unlocked.size() + locked) + " found\n" +
                                std::to_string(locked) + " were on a locked layer.\n"),
            std::string::npos);
}

TEST(Variables, ReadAndChange) {
  Session s;
  Document* doc = s.openSample();
  ASSERT_NE(doc, nullptr);
  TzString text;
  ASSERT_EQ(tzedGetVarText(u"DWGPREFIX", text), RTNORM);
  EXPECT_EQ(u8(text), s.dir().path().string() + "/");
  ASSERT_EQ(tzedGetVarText(u"dwgname", text), RTNORM);
  EXPECT_EQ(text, u"plan.dxf");
  resbuf rb;
  ASSERT_EQ(tzedGetVar(u"HYPERLINKBASE", &rb), RTNORM);
  EXPECT_EQ(rb.restype, RTSTR);
  EXPECT_EQ(std::u16string(rb.resval.rstring), u"");
  tzutDelBuffer(rb.resval.rstring);

  EXPECT_EQ(setTextVariable(u"HYPERLINKBASE", u"/srv/plans"), RTNORM);
  EXPECT_EQ(doc->database()->hyperlinkBase(), u"/srv/plans");
  EXPECT_EQ(setTextVariable(u"DWGPREFIX", u"/tmp/"), RTERROR);  // read-only

  EXPECT_EQ(setTextVariable(u"CTAB", u"Details"), RTNORM);
  EXPECT_NE(doc->database()->currentSpaceId(), doc->database()->modelSpaceId());
  EXPECT_EQ(setTextVariable(u"CTAB", u"Nowhere"), RTERROR);
  EXPECT_NE(s.takeOutput().find("Layout \"Nowhere\" not found."), std::string::npos);
  ASSERT_EQ(tzedGetVarText(u"CTAB", text), RTNORM);
  EXPECT_EQ(text, u"Details");

  EXPECT_EQ(tzedGetVar(u"NOSUCHVAR", &rb), RTERROR);
}

TEST(HostCommands, ViewRestoreFromCode) {
  Session s;
  Document* doc = s.openSample();
  EXPECT_EQ(tzedCommandS(RTSTR, u"-view", RTSTR, u"restore", RTSTR, u"House", RTNONE), RTNORM);
  EXPECT_EQ(doc->viewCenter, (TzGePoint3d{35, 32, 0}));
  EXPECT_EQ(doc->viewSize, 30.0);
  // A paper-space view moves to a paper layout.
  EXPECT_EQ(tzedCommandS(RTSTR, u"-VIEW", RTSTR, u"R", RTSTR, u"Title", RTNONE), RTNORM);
  TzString ctab;
  EXPECT_EQ(tzedGetVarText(u"CTAB", ctab), RTNORM);
  EXPECT_NE(ctab, u"Model");
  // A command that asks for more than it was given is cancelled, not left waiting.
  EXPECT_EQ(tzedCommandS(RTSTR, u"-VIEW", RTNONE), RTNORM);
  EXPECT_EQ(tzedCommandS(RTSTR, u"NOSUCH", RTNONE), RTERROR);
  std::string out = s.takeOutput();
  EXPECT_NE(out.find("Command: -view\nEnter an option [?/Delete/Restore/Save]: restore\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Enter an option [?/Delete/Restore/Save]: \n*Cancel*"), std::string::npos);
}

}  // namespace
