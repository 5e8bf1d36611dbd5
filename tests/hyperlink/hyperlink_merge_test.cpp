// The one hyperlink the dialog shows for several objects, read from a real drawing: the flags
// of both ways into the dialog (what HYPERLINK shows for objects agreeing in letter case, or
// with a first object without a hyperlink, is the entry points' window test).
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "dialog/hyperlink_merge.h"
#include "model/entity_hyperlinks.h"
#include "session.h"
#include "tzdb_database.h"
#include "tzdb_entity.h"

using namespace hyperlink;
using namespace tzt;

namespace {

HyperlinkData link(const char16_t* address, const char16_t* description, const char16_t* location,
                   int32_t flags) {
  HyperlinkData data;
  data.address = address;
  data.description = description;
  data.location = location;
  data.flags = flags;
  return data;
}

struct MergeCase {
  const char* name;
  std::vector<std::optional<HyperlinkData>> objects;  // nullopt: an object without a hyperlink
  // "address|description|location", the flags of HYPERLINK's merge (which starts at 1) and of
  // hyperlinkBlkDlg's (which keeps the first object's), and the count of linked objects.
  const char* shown;
};

const MergeCase kCases[] = {
    {"ALaterFlagOfOneWins",
     {link(u"a.pdf", u"A", u"", 0), std::nullopt, link(u"a.pdf", u"A", u"", 1)},
     "a.pdf|A| flags 1/0, 2 linked"},
    {"EveryFieldDiffers",
     {link(u"a.pdf", u"A", u"X", 3), link(u"b.pdf", u"B", u"Y", 3)},
     "|| flags 3/3, 2 linked"},
};

// Lines added to the sample drawing, with a hyperlink each or none.
TzDbObjectId addLine(TzDbDatabase& db, const std::optional<HyperlinkData>& data) {
  auto* line = new TzDb3dPolyline(TzDb::k3dSimplePoly, {{0, 0, 0}, {1, 1, 0}});
  TzDbObjectPointer<TzDbBlockTableRecord> model(db.modelSpaceId(), TzDb::kForWrite);
  TzDbObjectId id;
  EXPECT_EQ(model->appendTzDbEntity(id, line), Tzad::eOk);
  EXPECT_EQ(line->close(), Tzad::eOk);
  EXPECT_TRUE(!data || applyHyperlink(TzArray<TzDbObjectId>{id}, *data));
  return id;
}

TEST(HyperlinkMerge, ShowsWhatTheLinkedObjectsAgreeOn) {
  Session s;
  TzDbDatabase& db = *s.openSample()->database();
  for (const MergeCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TzArray<TzDbObjectId> ids;
    for (const auto& object : c.objects) ids.append(addLine(db, object));
    HyperlinkData start;
    start.flags = 1;
    MergedHyperlink dialog = mergeHyperlinks(ids, start, true);
    const HyperlinkData& r = dialog.record;
    EXPECT_EQ(u8(r.address + u"|" + r.description + u"|" + r.location) + " flags " +
                  std::to_string(r.flags) + "/" +
                  std::to_string(mergeHyperlinks(ids, HyperlinkData(), false).record.flags) + ", " +
                  std::to_string(dialog.linkedCount) + " linked",
              c.shown);
  }
}

}  // namespace
