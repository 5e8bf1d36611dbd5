// Selection sets, the pre-selection, and host commands run from code.
#include <gtest/gtest.h>

#include <algorithm>
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
// rest on Roads. Two of them are erased after SELECT ALL has made them part of PREVIOUS.
constexpr int kManyLines = 5000;
constexpr uint64_t kFirstNewHandle = 0x1000;
constexpr int kErased[] = {1, 11};

const char* layerOfLine(int i) {
  return i % 10 == 3 ? "Trees" : i % 10 == 7 ? "Survey" : "Roads";
}

std::string handleText(uint64_t handle) {
  char text[24];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(handle));
  return text;
}

// PREVIOUS without locked ones leaves out the locked lines and the erased ones; every third
// visible line typed by its handle and then ALL give each entity once, in pick order.
TEST(Selection, ManyEntities) {
  Session s;
  writeFile(s.dir().file("many.dxf"), sampleWithLines(kManyLines, kFirstNewHandle, layerOfLine));
  Document* doc = DocumentManager::instance().open(u16(s.dir().file("many.dxf")));
  ASSERT_NE(doc, nullptr);
  s.run({"SELECT", "ALL", ""});
  for (int i : kErased) {
    TzDbObjectPointer<TzDbEntity> line(
        doc->database()->objectIdOf(TzDbHandle(kFirstNewHandle + static_cast<uint64_t>(i))),
        TzDb::kForWrite);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->erase(), Tzad::eOk);
  }
  s.takeOutput();

  std::string typed;
  std::vector<uint64_t> unlocked = kAll, picked, unpicked = kAll;
  std::erase(unlocked, 0x96);  // on the locked layer Survey
  for (int i = 0; i < kManyLines; ++i) {
    uint64_t handle = kFirstNewHandle + static_cast<uint64_t>(i);
    if (i % 10 == 3 || std::ranges::count(kErased, i)) continue;
    if (i % 10 != 7) unlocked.push_back(handle);
    if (i % 3 == 0) {
      typed += handleText(handle) + " ";
      picked.push_back(handle);
    } else {
      unpicked.push_back(handle);
    }
  }
  std::vector<uint64_t> inPickOrder = picked;
  inPickOrder.insert(inPickOrder.end(), unpicked.begin(), unpicked.end());
  auto n = [](size_t count) { return std::to_string(count); };
  size_t locked = 1 + kManyLines / 10;
  const struct {
    std::vector<std::string> lines;
    const char16_t* mode;
    std::vector<uint64_t> handles;
    std::string reports;
  } cases[] = {
      {{"PREVIOUS", ""},
       u":L:P:C",
       unlocked,
       "\n" + n(unlocked.size() + locked) + " found\n" + n(locked) + " were on a locked layer.\n"},
      {{typed, "ALL", ""},
       nullptr,
       inPickOrder,
       "\n" + n(picked.size()) + " found\nSelect objects: ALL\n" + n(inPickOrder.size()) +
           " found (" + n(picked.size()) + " duplicate), " + n(inPickOrder.size()) + " total\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.front().substr(0, 20));
    s.answer(c.lines);
    tz_name ss;
    ASSERT_EQ(tzedSSGet(c.mode, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(handlesOf(ss), c.handles);
    tzedSSFree(ss);
    EXPECT_NE(s.takeOutput().find(c.reports), std::string::npos);
  }
}

// A command run from code that asks for more than it was given is cancelled, not left
// waiting; one that does not exist fails.
TEST(HostCommands, FromCodeNeverWait) {
  Session s;
  s.openSample();
  EXPECT_EQ(tzedCommandS(RTSTR, u"-VIEW", RTNONE), RTNORM);
  EXPECT_EQ(tzedCommandS(RTSTR, u"NOSUCH", RTNONE), RTERROR);
  EXPECT_NE(s.takeOutput().find("Enter an option [?/Delete/Restore/Save]: \n*Cancel*"),
            std::string::npos);
}

}  // namespace
