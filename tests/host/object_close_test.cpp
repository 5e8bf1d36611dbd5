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

TEST(TextArena, RefusesWhatItCannotHoldAndKeepsWhatItHas) {
  TextArena arena;
  TextRef first;
  ASSERT_TRUE(arena.store("kept", first));
  std::string_view view = arena.view(first);
  TextRef empty;
  EXPECT_TRUE(arena.store("", empty));
  EXPECT_EQ(empty.size(), 0u);
  TextRef tooLarge;
  EXPECT_FALSE(arena.store(std::string(TextRef::kMaxSize + 1, 'x'), tooLarge));
  TextRef large;
  ASSERT_TRUE(arena.store(std::string(TextRef::kMaxSize, 'y'), large));
  EXPECT_EQ(arena.view(large).size(), TextRef::kMaxSize);
  EXPECT_EQ(view, "kept");  // earlier text never moves
  EXPECT_EQ(arena.view(first), "kept");
}

// Gives the entity a first hyperlink with this description.
Tzad::ErrorStatus describe(TzDbEntity& e, const TzString& description) {
  auto* links = new TzDbHyperlinkCollection();
  links->addTail(u"a.pdf", description);
  return TzDbEntityHyperlinkPE::query(&e)->setHyperlinkCollection(&e, links);
}

TzString descriptionOf(TzDbObjectId id) {
  TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForRead);
  TzDbHyperlinkCollection* raw = nullptr;
  EXPECT_EQ(TzDbEntityHyperlinkPE::query(e.get())->getHyperlinkCollection(e.get(), raw), Tzad::eOk);
  std::unique_ptr<TzDbHyperlinkCollection> links(raw);
  return links->count() > 0 ? links->item(0)->description() : u"(none)";
}

TEST(ObjectClose, ChangesTooLargeToStoreAreReportedNotThrown) {
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(samplePath())), Tzad::eOk);
  TzDbObjectId id = db.objectIdOf(TzDbHandle(0x90));
  {
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForWrite);
    ASSERT_TRUE(e);
    ASSERT_EQ(describe(*e.get(), u"before"), Tzad::eOk);
    ASSERT_EQ(e.close(), Tzad::eOk);
  }
  const TzString huge(TextRef::kMaxSize + 1, u'x');
  {
    // Closed explicitly: the status says the change was lost.
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForWrite);
    ASSERT_EQ(describe(*e.get(), huge), Tzad::eOk);
    EXPECT_EQ(e.close(), Tzad::eOutOfMemory);
  }
  EXPECT_EQ(descriptionOf(id), u"before");
  {
    // Closed by the destructor: the process goes on.
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForWrite);
    ASSERT_EQ(describe(*e.get(), huge), Tzad::eOk);
  }
  EXPECT_EQ(descriptionOf(id), u"before");
  TzDbObjectPointer<TzDbEntity> again(id, TzDb::kForWrite);
  EXPECT_EQ(again.openStatus(), Tzad::eOk);  // the failed opens ended all the same
}

}  // namespace
