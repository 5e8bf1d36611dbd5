// Drawings written by other programs: comments (group 999), minimal R12 files without a header
// or tables, drawings without handles, GDAL's DXF writer. Each opens, saves back byte for byte,
// and with a new hyperlink gains only the hyperlink's groups and what registers PE_URL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "test_support.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

using namespace tzt;

namespace {

const std::string kGdalSource = std::string(TZT_INTEROP_DIR) + "/gdal/site.geojson";
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

// An ezdxf drawing with comments put at its start and ahead of its first entity.
template <const char* release>
std::string ezdxfWithComments(const TempDir& dir) {
  std::string text = readFile(makeDrawing(dir, "plain", release));
  size_t entities = text.find("ENTITIES\n");
  size_t first = text.find("  0\n", entities);
  text.insert(first, "999\nthe entities\n");
  return "999\nezdxf " + std::string(release) + "\n" + text;
}

// An ezdxf drawing of a newer release whose APPID table was taken out.
std::string ezdxfWithoutAppids(const TempDir& dir) {
  std::string text = readFile(makeDrawing(dir, "plain", "R2000"));
  size_t table = text.rfind("  0\nTABLE\n", text.find("TABLE\n  2\nAPPID\n"));
  size_t end = text.find("ENDTAB\n", table) + 7;
  return text.erase(table, end - table);
}

std::string gdalCommitted(const TempDir&) {
  return readFile(kGdalDrawing);
}

std::string ogr2ogr(const TempDir& dir) {
  std::string out = dir.file("ogr.dxf");
  std::string command = "ogr2ogr -f DXF '" + out + "' '" + kGdalSource + "' 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return readFile(out);
}

bool haveOgr2ogr() {
  return std::system("command -v ogr2ogr >/dev/null 2>&1") == 0;
}

// --- what changed, group by group ---------------------------------------------------------

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

struct GroupDiff {
  std::vector<Group> removed, inserted;
};

// The groups taken out of and put into `before` to make `after` (a longest common
// subsequence of the two).
GroupDiff diffGroups(const std::vector<Group>& before, const std::vector<Group>& after) {
  size_t n = before.size(), m = after.size();
  std::vector<std::vector<uint32_t>> common(n + 1, std::vector<uint32_t>(m + 1, 0));
  for (size_t i = n; i-- > 0;)
    for (size_t j = m; j-- > 0;)
      common[i][j] = before[i] == after[j] ? common[i + 1][j + 1] + 1
                                           : std::max(common[i + 1][j], common[i][j + 1]);
  GroupDiff diff;
  size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && before[i] == after[j]) {
      ++i, ++j;
    } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
      diff.inserted.push_back(after[j++]);
    } else {
      diff.removed.push_back(before[i++]);
    }
  }
  return diff;
}

// The types of the records a diff added, sorted: "APPID ENDTAB TABLE".
std::string addedRecords(const GroupDiff& diff) {
  std::vector<std::string> types;
  for (const Group& g : diff.inserted)
    if (g.code == 0) types.push_back(g.value);
  std::sort(types.begin(), types.end());
  std::string out;
  for (const std::string& t : types) out += (out.empty() ? "" : " ") + t;
  return out;
}

// The codes of the groups a diff changed or took away, sorted.
std::vector<int> changedCodes(const GroupDiff& diff) {
  std::vector<int> codes;
  for (const Group& g : diff.removed) codes.push_back(g.code);
  std::sort(codes.begin(), codes.end());
  return codes;
}

int count(const std::vector<Group>& groups, int code, const std::string& value = "") {
  return static_cast<int>(std::count_if(groups.begin(), groups.end(), [&](const Group& g) {
    return g.code == code && (value.empty() || g.value == value);
  }));
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

// --- the drawings and what a hyperlink adds to each ----------------------------------------

struct Foreign {
  const char* name;
  std::string (*make)(const TempDir&);
  const char* addedRecords;  // by the first hyperlink, sorted
  int newHandles;            // handles (group 5) the new records carry
  std::vector<int> changed;  // codes of the groups that get new values
};
std::ostream& operator<<(std::ostream& out, const Foreign& f) {
  return out << f.name;
}

constexpr char kR12[] = "R12", kR2000[] = "R2000";

// What the first hyperlink adds: an APPID table among the tables there are (the handle seed
// moves on); a TABLES section just for the registration where there is none (without handles
// nothing carries one; with handles but no header, no header is made for the seed); in
// ezdxf's drawings, which register only ACAD, one APPID record more and a higher count; a
// table that was taken out, made again with its handle and owner as the release writes them.
const Foreign kForeign[] = {
    {"CommentedR12", commentedR12, "APPID ENDTAB TABLE", 1, {5}},
    {"EntitiesOnlyR12", entitiesOnly, "APPID ENDSEC ENDTAB SECTION TABLE", 0, {}},
    {"NoHandlesR12", withoutHandles, "APPID ENDTAB TABLE", 0, {}},
    {"HandlesWithoutHeader", handlesWithoutHeader, "APPID ENDSEC ENDTAB SECTION TABLE", 1, {}},
    {"EzdxfR12WithComments", ezdxfWithComments<kR12>, "APPID", 1, {5, 70}},
    {"EzdxfR2000WithComments", ezdxfWithComments<kR2000>, "APPID", 1, {5, 70}},
    {"EzdxfR2000WithoutAppids", ezdxfWithoutAppids, "APPID ENDTAB TABLE", 2, {5}},
    {"GdalCommitted", gdalCommitted, "APPID", 1, {5, 70}},
    {"GdalFresh", ogr2ogr, "APPID", 1, {5, 70}},
};

class ForeignDrawing : public ::testing::TestWithParam<Foreign> {
 protected:
  void SetUp() override {
    if (std::string(GetParam().name) == "GdalFresh" && !haveOgr2ogr())
      GTEST_SKIP() << "ogr2ogr (gdal-bin) is not installed";
    source = dir.file("foreign.dxf");
    writeFile(source, GetParam().make(dir));
  }
  TempDir dir;
  std::string source;
};

TEST_P(ForeignDrawing, UnchangedIsWrittenByteForByte) {
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(source)), Tzad::eOk) << u8(db.lastErrorText());
  EXPECT_FALSE(db.allEntityIds().empty());
  std::string copy = dir.file("copy.dxf");
  ASSERT_EQ(db.saveAs(u16(copy)), Tzad::eOk) << u8(db.lastErrorText());
  expectSameText(readFile(copy), readFile(source));
}

TEST_P(ForeignDrawing, HyperlinkAddsOnlyItsGroupsAndItsRegistration) {
  std::string saved = dir.file("linked.dxf");
  {
    TzDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(u16(source)), Tzad::eOk) << u8(db.lastErrorText());
    TzDbObjectPointer<TzDbEntity> first(db.allEntityIds().front(), TzDb::kForWrite);
    ASSERT_TRUE(first) << first.openStatus();
    ASSERT_EQ(setLinks(*first.get(), {{"http://example.com/足迹", "Footprint"}}), Tzad::eOk);
    ASSERT_EQ(first.close(), Tzad::eOk);
    ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk) << u8(db.lastErrorText());
  }
  std::vector<Group> before = groupsOf(readFile(source));
  std::vector<Group> after = groupsOf(readFile(saved));
  GroupDiff diff = diffGroups(before, after);
  const Foreign& f = GetParam();
  EXPECT_EQ(addedRecords(diff), f.addedRecords);
  EXPECT_EQ(changedCodes(diff), f.changed);
  EXPECT_EQ(count(diff.inserted, 5) - count(diff.removed, 5), f.newHandles);
  EXPECT_EQ(count(diff.inserted, 1001, "PE_URL"), 1);
  EXPECT_EQ(count(diff.inserted, 2, "PE_URL"), 1);
  EXPECT_EQ(count(after, 999), count(before, 999));
  EXPECT_TRUE(inUsualOrder(tableNames(after))) << ::testing::PrintToString(tableNames(after));

  nlohmann::json read = ezdxfDump(saved);
  EXPECT_EQ(read["audit_errors"].size(), 0u) << read["audit_errors"];
  EXPECT_NE(std::find(read["appids"].begin(), read["appids"].end(), "PE_URL"), read["appids"].end())
      << read["appids"];
  EXPECT_EQ(read["entities"][0]["hyperlink"],
            nlohmann::json::array({"http://example.com/足迹", "Footprint", ""}));

  // What tzad saved, it reads back and saves unchanged.
  TzDbDatabase again(false);
  ASSERT_EQ(again.readDwgFile(u16(saved)), Tzad::eOk) << u8(again.lastErrorText());
  EXPECT_EQ(linksOf(again.allEntityIds().front()),
            (std::vector<Link>{{"http://example.com/足迹", "Footprint"}}));
  std::string resaved = dir.file("resaved.dxf");
  ASSERT_EQ(again.saveAs(u16(resaved)), Tzad::eOk);
  expectSameText(readFile(resaved), readFile(saved));
}

INSTANTIATE_TEST_SUITE_P(Writers, ForeignDrawing, ::testing::ValuesIn(kForeign),
                         [](const auto& info) { return std::string(info.param.name); });

// --- what a drawing without header or tables gets when a change needs it -------------------

// A header variable set in a drawing without a header: the header, with that variable only,
// goes ahead of the first section (after any leading comments).
TEST(MinimalDrawing, HeaderIsAddedForAVariable) {
  for (std::string comments : {"", "999\nfrom a minimal writer\n"}) {
    TempDir dir;
    std::string original = comments + entitiesOnly(dir);
    std::string path = dir.file("min.dxf");
    writeFile(path, original);
    TzDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(u16(path)), Tzad::eOk) << u8(db.lastErrorText());
    EXPECT_EQ(db.version(), TzDb::kDHL_R12);
    ASSERT_EQ(db.setHyperlinkBase(u""), Tzad::eOk);  // what the drawing has: no header for it
    EXPECT_FALSE(db.isModified());
    ASSERT_EQ(db.setHyperlinkBase(u"/srv/plans/"), Tzad::eOk);
    EXPECT_EQ(db.hyperlinkBase(), u"/srv/plans/");
    ASSERT_EQ(db.saveAs(u16(path)), Tzad::eOk);
    EXPECT_EQ(readFile(path), comments +
                                  section("HEADER", "  9\n$HYPERLINKBASE\n  1\n/srv/plans/\n") +
                                  entitiesOnly(dir));
    EXPECT_EQ(ezdxfDump(path)["hyperlinkbase"], "/srv/plans/");
  }
}

// A drawing that is nothing but EOF gets a layer and an entity: the LAYER table and the
// ENTITIES section are made in their places.
TEST(MinimalDrawing, EmptyFileGetsTablesAndEntities) {
  TempDir dir;
  std::string path = dir.file("empty.dxf");
  writeFile(path, "  0\nEOF\n");
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(path)), Tzad::eOk) << u8(db.lastErrorText());
  TzDbObjectId layerId = addLayer(db, u"URLLAYER", 1);
  ASSERT_FALSE(layerId.isNull());
  ASSERT_FALSE(
      addPolyline(db.modelSpaceId(), layerId, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, true).isNull());
  ASSERT_EQ(db.saveAs(u16(path)), Tzad::eOk);
  std::vector<Group> saved = groupsOf(readFile(path));
  EXPECT_EQ(tableNames(saved), std::vector<std::string>{"LAYER"});
  EXPECT_EQ(count(saved, 5), 0);
  nlohmann::json read = ezdxfDump(path);
  EXPECT_EQ(read["layers"]["URLLAYER"]["color"], 1);
  ASSERT_EQ(read["entities"].size(), 1u);
  EXPECT_EQ(read["entities"][0]["layer"], "URLLAYER");
  EXPECT_EQ(read["entities"][0]["closed"], true);
  EXPECT_EQ(read["audit_errors"].size(), 0u) << read["audit_errors"];
}

}  // namespace
