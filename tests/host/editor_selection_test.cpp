// Selection sets, the pre-selection, system variables and host commands run from code.
#include <gtest/gtest.h>

#include "session.h"
#include "tzdb_database.h"
#include "tzed_editor.h"

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

struct SelectionCase {
  const char* name;
  std::vector<std::string> lines;
  const char16_t* mode;
  int status;
  std::vector<uint64_t> handles;
};
std::ostream& operator<<(std::ostream& out, const SelectionCase& c) {
  return out << c.name;
}

class Selection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(Selection, Words) {
  Session s;
  s.openSample();
  s.run({"SELECT", "94", ""});  // gives PREVIOUS something; SELECT's set is the pre-selection
  s.answer(GetParam().lines);
  tz_name ss;
  ASSERT_EQ(tzedSSGet(GetParam().mode, nullptr, nullptr, nullptr, ss), GetParam().status)
      << s.takeOutput();
  if (GetParam().status != RTNORM) return;
  EXPECT_EQ(handlesOf(ss), GetParam().handles);
  EXPECT_EQ(tzedSSFree(ss), RTNORM);
}

const std::vector<uint64_t> kAll = {0x90, 0x91, 0x93, 0x94, 0x95, 0x96, 0x98};

INSTANTIATE_TEST_SUITE_P(
    Words, Selection,
    ::testing::Values(
        SelectionCase{"Handles", {"91 93,95", ""}, nullptr, RTNORM, {0x91, 0x93, 0x95}},
        SelectionCase{"All", {"all", ""}, nullptr, RTNORM, kAll},
        SelectionCase{"Last", {"LAST", ""}, nullptr, RTNORM, {0x98}},
        SelectionCase{"Previous", {"PREVIOUS", "91", ""}, nullptr, RTNORM, {0x94, 0x91}},
        SelectionCase{"Duplicates", {"91", "91 93", ""}, nullptr, RTNORM, {0x91, 0x93}},
        SelectionCase{
            "LockedLeftOut", {"ALL", ""}, u":L:P:C", RTNORM, {0x90, 0x91, 0x93, 0x94, 0x95, 0x98}},
        SelectionCase{"FrozenIsNotThere", {"97", ""}, nullptr, RTERROR, {}},
        SelectionCase{"Nothing", {""}, nullptr, RTERROR, {}},
        SelectionCase{"Cancel", {"91", "^C"}, nullptr, RTCAN, {}},
        SelectionCase{"Preselection", {}, u"I", RTNORM, {0x94}}),
    [](const auto& info) { return std::string(info.param.name); });

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

int setText(const char16_t* name, std::u16string value) {
  resbuf rb;
  rb.restype = RTSTR;
  rb.resval.rstring = value.data();
  return tzedSetVar(name, &rb);
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

  EXPECT_EQ(setText(u"HYPERLINKBASE", u"/srv/plans"), RTNORM);
  EXPECT_EQ(doc->database()->hyperlinkBase(), u"/srv/plans");
  EXPECT_EQ(setText(u"DWGPREFIX", u"/tmp/"), RTERROR);  // read-only

  EXPECT_EQ(setText(u"CTAB", u"Details"), RTNORM);
  EXPECT_NE(doc->database()->currentSpaceId(), doc->database()->modelSpaceId());
  EXPECT_EQ(setText(u"CTAB", u"Nowhere"), RTERROR);
  EXPECT_NE(s.takeOutput().find("Layout \"Nowhere\" not found."), std::string::npos);
  ASSERT_EQ(tzedGetVarText(u"CTAB", text), RTNORM);
  EXPECT_EQ(text, u"Details");

  // INETLOCATION is the user's, kept across sessions.
  EXPECT_EQ(setText(u"INETLOCATION", u"https://intranet.example/"), RTNORM);
  EXPECT_NE(readFile(s.dir().file("config/tzad/settings")).find("INETLOCATION=https://intranet"),
            std::string::npos);
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
