// The drawing a new database starts from is a DXF file of the source tree
// (host/db/default_drawing.dxf), built into libtzad: other DXF programs read it as it is, and a
// new drawing saved unchanged is that file byte for byte.
#include <gtest/gtest.h>

#include "session.h"

using namespace tzt;

namespace {

TEST(DefaultDrawing, EzdxfReadsItWithoutComplaint) {
  nlohmann::json dump = ezdxfDump(TZT_DEFAULT_DRAWING);
  EXPECT_EQ(dump["audit_errors"], nlohmann::json::array()) << dump.dump();
  EXPECT_EQ(dump["layouts"], (nlohmann::json{"Model", "Layout1"}));
  EXPECT_EQ(dump["layers"]["0"]["color"], 7);
  EXPECT_EQ(dump["codepage"], "ANSI_1252");
  EXPECT_EQ(dump["entities"], nlohmann::json::array());
}

TEST(DefaultDrawing, ANewDrawingSavedUnchangedIsTheFile) {
  Session s;
  std::string saved = s.dir().file("new.dxf");
  s.run({"NEW", "SAVEAS", saved});
  EXPECT_EQ(readFile(saved), readFile(TZT_DEFAULT_DRAWING)) << s.takeOutput();
}

}  // namespace
