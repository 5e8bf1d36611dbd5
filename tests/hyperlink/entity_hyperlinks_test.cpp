// Hyperlinks on entities through the module's operations, on real drawings.
#include <gtest/gtest.h>

#include "model/entity_hyperlinks.h"
#include "session.h"
#include "tzdb_database.h"

using namespace hyperlink;
using namespace tzad;
using namespace tzt;

namespace {

TzDbObjectId addLine(TzDbDatabase& db, TzDbObjectId layer) {
  return addPolyline(db.modelSpaceId(), layer, {{0, 0, 0}, {1, 1, 0}});
}

class EntityHyperlinks : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = s.openSample();
    db = doc->database();
  }
  Session s;
  Document* doc = nullptr;
  TzDbDatabase* db = nullptr;
};

TEST_F(EntityHyperlinks, LockedLayersAreSkippedWithOneMessage) {
  TzDbObjectId open = addLayer(*db, u"Open");
  TzDbObjectId locked = addLayer(*db, u"Shut", 7, true);
  TzArray<TzDbObjectId> ids;
  for (int i = 0; i < 10; ++i) ids.append(addLine(*db, i % 3 == 1 && i < 9 ? locked : open));
  HyperlinkData data;
  data.address = u"http://example.com";
  data.flags = 1;
  EXPECT_TRUE(applyHyperlink(ids, data));
  int written = 0;
  for (TzDbObjectId id : ids) written += static_cast<int>(linksOf(id).size());
  EXPECT_EQ(written, 7);
  EXPECT_EQ(s.takeOutput(), "图层已锁定。解锁此图层以进行编辑。\n");
  EXPECT_EQ(removeHyperlinks(ids, false), 7);
  EXPECT_EQ(s.takeOutput(), "图层已锁定。解锁此图层以进行编辑。\n");
  EXPECT_EQ(hasAnyHyperlink(ids), -1);
}

TEST_F(EntityHyperlinks, WritingChangesTheFirstEntryAndKeepsTheSecond) {
  TzDbObjectId id = addLine(*db, db->clayer());
  ASSERT_EQ(setLinks(id, {{"one.pdf", "One"}, {"two.pdf", "Two", "V,L"}}), Tzad::eOk);
  HyperlinkData data;
  data.address = u"new.pdf";
  data.description = u"New";
  data.location = u"Entry";
  data.flags = 1;
  EXPECT_TRUE(applyHyperlink(TzArray<TzDbObjectId>{id}, data));
  HyperlinkData back;
  ASSERT_TRUE(readHyperlink(id, back));
  EXPECT_EQ(back.outermost, 1);
  EXPECT_EQ(back.displayString, u"New");
  EXPECT_EQ(linksOf(id),
            (std::vector<Link>{{"new.pdf", "New", "Entry", 1}, {"two.pdf", "Two", "V,L"}}));
}

TEST_F(EntityHyperlinks, AHyperlinkTheEntityCannotKeepIsNotCountedAsWritten) {
  // An address past the 16 MiB a record may hold: the entity refuses it when it is closed.
  HyperlinkData data;
  data.address = TzString(size_t{1} << 24, u'x');
  TzDbObjectId plain = db->objectIdOf(TzDbHandle(0x90));
  EXPECT_FALSE(applyHyperlink(TzArray<TzDbObjectId>{plain}, data));
  HyperlinkData back;
  EXPECT_FALSE(readHyperlink(plain, back));
  EXPECT_FALSE(db->isModified());
}

}  // namespace
