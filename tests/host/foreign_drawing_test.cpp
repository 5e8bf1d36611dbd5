// Drawings written by other programs: comments (group 999), minimal R12 files without a header
// or tables, drawings without handles, ezdxf's and GDAL's DXF writers. Each opens, saves back
// byte for byte, and with a hyperlink more keeps every group it had, in its order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "test_support.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

using namespace tzt;

namespace {

const std::string kGdalDrawing = std::string(TZT_INTEROP_DIR) + "/gdal/site.dxf";

// --- drawings ----------------------------------------------------------------------------

const char kEntities[] =
    "  0\nLINE\n  8\nWalls\n 10\n0.0\n 20\n0.0\n 11\n10.0\n 21\n5.0\n"
    "  0\nCIRCLE\n  8\n0\n 10\n5.0\n 20\n5.0\n 40\n2.0\n";

std::string section(const std::string& name, const std::string& body) {
  return "  0\nSECTION\n  2\n" + name + "\n" + body + "  0\nENDSEC\n";
}

// Comments at the start, inside the header, between tables and between entities; handles on;
// tables but no APPID table.
std::string commentedR12(const TempDir&) {
  return "999\nwritten by hand\n999\nsecond comment line\n" +
         section("HEADER",
                 "  9\n$ACADVER\n999\nR12\n  1\nAC1009\n  9\n$HANDLING\n 70\n     1\n"
                 "  9\n$HANDSEED\n  5\n30\n") +
         section("TABLES",
                 "  0\nTABLE\n  2\nLAYER\n 70\n     1\n  0\nLAYER\n  5\n10\n  2\nWalls\n"
                 " 70\n     0\n 62\n     3\n  6\nCONTINUOUS\n  0\nENDTAB\n999\nno more tables\n") +
         section("ENTITIES",
                 "  0\nLINE\n  5\n20\n  8\nWalls\n 10\n0.0\n 20\n0.0\n 11\n10.0\n 21\n5.0\n"
                 "999\nbetween entities\n  0\nCIRCLE\n  5\n21\n  8\n0\n 10\n5.0\n 20\n5.0\n"
                 " 40\n2.0\n") +
         "  0\nEOF\n";
}

std::string entitiesOnly(const TempDir&) {
  return section("ENTITIES", kEntities) + "  0\nEOF\n";
}

// No handles ($HANDLING 0), tables around the place where APPID belongs.
std::string withoutHandles(const TempDir&) {
  return section("HEADER", "  9\n$ACADVER\n  1\nAC1009\n  9\n$HANDLING\n 70\n     0\n") +
         section("TABLES",
                 "  0\nTABLE\n  2\nLTYPE\n 70\n     1\n  0\nLTYPE\n  2\nCONTINUOUS\n 70\n     0\n"
                 "  3\nSolid line\n 72\n    65\n 73\n     0\n 40\n0.0\n  0\nENDTAB\n"
                 "  0\nTABLE\n  2\nLAYER\n 70\n     1\n  0\nLAYER\n  2\n0\n 70\n     0\n"
                 " 62\n     7\n  6\nCONTINUOUS\n  0\nENDTAB\n"
                 "  0\nTABLE\n  2\nDIMSTYLE\n 70\n     0\n  0\nENDTAB\n") +
         section("ENTITIES", kEntities) + "  0\nEOF\n";
}

// Handles on the entities, but no header to say so.
std::string handlesWithoutHeader(const TempDir&) {
  return section("ENTITIES",
                 "  0\nLINE\n  5\n2A\n  8\n0\n 10\n0.0\n 20\n0.0\n 11\n1.0\n 21\n1.0\n") +
         "  0\nEOF\n";
}

constexpr char kRich[] = "rich", kChinese936[] = "chinese936";
constexpr char kR12[] = "R12", kR2000[] = "R2000", kR2010[] = "R2010";

template <const char* kind, const char* release>
std::string ezdxf(const TempDir& dir) {
  return readFile(makeDrawing(dir, kind, release));
}

// An ezdxf drawing, which registers only ACAD, with comments put at its start and ahead of
// its first entity.
std::string ezdxfWithComments(const TempDir& dir) {
  std::string text = readFile(makeDrawing(dir, "plain", "R2000"));
  size_t entities = text.find("ENTITIES\n");
  size_t first = text.find("  0\n", entities);
  text.insert(first, "999\nthe entities\n");
  return "999\nezdxf R2000\n" + text;
}

// An ezdxf drawing of a newer release whose APPID table was taken out: the table comes back
// with its handle and owner.
std::string ezdxfWithoutAppids(const TempDir& dir) {
  std::string text = readFile(makeDrawing(dir, "plain", "R2000"));
  size_t table = text.rfind("  0\nTABLE\n", text.find("TABLE\n  2\nAPPID\n"));
  size_t end = text.find("ENDTAB\n", table) + 7;
  return text.erase(table, end - table);
}

std::string gdalCommitted(const TempDir&) {
  return readFile(kGdalDrawing);
}

// --- groups --------------------------------------------------------------------------------

struct Group {
  int code;
  std::string value;
  bool operator==(const Group&) const = default;
};
std::vector<Group> groupsOf(const std::string& text) {
  std::vector<Group> groups;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t codeEnd = text.find('\n', pos);
    size_t valueEnd = text.find('\n', codeEnd + 1);
    if (codeEnd == std::string::npos || valueEnd == std::string::npos) break;
    std::string value = text.substr(codeEnd + 1, valueEnd - codeEnd - 1);
    if (!value.empty() && value.back() == '\r') value.pop_back();
    groups.push_back({std::atoi(text.substr(pos, codeEnd - pos).c_str()), value});
    pos = valueEnd + 1;
  }
  return groups;
}

// Whether `after` holds every group of `before`, in the same order. Handles and counts are
// left aside: a new record moves the handle seed and its table's count on.
bool keepsEveryGroup(std::vector<Group> before, const std::vector<Group>& after) {
  std::erase_if(before, [](const Group& g) { return g.code == 5 || g.code == 70; });
  auto next = before.begin();
  for (const Group& g : after)
    if (next != before.end() && g == *next) ++next;
  return next == before.end();
}

// The table names of a drawing, in file order.
std::vector<std::string> tableNames(const std::vector<Group>& groups) {
  std::vector<std::string> names;
  for (size_t i = 0; i + 1 < groups.size(); ++i)
    if (groups[i] == Group{0, "TABLE"} && groups[i + 1].code == 2)
      names.push_back(groups[i + 1].value);
  return names;
}

bool inUsualOrder(const std::vector<std::string>& tables) {
  static const std::vector<std::string> kOrder = {
      "VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE", "BLOCK_RECORD"};
  auto rank = [](const std::string& t) { return std::find(kOrder.begin(), kOrder.end(), t); };
  return std::is_sorted(tables.begin(), tables.end(),
                        [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
}

// --- every drawing through the same checks -------------------------------------------------

// Reads the drawing at `source`, opening every entity and the layer table as a browsing user
// would, saves it unchanged, then with a hyperlink more on its first entity, and checks each
// file.
void checkForeignDrawing(const TempDir& dir, const std::string& source) {
  std::vector<Link> links;
  std::string copy = dir.file("copy.dxf"), saved = dir.file("linked.dxf");
  {
    TzDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(u16(source)), Tzad::eOk) << u8(db.lastErrorText());
    ASSERT_FALSE(db.allEntityIds().empty());
    for (TzDbObjectId id : db.allEntityIds()) linksOf(id);
    TzDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getSymbolTable(layers, TzDb::kForWrite), Tzad::eOk);
    EXPECT_EQ(layers->close(), Tzad::eOk);
    EXPECT_FALSE(db.isModified());
    ASSERT_EQ(db.saveAs(u16(copy)), Tzad::eOk) << u8(db.lastErrorText());
    EXPECT_EQ(readFile(copy), readFile(source));
    links = linksOf(db.allEntityIds().front());
    links.push_back({"http://example.com/足迹", "Footprint"});
    ASSERT_EQ(setLinks(db.allEntityIds().front(), links), Tzad::eOk);
    ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk) << u8(db.lastErrorText());
  }
  std::vector<Group> before = groupsOf(readFile(source)), after = groupsOf(readFile(saved));
  EXPECT_TRUE(keepsEveryGroup(before, after));
  // A drawing without handles gets none.
  EXPECT_EQ(std::ranges::count(after, 5, &Group::code) > 0,
            std::ranges::count(before, 5, &Group::code) > 0);
  EXPECT_TRUE(inUsualOrder(tableNames(after))) << ::testing::PrintToString(tableNames(after));

  nlohmann::json read = ezdxfDump(saved);
  EXPECT_EQ(read["audit_errors"], ezdxfDump(source)["audit_errors"]);
  EXPECT_NE(std::find(read["appids"].begin(), read["appids"].end(), "PE_URL"), read["appids"].end())
      << read["appids"];
  EXPECT_EQ(read["entities"][0]["hyperlink"],
            nlohmann::json::array({links[0].address, links[0].description, links[0].location}));

  // What tzad saved, it reads back and saves unchanged.
  TzDbDatabase again(false);
  ASSERT_EQ(again.readDwgFile(u16(saved)), Tzad::eOk) << u8(again.lastErrorText());
  EXPECT_EQ(linksOf(again.allEntityIds().front()), links);
  ASSERT_EQ(again.saveAs(u16(copy)), Tzad::eOk);
  EXPECT_EQ(readFile(copy), readFile(saved));
}

struct Foreign {
  const char* name;
  std::string (*make)(const TempDir&);
};
std::ostream& operator<<(std::ostream& out, const Foreign& f) {
  return out << f.name;
}

class ForeignDrawing : public ::testing::TestWithParam<Foreign> {};

TEST_P(ForeignDrawing, SavesByteForByteAndTakesAHyperlink) {
  TempDir dir;
  std::string source = dir.file("foreign.dxf");
  writeFile(source, GetParam().make(dir));
  checkForeignDrawing(dir, source);
}

INSTANTIATE_TEST_SUITE_P(Writers, ForeignDrawing,
                         ::testing::Values(Foreign{"CommentedR12", commentedR12},
                                           Foreign{"EntitiesOnlyR12", entitiesOnly},
                                           Foreign{"NoHandlesR12", withoutHandles},
                                           Foreign{"HandlesWithoutHeader", handlesWithoutHeader},
                                           Foreign{"EzdxfR2000WithComments", ezdxfWithComments},
                                           Foreign{"EzdxfR2000WithoutAppids", ezdxfWithoutAppids},
                                           Foreign{"EzdxfRichR12", ezdxf<kRich, kR12>},
                                           Foreign{"EzdxfRichR2010", ezdxf<kRich, kR2010>},
                                           Foreign{"EzdxfChinese936", ezdxf<kChinese936, kR2000>},
                                           Foreign{"GdalCommitted", gdalCommitted}),
                         [](const auto& info) { return std::string(info.param.name); });

// Setting a hyperlink where the application is already registered inserts the hyperlink's
// groups into that one entity and changes nothing else.
TEST(EzdxfDrawing, HyperlinkOnOneEntityOnlyAddsItsGroups) {
  TempDir dir;
  std::string source = makeDrawing(dir, "rich", "R2018");
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(source)), Tzad::eOk);
  ASSERT_EQ(setLinks(findEntity(db, "INSERT"), {{"door.pdf", "Door"}}), Tzad::eOk);
  std::string saved = dir.file("saved.dxf");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);

  std::vector<Group> before = groupsOf(readFile(source)), after = groupsOf(readFile(saved));
  ASSERT_GT(after.size(), before.size());
  size_t same = std::mismatch(before.begin(), before.end(), after.begin()).first - before.begin();
  size_t added = after.size() - before.size();
  EXPECT_TRUE(std::equal(before.begin() + same, before.end(), after.begin() + same + added));
  EXPECT_EQ(std::vector<Group>(after.begin() + same, after.begin() + same + 2),
            (std::vector<Group>{{1001, "PE_URL"}, {1000, "door.pdf"}}));
}

// An entity read with a hyperlink keeps it when its layer changes and its body is written anew
// (a changed hyperlink is the foreign drawings' check).
TEST(EzdxfDrawing, ExtendedDataFromTheFileFollowsAChangedBody) {
  TempDir dir;
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "rich", "R2018"))), Tzad::eOk);
  TzDbObjectId line = findEntity(db, "LINE", "Walls");
  {
    TzDbObjectPointer<TzDbEntity> e(line, TzDb::kForWrite);
    ASSERT_TRUE(e);
    ASSERT_EQ(e->setLayer(u"0"), Tzad::eOk);
  }
  std::string saved = dir.file("saved.dxf");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  TzDbDatabase again(false);
  ASSERT_EQ(again.readDwgFile(u16(saved)), Tzad::eOk);
  EXPECT_EQ(linksOf(again.objectIdOf(line.handle())),
            (std::vector<Link>{{"http://example.com/plan", "Plan", "Entry,Layout1"}}));
  TzDbObjectPointer<TzDbEntity> moved(again.objectIdOf(line.handle()), TzDb::kForRead);
  EXPECT_EQ(u8(moved->layer()), "0");
}

// --- what a drawing without header or tables gets when a change needs it -------------------

// A header variable set in a drawing without a header: the header, with that variable only,
// goes ahead of the first section, after the leading comments.
TEST(MinimalDrawing, HeaderIsAddedForAVariable) {
  TempDir dir;
  const std::string comments = "999\nfrom a minimal writer\n";
  std::string path = dir.file("min.dxf");
  writeFile(path, comments + entitiesOnly(dir));
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(path)), Tzad::eOk) << u8(db.lastErrorText());
  EXPECT_EQ(db.version(), TzDb::kDHL_R12);
  ASSERT_EQ(db.setHyperlinkBase(u""), Tzad::eOk);  // what the drawing has: no header for it
  EXPECT_FALSE(db.isModified());
  ASSERT_EQ(db.setHyperlinkBase(u"/srv/plans/"), Tzad::eOk);
  ASSERT_EQ(db.saveAs(u16(path)), Tzad::eOk);
  EXPECT_EQ(
      readFile(path),
      comments + section("HEADER", "  9\n$HYPERLINKBASE\n  1\n/srv/plans/\n") + entitiesOnly(dir));
  EXPECT_EQ(ezdxfDump(path)["hyperlinkbase"], "/srv/plans/");
}

}  // namespace

// A writer that ends the header after $HANDSEED and goes on with more variables before a second
// ENDSEC: the drawing opens, saves unchanged byte for byte, reads the later variables, and a
// change keeps the structure as found: a later variable is changed where it stands, a new one
// joins the first part, and a new handle moves the seed in the first part.
TEST(InterruptedHeader, OpensKeepsItsStructureAndReadsEveryVariable) {
  TempDir dir;
  const std::string first = "  0\nSECTION\n  2\nHEADER\n  9\n$HANDSEED\n  5\n30\n";
  const std::string rest =
      "  0\nENDSEC\n  9\n$ACADVER\n  1\nAC1015\n  9\n$HYPERLINKBASE\n  1\n"
      "/srv/a/\n  0\nENDSEC\n" +
      section("ENTITIES",
              "  0\nLINE\n  5\n20\n  8\n0\n 10\n0.0\n 20\n0.0\n 11\n1.0\n"
              " 21\n1.0\n") +
      "  0\nEOF\n";
  std::string path = dir.file("interrupted.dxf"), saved = dir.file("saved.dxf");
  writeFile(path, first + rest);
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(path)), Tzad::eOk) << u8(db.lastErrorText());
  EXPECT_EQ(db.version(), TzDb::kDHL_R2000);
  EXPECT_EQ(u8(db.hyperlinkBase()), "/srv/a/");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  EXPECT_EQ(readFile(saved), first + rest);

  ASSERT_EQ(db.setHyperlinkBase(u"/srv/b/"), Tzad::eOk);
  ASSERT_EQ(setLinks(findEntity(db, "LINE"), {{"door.pdf", "Door"}}), Tzad::eOk);
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  std::string text = readFile(saved);
  size_t end = text.find("  0\nENDSEC\n");
  EXPECT_EQ(text.find("$HYPERLINKBASE\n  1\n/srv/b/\n"), text.find("$HYPERLINKBASE"));
  EXPECT_GT(text.find("$HYPERLINKBASE"), end);
  EXPECT_LT(text.find("$HANDSEED"), end);
  TzDbDatabase again(false);
  ASSERT_EQ(again.readDwgFile(u16(saved)), Tzad::eOk) << u8(again.lastErrorText());
  EXPECT_EQ(u8(again.hyperlinkBase()), "/srv/b/");
  EXPECT_EQ(linksOf(again.allEntityIds().front()), (std::vector<Link>{{"door.pdf", "Door"}}));
}

// The same writer without the second ENDSEC: the variables end where the next section begins.
TEST(InterruptedHeader, VariablesEndAtTheNextSectionWithoutASecondEndsec) {
  TempDir dir;
  const std::string text =
      "  0\nSECTION\n  2\nHEADER\n  9\n$HANDSEED\n  5\n30\n  0\nENDSEC\n"
      "  9\n$ACADVER\n  1\nAC1015\n" +
      section("ENTITIES", kEntities) + "  0\nEOF\n";
  std::string path = dir.file("unclosed.dxf"), saved = dir.file("saved.dxf");
  writeFile(path, text);
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(path)), Tzad::eOk) << u8(db.lastErrorText());
  EXPECT_EQ(db.version(), TzDb::kDHL_R2000);
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  EXPECT_EQ(readFile(saved), text);
}
