// The database as modules see it: tables, records, layouts and open rules.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "db/record_names.h"
#include "session.h"
#include "test_support.h"
#include "tzdb_database.h"
#include "tzdb_entity.h"

using namespace tzt;

namespace {

class RichDrawing : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "rich", GetParam()))), Tzad::eOk)
        << u8(db.lastErrorText());
  }
  TempDir dir;
  TzDbDatabase db{false};
};

// Layers by name, in any letter case, with the states the file gives them; entities on a
// locked layer open for write once it is unlocked.
TEST_P(RichDrawing, LayerStatesAndLockedEntities) {
  TzDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getSymbolTable(layers, TzDb::kForRead), Tzad::eOk);
  TzDbObjectId frozen, locked, walls, missing;
  EXPECT_EQ(layers->getIdAt(u"FROZEN", frozen), Tzad::eOk);
  EXPECT_EQ(layers->getIdAt(u"locked", locked), Tzad::eOk);
  EXPECT_EQ(layers->getIdAt(u"墙体", walls), Tzad::eOk);
  EXPECT_EQ(layers->getIdAt(u"Nope", missing), Tzad::eKeyNotFound);
  EXPECT_EQ(layers->close(), Tzad::eOk);

  TzDbObjectPointer<TzDbLayerTableRecord> f(frozen, TzDb::kForRead);
  EXPECT_TRUE(f->isFrozen());
  EXPECT_FALSE(f->isLocked());
  EXPECT_EQ(f->colorIndex(), 5);
  TzDbObjectId onLocked = findEntity(db, "CIRCLE", "Locked");
  TzDbObject* obj = nullptr;
  EXPECT_EQ(tzdbOpenObject(obj, onLocked, TzDb::kForWrite), Tzad::eOnLockedLayer);
  EXPECT_EQ(obj, nullptr);
  TzDbObjectPointer<TzDbLayerTableRecord> l(locked, TzDb::kForWrite);
  EXPECT_TRUE(l->isLocked());
  EXPECT_EQ(l->setIsLocked(false), Tzad::eOk);
  EXPECT_EQ(l.close(), Tzad::eOk);
  TzDbObjectPointer<TzDbEntity> now(onLocked, TzDb::kForWrite);
  EXPECT_EQ(now.openStatus(), Tzad::eOk);
}

// Model first, then the paper layouts in the file's order; R12, which has no layout objects,
// gets Model and Layout1 (named views are listed by the scripted session views_and_layouts).
TEST_P(RichDrawing, LayoutsInDrawingOrder) {
  TzDbDictionary* dict = nullptr;
  ASSERT_EQ(db.getLayoutDictionary(dict, TzDb::kForRead), Tzad::eOk);
  std::unique_ptr<TzDbDictionaryIterator> it(newIteratorDic(dict, 0));
  std::vector<std::string> layouts;
  for (; !it->done(); it->next()) {
    TzDbObjectPointer<TzDbLayout> layout(it->objectId(), TzDb::kForRead);
    ASSERT_TRUE(layout);
    std::string name = u8(layout->getLayoutName());
    EXPECT_EQ(layout->modelType(), name == "Model") << name;
    EXPECT_EQ(layout->getBlockTableRecordId() == db.modelSpaceId(), name == "Model");
    layouts.push_back(name);
  }
  EXPECT_EQ(dict->close(), Tzad::eOk);
  std::vector<std::string> expected = {"Model", "Layout1"};
  if (std::string(GetParam()) != "R12") expected = {"Model", "Layout1", "Layout2", "Layout3"};
  EXPECT_EQ(layouts, expected);
}

TEST_P(RichDrawing, ObjectsKnowTheirKind) {
  TzDbObjectId line = findEntity(db, "LINE", "Walls");
  TzDbLayerTableRecord* notALayer = nullptr;
  EXPECT_EQ(tzdbOpenObject(notALayer, line, TzDb::kForRead), Tzad::eNotThatKindOfClass);
  TzDbObjectPointer<TzDbEntity> e(line, TzDb::kForWrite);
  ASSERT_TRUE(e);
  TzDbObject* again = nullptr;
  EXPECT_EQ(tzdbOpenObject(again, line, TzDb::kForWrite), Tzad::eWasOpenForWrite);
  EXPECT_EQ(e->erase(), Tzad::eOk);
  EXPECT_EQ(e.close(), Tzad::eOk);
  EXPECT_TRUE(line.isErased());
  TzDbObject* erased = nullptr;
  EXPECT_EQ(tzdbOpenObject(erased, line, TzDb::kForRead), Tzad::eWasErased);
  EXPECT_EQ(db.objectIdOf(line.handle()), line);
}

INSTANTIATE_TEST_SUITE_P(Releases, RichDrawing, ::testing::Values("R12", "R2000", "R2018"));

// Erasing a 3D polyline takes its vertices and end marker with it when it is closed; taking
// the erase back, at once or after the close, gives the drawing back byte for byte.
TEST(Erase, PolylineGoesAndComesBackWithItsVertices) {
  TempDir dir;
  TzDbDatabase db;
  TzDbObjectId polyline =
      addPolyline(db.currentSpaceId(), TzDbObjectId(), {{0, 0, 0}, {5, 0, 0}, {5, 5, 0}});
  std::string original = dir.file("original.dxf"), saved = dir.file("saved.dxf");
  ASSERT_EQ(db.saveAs(u16(original)), Tzad::eOk);
  auto erase = [&](std::vector<bool> steps, bool openErased) {
    TzDbObjectPointer<TzDbEntity> entity(polyline, TzDb::kForWrite, openErased);
    ASSERT_TRUE(entity);
    for (bool erasing : steps) ASSERT_EQ(entity->erase(erasing), Tzad::eOk);
  };
  erase({true, false}, false);
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  EXPECT_EQ(readFile(saved), readFile(original));

  erase({true}, false);
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  std::string text = readFile(saved);
  for (const char* gone : {"POLYLINE", "VERTEX", "SEQEND"})
    EXPECT_EQ(text.find(std::string("\n") + gone + "\n"), std::string::npos) << gone;

  erase({false}, true);
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  EXPECT_EQ(readFile(saved), readFile(original));
}

}  // namespace

// A library that sets LC_NUMERIC to a decimal comma (GTK and wx may) changes nothing in the
// drawing: numbers are written and read with a point.
TEST(Numbers, DrawingIsTheSameUnderADecimalCommaLocale) {
  TempDir dir;
  const std::string locales = dir.file("locales");
  std::filesystem::create_directories(locales);
  ASSERT_EQ(std::system(("localedef -i de_DE -f UTF-8 " + locales + "/de_DE.UTF-8").c_str()), 0);
  ScopedEnvironment environment;
  environment.set("LOCPATH", locales.c_str());
  ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
  char shown[16];
  std::snprintf(shown, sizeof shown, "%.1f", 1.5);
  EXPECT_STREQ(shown, "1,5");  // the locale really has a decimal comma

  TzDbDatabase db;
  TzDbObjectId polyline =
      addPolyline(db.currentSpaceId(), TzDbObjectId(), {{88.8888, 1.5, 0}, {-2.25, 1e-7, 3}});
  std::string path = dir.file("comma.dxf");
  ASSERT_EQ(db.saveAs(u16(path)), Tzad::eOk);
  TzDbDatabase again(false);
  Tzad::ErrorStatus read = again.readDwgFile(u16(path));
  std::setlocale(LC_NUMERIC, "C");
  ASSERT_EQ(read, Tzad::eOk);
  std::string text = readFile(path);
  EXPECT_NE(text.find("\n88.8888\n"), std::string::npos);
  EXPECT_EQ(text.find("88,8888"), std::string::npos);
  TzDbObjectPointer<TzDb3dPolyline> shape(again.objectIdOf(polyline.handle()), TzDb::kForRead);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->vertices(), (std::vector<TzGePoint3d>{{88.8888, 1.5, 0}, {-2.25, 1e-7, 3}}));
}

// Records are kept in blocks that know their drawing and the number of their first record: in
// two drawings of several blocks each, every entity, the first and last of a block among them,
// leads back to its own drawing, handle and name.
TEST(Records, EveryRecordKnowsItsDrawingAcrossBlocks) {
  TempDir dir;
  TzDbDatabase first{false}, second{false};
  for (TzDbDatabase* db : {&first, &second}) {
    std::string file = dir.file(db == &first ? "first.dxf" : "second.dxf");
    writeFile(file, sampleWithLines(5000, 0x1000, [](int) { return "0"; }));
    ASSERT_EQ(db->readDwgFile(u16(file)), Tzad::eOk) << u8(db->lastErrorText());
  }
  for (TzDbDatabase* db : {&first, &second}) {
    std::vector<TzDbObjectId> ids = db->allEntityIds();
    ASSERT_GT(ids.size(), 5000u);
    for (TzDbObjectId id : ids) {
      ASSERT_EQ(id.database(), db);
      ASSERT_EQ(db->objectIdOf(id.handle()), id);
      ASSERT_EQ(recordOfName(recordNameOf(id)), id);
    }
  }
}
