// A command that changes one object's hyperlink and its own groups, in either order, is one
// step: undo puts both back, redo both again, as often as asked.
#include <gtest/gtest.h>

#include <functional>

#include "session.h"
#include "tzdb_entity.h"
#include "tzdb_object.h"

using namespace tzt;

namespace {

const Link kLink{"https://example.com/house", "House", "", 1};

void recolour(TzDbObjectId id, int colour) {
  TzDbObjectPointer<TzDbEntity> entity(id, TzDb::kForWrite);
  ASSERT_EQ(entity.openStatus(), Tzad::eOk);
  ASSERT_EQ(entity->setColorIndex(colour), Tzad::eOk);
}

int colourOf(TzDbObjectId id) {
  TzDbObjectPointer<TzDbEntity> entity(id, TzDb::kForRead);
  return entity.openStatus() == Tzad::eOk ? entity->colorIndex() : -1;
}

TEST(UndoJournal, LinkAndGroupsOfOneObjectInOneStep) {
  struct Case {
    const char* name;
    bool linkFirst;
  };
  for (const Case& c : {Case{"link, then colour", true}, Case{"colour, then link", false}}) {
    SCOPED_TRACE(c.name);
    Session s;
    tzad::Document* doc = s.openSample();
    ASSERT_NE(doc, nullptr);
    TzDbObjectId house = doc->database()->objectIdOf(TzDbHandle(0x91));
    const std::vector<Link> before = linksOf(house);
    const int colourBefore = colourOf(house);
    tzad::Editor::instance().addCommand(u"LINKANDRECOLOUR", [&] {
      if (!c.linkFirst) recolour(house, 3);
      ASSERT_EQ(setLinks(house, {kLink}), Tzad::eOk);
      if (c.linkFirst) recolour(house, 3);
    });
    s.run({"LINKANDRECOLOUR"});
    for (int round = 0; round < 2; ++round) {
      EXPECT_EQ(linksOf(house), std::vector<Link>{kLink});
      EXPECT_EQ(colourOf(house), 3);
      s.run({"U"});
      EXPECT_EQ(linksOf(house), before);
      EXPECT_EQ(colourOf(house), colourBefore);
      s.run({"REDO"});
    }
  }
}

}  // namespace
