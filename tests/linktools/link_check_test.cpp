// Checking hyperlinks offline: every kind of target, resolved as HYPERLINKOPEN resolves it, in
// a drawing open in a session and in one a program reads without documents.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/link_check.h"
#include "modules/module_loader.h"
#include "platform/path_rules.h"
#include "session.h"

using namespace linktools;
using namespace tzt;
namespace fs = std::filesystem;

namespace {

// A binary DWG's first bytes: there, but no drawing tzad can read.
const char kBinaryDwg[] = "AC1032\0\0\0\0\0\x01\x02\x03";

class LinkCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    tzad::setHostLanguage("en");
    s.openSample();
    fs::create_directories(s.dir().path() / "docs");
    writeFile(s.dir().file("docs/present.pdf"), "%PDF-1.4\n");
    fs::copy_file(samplePath(), s.dir().file("other.dxf"));
    writeFile(s.dir().file("binary.dwg"), std::string(kBinaryDwg, sizeof kBinaryDwg - 1));
  }
  void TearDown() override { platform::setPathStyle(platform::PathStyle::Posix); }

  TzDbDatabase& drawing() { return *tzdbHostApplicationServices()->workingDatabase(); }
  CheckResult check(LinkChecker& checker, const std::string& address,
                    const std::string& location = "") {
    DrawingLink link;
    link.address = u16(address);
    link.location = u16(location);
    return checker.checkDrawing(drawing(), {link}).front();
  }
  CheckResult check(const std::string& address, const std::string& location = "") {
    LinkChecker checker;
    return check(checker, address, location);
  }
  std::string folder() const { return s.dir().path().string(); }

  Session s;
};

struct Case {
  const char* address;
  const char* location;
  const char* status;
  const char* detail;  // a part of the detail; $DIR stands for the drawing's folder
};

const Case kCases[] = {
    // Files, relative to the drawing's folder, as written on Windows too; trailing blanks go.
    {"docs/present.pdf", "", "ok", ""},
    {"docs\\present.pdf", "", "ok", ""},
    {"docs/present.pdf  ", "", "ok", ""},
    {"docs/missing.pdf", "", "missing-file", "does not exist: $DIR/docs/missing.pdf"},
    {"C:\\Plans\\a.pdf", "", "missing-file", "A Windows path"},
    {"\\\\server\\projects\\a.pdf", "", "missing-file", "A Windows path"},
    {"file://$DIR/docs/present.pdf", "", "ok", ""},
    {"file:///nowhere/x.pdf", "", "missing-file", "/nowhere/x.pdf"},
    {"file://server/share/x.pdf", "", "missing-file", "another computer"},
    // Drawings, and places in them.
    {"other.dxf", "", "ok", ""},
    {"other.dxf", "House", "ok", ""},
    {"other.dxf", "house,sheet", "ok", ""},  // names match as the host's tables do
    {"other.dxf", "Garage,Model", "ok", ""},
    {"other.dxf", "Nowhere", "missing-location", "The view \"Nowhere\" is not in $DIR/other.dxf"},
    {"other.dxf", ",Elsewhere", "missing-location", "The layout \"Elsewhere\""},
    {"missing.dxf", "", "missing-file", "The drawing does not exist"},
    {"binary.dwg", "", "unreadable-drawing", "binary DWG"},
    {"http://example.com/plans/site.dwg", "", "missing-file", "opens from a file"},
    {"", "Garage,Details", "ok", ""},
    {"", "Garage,Nowhere", "missing-location", "The layout \"Nowhere\" is not in this drawing"},
    {"", "Nowhere", "missing-location", "The view \"Nowhere\""},
    {"", "", "ok", ""},
    // E-mail.
    {"mailto:someone@example.com", "", "ok", ""},
    {"MAILTO:a@example.com,b.c@example.org?subject=Plan 2", "", "ok", ""},
    {"mailto:?to=a%40example.com", "", "ok", ""},
    {"mailto:%E5%BC%A0@example.cn", "", "ok", ""},
    {"mailto:someone", "", "bad-email", "\"someone\" is not an e-mail address"},
    {"mailto:a@example.com,b@", "", "bad-email", "\"b@\""},
    {"mailto:a..b@example.com", "", "bad-email", ""},
    {"mailto:a@example", "", "bad-email", ""},
    {"mailto:a@-example.com", "", "bad-email", ""},
    {"mailto:?subject=hi", "", "bad-email", "names no e-mail address"},
    // Web addresses: written right, or not; looked up only when asked.
    {"https://example.com/plans", "", "not-checked", "only when asked"},
    {"www.example.com", "", "not-checked", ""},
    {"news:comp.cad", "", "not-checked", "Only http, https and ftp"},
    {"http://exa mple.com", "", "bad-address", "blank"},
    {"http://", "", "bad-address", "no host name"},
    {"http://example.com:port/", "", "bad-address", "port"},
    {"http://example.com:70000/", "", "bad-address", "port"},
    {"http://exa..mple.com/", "", "bad-address", "\"exa..mple.com\" is not a host name"},
    {"http:example.com", "", "bad-address", "no host name"},
    {"https://[2001:db8::1]:8080/plans", "", "not-checked", ""},
    {"https://例子.中国/图纸", "", "not-checked", ""},
    {"http://example.com/\x01", "", "bad-address", "control character"},
};

TEST_F(LinkCheck, EveryKindOfTarget) {
  for (const Case& c : kCases) {
    std::string address = c.address, detail = c.detail;
    for (std::string* text : {&address, &detail})
      if (size_t at = text->find("$DIR"); at != std::string::npos) text->replace(at, 4, folder());
    SCOPED_TRACE(address + " # " + c.location);
    CheckResult result = check(address, c.location);
    EXPECT_EQ(statusCode(result), c.status);
    EXPECT_NE(u8(result.detail).find(detail), std::string::npos) << u8(result.detail);
  }
}

TEST_F(LinkCheck, WhatALinkResolvesTo) {
  EXPECT_EQ(u8(check("docs/present.pdf").target), folder() + "/docs/present.pdf");
  CheckResult web = check("www.example.com");
  EXPECT_EQ(web.url, "http://www.example.com");
  EXPECT_TRUE(check("news:comp.cad").url.empty());
}

// The hyperlink base comes first, as for HYPERLINKOPEN.
TEST_F(LinkCheck, RelativeTargetsFollowTheHyperlinkBase) {
  EXPECT_EQ(statusCode(check("present.pdf")), "missing-file");
  s.run({"HYPERLINKBASE", folder() + "/docs"});
  EXPECT_EQ(statusCode(check("present.pdf")), "ok");
}

// Under Windows rules a target keeps its "\", as HYPERLINKOPEN hands it over.
TEST_F(LinkCheck, WindowsPathRules) {
  platform::setPathStyle(platform::PathStyle::Windows);
  EXPECT_EQ(u8(check("docs\\present.pdf").target), folder() + "/docs\\present.pdf");
  EXPECT_EQ(statusCode(check("other.dxf", "House")), "ok");
}

// A drawing open in the session is where HYPERLINKOPEN goes, changes not yet saved included.
TEST_F(LinkCheck, AnOpenDrawingAsItIsNow) {
  s.run({"OPEN", folder() + "/other.dxf", "-VIEW", "s", "Fresh", "OPEN", folder() + "/plan.dxf"});
  EXPECT_EQ(statusCode(check("other.dxf", "Fresh")), "ok") << s.takeOutput();
  s.run({"OPEN", folder() + "/other.dxf", "CLOSE", "No"});
  EXPECT_EQ(statusCode(check("other.dxf", "Fresh")), "missing-location");
}

// One run looks at each target once, however many links name it.
TEST_F(LinkCheck, TargetsAreLookedAtOncePerRun) {
  LinkChecker checker;
  EXPECT_EQ(statusCode(check(checker, "docs/present.pdf")), "ok");
  EXPECT_EQ(statusCode(check(checker, "other.dxf", "House")), "ok");
  fs::remove(s.dir().file("docs/present.pdf"));
  fs::remove(s.dir().file("other.dxf"));
  EXPECT_EQ(statusCode(check(checker, "docs/present.pdf")), "ok");
  EXPECT_EQ(statusCode(check(checker, "other.dxf", "House")), "ok");
  EXPECT_EQ(statusCode(check("docs/present.pdf")), "missing-file");
}

// A program that reads drawings itself (tzlinks) makes each the working database: relative
// targets resolve against that drawing's folder and hyperlink base, not the current folder.
TEST(LinkCheckWithoutDocuments, TheWorkingDatabaseIsTheDrawing) {
  Session s;
  tzad::setHostLanguage("en");
  fs::create_directories(s.dir().path() / "plans" / "docs");
  writeFile(s.dir().file("plans/docs/present.pdf"), "%PDF-1.4\n");
  fs::copy_file(samplePath(), s.dir().file("plans/site.dxf"));
  TzDbDatabase db(false, true);
  ASSERT_EQ(db.readDwgFile(u16(s.dir().file("plans/site.dxf"))), Tzad::eOk);
  tzdbHostApplicationServices()->setWorkingDatabase(&db);
  DrawingLink present, based;
  present.address = u"docs/present.pdf";
  based.address = u"present.pdf";
  LinkChecker checker;
  EXPECT_EQ(statusCode(checker.checkDrawing(db, {present}).front()), "ok");
  EXPECT_EQ(statusCode(checker.checkDrawing(db, {based}).front()), "missing-file");
  ASSERT_EQ(db.setHyperlinkBase(u16(s.dir().file("plans/docs"))), Tzad::eOk);
  EXPECT_EQ(statusCode(LinkChecker().checkDrawing(db, {based}).front()), "ok");
  tzdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

}  // namespace
