// Telling targets apart and resolving relative ones, under Windows rules (drive letters and
// backslashes, as links made on Windows are written) and POSIX rules.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/link_targets.h"
#include "platform/path_rules.h"
#include "session.h"

using namespace hyperlink;
using namespace tzad;
using namespace tzt;
using platform::PathStyle;

namespace {

struct Target {
  const char16_t* text;
  bool web, mailto, drive, relative;
};

// Cases that read the same under both rules.
const Target kShared[] = {
    {u"www.example.SU", false, false, false, true},  // domain endings match case
    {u"WWW.example.com", true, false, false, false},
    {u"www.example.com/plans", false, false, false, true},
    {u"www..com", false, false, false, true},  // two dots end the splitting: "www", ".com"
    {u"www.a.b.om", true, false, false, false},
    {u"MAILTO:someone@example.com", true, true, false, false},
    {u"C:\\", false, false, true, false},
    {u"C:\\plans\\site.dwg", false, false, false, false},  // absolute, not a drive path
    {u"", false, false, false, true},
};

TEST(Classification, OfATargetUnderBothRules) {
  std::vector<std::pair<PathStyle, Target>> all;
  for (const Target& t : kShared) {
    all.emplace_back(PathStyle::Windows, t);
    all.emplace_back(PathStyle::Posix, t);
  }
  // A "/"-rooted path is absolute only under POSIX rules.
  all.emplace_back(PathStyle::Windows, Target{u"/srv/plans/a.pdf", false, false, false, true});
  all.emplace_back(PathStyle::Posix, Target{u"/srv/plans/a.pdf", false, false, false, false});
  for (auto [style, t] : all) {
    SCOPED_TRACE(u8(t.text) + (style == PathStyle::Posix ? " (POSIX)" : " (Windows)"));
    platform::setPathStyle(style);
    EXPECT_EQ(isWebAddress(t.text), t.web);
    EXPECT_EQ(isMailtoLink(t.text), t.mailto);
    EXPECT_EQ(isDrivePath(t.text), t.drive);
    EXPECT_EQ(isRelativeTarget(t.text), t.relative);
  }
  platform::setPathStyle(PathStyle::Posix);
}

class Resolve : public ::testing::Test {
 protected:
  void TearDown() override { platform::setPathStyle(PathStyle::Posix); }
  Session s;
};

TEST_F(Resolve, WindowsRulesWithTheDrawingsFolder) {
  platform::setPathStyle(PathStyle::Windows);
  s.openSample();
  std::u16string folder = u16(s.dir().path().string() + "/");
  EXPECT_EQ(resolveTarget(u"plans\\a.pdf"), folder + u"plans\\a.pdf");
  EXPECT_EQ(resolveTarget(u"C:\\plans\\a.pdf"), u"C:\\plans\\a.pdf");
  s.run({"HYPERLINKBASE", "\\\\server\\plans"});
  EXPECT_EQ(resolveTarget(u"a.pdf"), u"\\\\server\\plans\\a.pdf");  // a separator is added
}

// Without a drawing: the documents folder (with a drawing, the HYPERLINKOPEN session's).
TEST_F(Resolve, PosixRulesWithoutADrawing) {
  std::string folder = s.dir().path().string();
  std::filesystem::create_directories(s.dir().path() / "home" / "Documents");
  setenv("HOME", (s.dir().path() / "home").c_str(), 1);
  EXPECT_EQ(u8(resolveTarget(u"a.pdf")), folder + "/home/Documents/a.pdf");
}

}  // namespace
