// A drawing made by another program, opened and saved, keeps every byte; a change touches
// only what changed.
#include <gtest/gtest.h>

#include "test_support.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

using namespace tzt;

namespace {

struct Sample {
  const char* kind;
  const char* release;
};
std::ostream& operator<<(std::ostream& out, const Sample& s) {
  return out << s.kind << " " << s.release;
}

class RoundTrip : public ::testing::TestWithParam<Sample> {};

// Opens every object of the drawing for read and closes it again, as a browsing user would.
void touchEverything(TzDbDatabase& db) {
  for (TzDbObjectId id : db.allEntityIds()) {
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForRead);
    ASSERT_TRUE(e) << e.openStatus();
    TzDbHyperlinkCollection* links = nullptr;
    EXPECT_EQ(TzDbEntityHyperlinkPE::query(e.get())->getHyperlinkCollection(e.get(), links),
              Tzad::eOk);
    delete links;
  }
  TzDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getSymbolTable(layers, TzDb::kForWrite), Tzad::eOk);
  EXPECT_EQ(layers->close(), Tzad::eOk);
}

TEST_P(RoundTrip, UnchangedDrawingIsWrittenByteForByte) {
  TempDir dir;
  std::string source = makeDrawing(dir, GetParam().kind, GetParam().release);
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(source)), Tzad::eOk) << u8(db.lastErrorText());
  touchEverything(db);
  EXPECT_FALSE(db.isModified());
  std::string copy = dir.file("copy.dxf");
  ASSERT_EQ(db.saveAs(u16(copy)), Tzad::eOk) << u8(db.lastErrorText());
  expectSameText(readFile(copy), readFile(source));
}

INSTANTIATE_TEST_SUITE_P(Releases, RoundTrip,
                         ::testing::Values(Sample{"rich", "R12"}, Sample{"rich", "R2000"},
                                           Sample{"rich", "R2007"}, Sample{"rich", "R2010"},
                                           Sample{"rich", "R2018"}, Sample{"chinese936", "R2000"}),
                         [](const auto& info) {
                           return std::string(info.param.kind) + info.param.release;
                         });

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

// Setting a hyperlink where the application is already registered inserts the hyperlink's
// groups into that one entity and changes nothing else.
TEST(RoundTrip, HyperlinkOnOneEntityOnlyAddsItsGroups) {
  TempDir dir;
  std::string source = makeDrawing(dir, "rich", "R2018");
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(source)), Tzad::eOk);
  {
    TzDbObjectPointer<TzDbEntity> circle(findEntity(db, "CIRCLE", "Locked"), TzDb::kForWrite);
    EXPECT_EQ(circle.openStatus(), Tzad::eOnLockedLayer);
  }
  TzDbObjectId text = findEntity(db, "INSERT");
  ASSERT_FALSE(text.isNull());
  {
    TzDbObjectPointer<TzDbEntity> e(text, TzDb::kForWrite);
    ASSERT_TRUE(e);
    ASSERT_EQ(setLinks(*e.get(), {{"door.pdf", "Door"}}), Tzad::eOk);
  }
  std::string saved = dir.file("saved.dxf");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);

  std::vector<std::string> before = linesOf(readFile(source));
  std::vector<std::string> after = linesOf(readFile(saved));
  size_t first = 0;
  while (first < before.size() && before[first] == after[first]) ++first;
  size_t added = after.size() - before.size();
  std::vector<std::string> rest(after.begin() + static_cast<long>(first + added), after.end());
  EXPECT_EQ(std::vector<std::string>(before.begin() + static_cast<long>(first), before.end()),
            rest);
  std::vector<std::string> inserted(after.begin() + static_cast<long>(first),
                                    after.begin() + static_cast<long>(first + added));
  ASSERT_GE(inserted.size(), 4u);
  EXPECT_EQ(inserted[1], "PE_URL");
  EXPECT_EQ(inserted[3], "door.pdf");
}

// An entity read with a hyperlink keeps it whichever part of it changes: its layer (the body
// is written anew) or, for another entity, the hyperlink itself.
TEST(RoundTrip, ExtendedDataFromTheFileFollowsAChangedBody) {
  TempDir dir;
  std::string source = makeDrawing(dir, "rich", "R2018");
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(source)), Tzad::eOk);
  {
    TzDbObjectPointer<TzDbEntity> line(findEntity(db, "LINE", "Walls"), TzDb::kForWrite);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->setLayer(u"0"), Tzad::eOk);
    TzDbObjectPointer<TzDbEntity> text(findEntity(db, "TEXT"), TzDb::kForWrite);
    ASSERT_TRUE(text);
    ASSERT_EQ(setLinks(*text.get(), {{"notes.txt", "Notes"}}), Tzad::eOk);
  }
  std::string saved = dir.file("saved.dxf");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  nlohmann::json entities = ezdxfDump(saved)["entities"];
  bool sawLine = false, sawText = false;
  for (const nlohmann::json& e : entities) {
    if (e["type"] == "LINE" && e["space"] == "Model") {
      sawLine = true;
      EXPECT_EQ(e["layer"], "0");
      EXPECT_EQ(e["hyperlink"][0], "http://example.com/plan");
      EXPECT_EQ(e["hyperlink"][2], "Entry,Layout1");
    }
    if (e["type"] == "TEXT") {
      sawText = true;
      EXPECT_EQ(e["hyperlink"][0], "notes.txt");
      EXPECT_EQ(e["layer"], "墙体");
    }
  }
  EXPECT_TRUE(sawLine && sawText) << entities.dump();
}

}  // namespace
