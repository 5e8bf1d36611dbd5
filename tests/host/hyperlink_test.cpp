// Hyperlinks exchanged with another DXF program (python3-ezdxf), both ways.
#include <gtest/gtest.h>

#include <memory>

#include "test_support.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

using namespace tzt;

namespace {

const nlohmann::json* entityByHandle(const nlohmann::json& dump, TzDbObjectId id) {
  char handle[32];
  std::snprintf(handle, sizeof handle, "%llX",
                static_cast<unsigned long long>(id.handle().value()));
  for (const auto& e : dump["entities"])
    if (e["handle"] == handle) return &e;
  return nullptr;
}

TEST(Hyperlinks, ReadWhatEzdxfWrites) {
  TempDir dir;
  for (const char* release : {"R12", "R2000", "R2018"}) {
    SCOPED_TRACE(release);
    TzDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "rich", release))), Tzad::eOk);
    // The drawing's own base, which R12 has no variable for (one set and saved is the
    // scripted session variables').
    EXPECT_EQ(u8(db.hyperlinkBase()), std::string(release) == "R12" ? "" : "/srv/plans/");
    // ezdxf writes no flags group.
    EXPECT_EQ(linksOf(findEntity(db, "LINE", "Walls")),
              (std::vector<Link>{{"http://example.com/plan", "Plan", "Entry,Layout1", 0}}));
    EXPECT_EQ(linksOf(findEntity(db, "TEXT")), (std::vector<Link>{{"docs\\说明.txt", "说明"}}));
    EXPECT_TRUE(linksOf(findEntity(db, "CIRCLE", "Locked")).empty());
  }
}

TEST(Hyperlinks, EzdxfReadsWhatWeWrite) {
  TempDir dir;
  const std::vector<Link> cases = {
      {"http://example.com/a b", "A page", "", 1},
      {"plans/总图.dxf", "总图", "Entry,Layout1", 1},
      {"", "this drawing", ",Layout2", 0},
  };
  for (const char* release : {"R12", "R2010"}) {
    SCOPED_TRACE(release);
    TzDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "plain", release))), Tzad::eOk);
    std::vector<TzDbObjectId> ids = db.allEntityIds();
    ASSERT_EQ(ids.size(), 2u);
    std::string saved = dir.file(std::string("saved_") + release + ".dxf");
    for (const Link& link : cases) {
      ASSERT_EQ(setLinks(ids[0], {link}), Tzad::eOk);
      ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk) << u8(db.lastErrorText());
      nlohmann::json dump = ezdxfDump(saved);
      const nlohmann::json* e = entityByHandle(dump, ids[0]);
      ASSERT_NE(e, nullptr);
      EXPECT_EQ((*e)["hyperlink"],
                nlohmann::json::array({link.address, link.description, link.location}));
      EXPECT_TRUE(dump["audit_errors"].empty()) << dump["audit_errors"];
      EXPECT_NE(std::find(dump["appids"].begin(), dump["appids"].end(), "PE_URL"),
                dump["appids"].end());

      TzDbDatabase again(false);
      ASSERT_EQ(again.readDwgFile(u16(saved)), Tzad::eOk);
      EXPECT_EQ(linksOf(again.objectIdOf(ids[0].handle())), std::vector<Link>{link});
    }
  }
}

TEST(Hyperlinks, FurtherEntriesKeepTheFirstReadableElsewhere) {
  TempDir dir;
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "plain", "R2018"))), Tzad::eOk);
  TzDbObjectId id = db.allEntityIds()[0];
  const std::vector<Link> links = {{"first.pdf", "", "", 1}, {"second.pdf", "Second", "V,L", 2}};
  ASSERT_EQ(setLinks(id, links), Tzad::eOk);
  std::string saved = dir.file("two.dxf");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);

  nlohmann::json dump = ezdxfDump(saved);
  const nlohmann::json* e = entityByHandle(dump, id);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ((*e)["hyperlink"], nlohmann::json::array({"first.pdf", "", ""}));

  TzDbDatabase again(false);
  ASSERT_EQ(again.readDwgFile(u16(saved)), Tzad::eOk);
  EXPECT_EQ(linksOf(again.objectIdOf(id.handle())), links);

  // Removing every link leaves no trace of either application's groups.
  ASSERT_EQ(setLinks(again.objectIdOf(id.handle()), {}), Tzad::eOk);
  ASSERT_EQ(again.saveAs(u16(saved)), Tzad::eOk);
  dump = ezdxfDump(saved);
  e = entityByHandle(dump, id);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ((*e)["hyperlink"], nlohmann::json::array({"", "", ""}));
  EXPECT_EQ(readFile(saved).find("TZAD_HYPERLINKS\n1002"), std::string::npos);
}

TEST(Hyperlinks, ChineseTextInAnAnsi936Drawing) {
  TempDir dir;
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "chinese936", "R2000"))), Tzad::eOk);
  EXPECT_EQ(u8(db.codePage()), "ANSI_936");
  TzDbObjectId text = findEntity(db, "TEXT", "图层一");
  EXPECT_EQ(linksOf(text), (std::vector<Link>{{"图纸\\总图.dxf", "总图"}}));
  ASSERT_EQ(setLinks(text, {{"图纸\\详图.dxf", "详图 – ½", "视图,布局1", 1}}), Tzad::eOk);
  std::string saved = dir.file("gbk.dxf");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  nlohmann::json dump = ezdxfDump(saved);
  EXPECT_EQ(dump["codepage"], "ANSI_936");
  const nlohmann::json* e = entityByHandle(dump, text);
  ASSERT_NE(e, nullptr);
  // "–" and "½" are not in GBK: they travel as \U+ escapes, which ezdxf decodes.
  EXPECT_EQ((*e)["hyperlink"], nlohmann::json::array({"图纸\\详图.dxf", "详图 – ½", "视图,布局1"}));
}

}  // namespace
