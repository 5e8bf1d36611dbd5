// Closing an object whose changes cannot be stored: a status, never an exception, and the
// drawing keeps the object as it was.
#include <gtest/gtest.h>

#include <memory>

#include "dxf/text_arena.h"
#include "session.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

using namespace tzt;

namespace {

std::string descriptionOf(TzDbObjectId id) {
  std::vector<Link> links = linksOf(id);
  return links.empty() ? "(none)" : links[0].description;
}

TEST(ObjectClose, ChangesTooLargeToStoreAreReportedNotThrown) {
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(samplePath())), Tzad::eOk);
  TzDbObjectId id = db.objectIdOf(TzDbHandle(0x90));
  {
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForWrite);
    ASSERT_TRUE(e);
    ASSERT_EQ(setLinks(*e.get(), {{"a.pdf", "before"}}), Tzad::eOk);
    ASSERT_EQ(e.close(), Tzad::eOk);
  }
  const std::string huge(TextRef::kMaxSize + 1, 'x');
  {
    // Closed by the destructor, which has no status to give: the process goes on (closed
    // explicitly, the status says the change was lost: entity_hyperlinks_test's).
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForWrite);
    ASSERT_EQ(setLinks(*e.get(), {{"a.pdf", huge}}), Tzad::eOk);
  }
  EXPECT_EQ(descriptionOf(id), "before");
  TzDbObjectPointer<TzDbEntity> again(id, TzDb::kForWrite);
  EXPECT_EQ(again.openStatus(), Tzad::eOk);  // the failed opens ended all the same
}

}  // namespace
