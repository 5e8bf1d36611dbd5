// Selection sets, the pre-selection, and host commands run from code.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <utility>

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

// Answers at "Select objects: ": the status, the set, and what the lines report (found, repeats
// in a line, the running total, locked ones; the scripted session selection_words has handles,
// words that are none, PREVIOUS and LAST, and repeats across lines).
TEST(Selection, WordsAndWhatEachLineReports) {
  const struct {
    std::vector<std::string> lines;
    const char16_t* mode;
    int status;
    std::vector<uint64_t> handles;
    std::string transcript;
  } cases[] = {
      {{""}, nullptr, RTERROR, {}, ""},
      {{"91", "^C"}, nullptr, RTCAN, {}, ""},
      {{"91 91 91", ""},
       nullptr,
       RTNORM,
       {0x91},
       "Select objects: 91 91 91\n3 found (2 duplicate)\nSelect objects: \n"},
      {{"ALL", "96 91", ""},
       u":L:P:C",
       RTNORM,
       {0x90, 0x91, 0x93, 0x94, 0x95, 0x98},
       "Select objects: ALL\n7 found\n1 was on a locked layer.\nSelect objects: 96 91\n"
       "2 found (1 duplicate), 6 total\n1 was on a locked layer.\nSelect objects: \n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.lines));
    Session s;
    s.openSample();
    s.answer(c.lines);
    tz_name ss;
    ASSERT_EQ(tzedSSGet(c.mode, nullptr, nullptr, nullptr, ss), c.status) << s.takeOutput();
    if (c.status != RTNORM) continue;
    EXPECT_EQ(handlesOf(ss), c.handles);
    EXPECT_EQ(tzedSSFree(ss), RTNORM);
    EXPECT_EQ(s.takeOutput(), c.transcript);
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
}

// The sample plan with many more lines, handles from 0x1000 on: every tenth (from the fourth)
// on the frozen layer Trees, every tenth (from the eighth) on the locked layer Survey, the
// rest on Roads. Every third visible line typed by its handle and then ALL give each entity
// once, in pick order.
TEST(Selection, ManyEntities) {
  constexpr int kManyLines = 5000;
  constexpr uint64_t kFirstNewHandle = 0x1000;
  Session s;
  writeFile(s.dir().file("many.dxf"), sampleWithLines(kManyLines, kFirstNewHandle, [](int i) {
              return i % 10 == 3 ? "Trees" : i % 10 == 7 ? "Survey" : "Roads";
            }));
  ASSERT_NE(DocumentManager::instance().open(u16(s.dir().file("many.dxf"))), nullptr);
  s.takeOutput();

  std::string typed;
  std::vector<uint64_t> picked, unpicked = kAll;
  for (int i = 0; i < kManyLines; ++i) {
    uint64_t handle = kFirstNewHandle + static_cast<uint64_t>(i);
    if (i % 10 == 3) continue;
    if (i % 3 == 0) {
      char text[24];
      std::snprintf(text, sizeof text, "%llX ", static_cast<unsigned long long>(handle));
      typed += text;
      picked.push_back(handle);
    } else {
      unpicked.push_back(handle);
    }
  }
  std::vector<uint64_t> inPickOrder = picked;
  inPickOrder.insert(inPickOrder.end(), unpicked.begin(), unpicked.end());
  auto n = [](size_t count) { return std::to_string(count); };
  s.answer({typed, "ALL", ""});
  tz_name ss;
  ASSERT_EQ(tzedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(handlesOf(ss), inPickOrder);
  tzedSSFree(ss);
  EXPECT_NE(s.takeOutput().find("\n" + n(picked.size()) + " found\nSelect objects: ALL\n" +
                                n(inPickOrder.size()) + " found (" + n(picked.size()) +
                                " duplicate), " + n(inPickOrder.size()) + " total\n"),
            std::string::npos);
}

// A command run from code that asks for more than it was given is cancelled, not left
// waiting; one that does not exist fails.
// An entity's name that is no record's — made up, past the drawing's end, of a drawing that
// is closed — gives no object id, and reads nothing on the way.
TEST(Selection, NamesThatNameNoRecordAreRefused) {
  tzt::Session s;
  tzad::Document* doc = s.openSample();
  ASSERT_NE(doc, nullptr);
  TzDbObjectId house = doc->database()->objectIdOf(TzDbHandle(0x91));
  tz_name valid;
  ASSERT_EQ(tzdbGetTwsName(valid, house), Tzad::eOk);
  TzDbObjectId id;
  ASSERT_EQ(tzdbGetObjectId(id, valid), Tzad::eOk);
  EXPECT_EQ(id, house);

  tz_name closed;
  {
    TzDbDatabase other(true);
    ASSERT_EQ(tzdbGetTwsName(closed, other.clayer()), Tzad::eOk);
    TzDbObjectId layer;
    ASSERT_EQ(tzdbGetObjectId(layer, closed), Tzad::eOk);
  }
  const std::vector<std::pair<const char*, std::array<int64_t, 2>>> forged = {
      {"zero", {0, valid[1]}},
      {"an address", {reinterpret_cast<int64_t>(&id), valid[1]}},
      {"past the last record", {valid[0] | 0xFFFFFF, valid[1]}},
      {"a closed drawing's record", {closed[0], closed[1]}},
      {"not an entity's name", {valid[0], valid[1] + 1}},
  };
  for (const auto& [what, name] : forged) {
    SCOPED_TRACE(what);
    tz_name entity = {name[0], name[1]};
    TzDbObjectId found;
    EXPECT_EQ(tzdbGetObjectId(found, entity), Tzad::eInvalidInput);
    EXPECT_TRUE(found.isNull());
  }
}

TEST(HostCommands, FromCodeNeverWait) {
  Session s;
  s.openSample();
  EXPECT_EQ(tzedCommandS(RTSTR, u"-VIEW", RTNONE), RTNORM);
  EXPECT_EQ(tzedCommandS(RTSTR, u"NOSUCH", RTNONE), RTERROR);
  EXPECT_NE(s.takeOutput().find("Enter an option [?/Delete/Restore/Save]: \n*Cancel*"),
            std::string::npos);
}

}  // namespace
