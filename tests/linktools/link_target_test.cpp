// Where an address leads, as the window's status bar shows it: resolved as HYPERLINKOPEN
// resolves it, a file looked up.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/link_target.h"
#include "modules/module_loader.h"
#include "session.h"

using namespace linktools;
using namespace tzt;
namespace fs = std::filesystem;

namespace {

class LinkTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tzad::setHostLanguage("en");
    s.openSample();
    fs::create_directories(s.dir().path() / "docs");
    writeFile(s.dir().file("docs/present.pdf"), "%PDF-1.4\n");
  }
  std::string folder() const { return s.dir().path().string(); }
  // "file", "missing" or "other", a blank, and the target; "none" for no target at all.
  static std::string described(const std::string& address) {
    std::optional<LinkTarget> target = describeLinkTarget(u16(address));
    if (!target) return "none";
    const char* kind = target->kind == LinkTarget::Kind::File          ? "file"
                       : target->kind == LinkTarget::Kind::MissingFile ? "missing"
                                                                       : "other";
    return std::string(kind) + " " + u8(target->target);
  }
  std::string withFolder(std::string text) const {
    if (size_t at = text.find("$DIR"); at != std::string::npos) text.replace(at, 4, folder());
    return text;
  }

  Session s;
};

TEST_F(LinkTargetTest, EachKindOfAddress) {
  struct Case {
    const char* address;
    const char* described;  // $DIR stands for the drawing's folder
  };
  const Case kCases[] = {
      {"docs/present.pdf", "file $DIR/docs/present.pdf"},
      {"docs\\present.pdf", "file $DIR/docs/present.pdf"},
      {"docs/present.pdf \t\r\n", "file $DIR/docs/present.pdf"},
      {"docs/missing.pdf", "missing $DIR/docs/missing.pdf"},
      {"plan.dxf", "file $DIR/plan.dxf"},
      {"$DIR/docs/present.pdf", "file $DIR/docs/present.pdf"},
      {"C:\\Plans\\a.pdf", "missing C:\\Plans\\a.pdf"},
      {"file://$DIR/docs/present.pdf", "file $DIR/docs/present.pdf"},
      {"file://server/share/x.pdf", "missing file://server/share/x.pdf"},
      {"https://example.com/plans", "other https://example.com/plans"},
      {"www.example.com", "other www.example.com"},
      {"mailto:someone@example.com", "other mailto:someone@example.com"},
      {"", "none"},
      {"  \r\n", "none"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(described(withFolder(c.address)), withFolder(c.described));
  }
}

// The drawing's hyperlink base comes before its folder, as for HYPERLINKOPEN.
TEST_F(LinkTargetTest, TheHyperlinkBaseComesFirst) {
  EXPECT_EQ(described("present.pdf"), "missing " + folder() + "/present.pdf");
  s.run({"HYPERLINKBASE", folder() + "/docs"});
  EXPECT_EQ(described("present.pdf"), "file " + folder() + "/docs/present.pdf");
}

}  // namespace
