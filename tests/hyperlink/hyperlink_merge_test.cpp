// The one hyperlink the dialog shows for several objects, read from a real drawing.
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
  TzString address, description, location;
  int32_t dialogFlags;  // HYPERLINK's merge, which starts at 1
  int32_t blockFlags;   // hyperlinkBlkDlg's, which keeps the first object's
  uint32_t linked;
};

void PrintTo(const MergeCase& c, std::ostream* os) {
  *os << c.name;
}

const MergeCase kCases[] = {
    {"TargetsDifferingInCaseAgree",
     {link(u"http://Example.com/a", u"One", u"V,L", 0),
      link(u"HTTP://example.com/A", u"Two", u"v,l", 0)},
     u"http://Example.com/a",
     u"",
     u"V,L",
     0,
     0,
     2},
    {"FirstWithoutHyperlinkLeavesEverythingEmpty",
     {std::nullopt, link(u"http://example.com", u"Site", u"", 0)},
     u"",
     u"",
     u"",
     1,
     0,
     1},
    {"ALaterFlagOfOneWins",
     {link(u"a.pdf", u"A", u"", 0), std::nullopt, link(u"a.pdf", u"A", u"", 1)},
     u"a.pdf",
     u"A",
     u"",
     1,
     0,
     2},
    {"EveryFieldDiffers",
     {link(u"a.pdf", u"A", u"X", 3), link(u"b.pdf", u"B", u"Y", 3)},
     u"",
     u"",
     u"",
     3,
     3,
     2},
};

class HyperlinkMerge : public ::testing::TestWithParam<MergeCase> {
 protected:
  void SetUp() override { db = s.openSample()->database(); }

  TzDbObjectId addLine(const std::optional<HyperlinkData>& data) {
    auto* line = new TzDb3dPolyline(TzDb::k3dSimplePoly, {{0, 0, 0}, {1, 1, 0}});
    TzDbObjectPointer<TzDbBlockTableRecord> model(db->modelSpaceId(), TzDb::kForWrite);
    TzDbObjectId id;
    EXPECT_EQ(model->appendTzDbEntity(id, line), Tzad::eOk);
    EXPECT_EQ(line->close(), Tzad::eOk);
    if (data) {
      EXPECT_TRUE(applyHyperlink(TzArray<TzDbObjectId>{id}, *data));
    }
    return id;
  }

  Session s;
  TzDbDatabase* db = nullptr;
};

TEST_P(HyperlinkMerge, ShowsWhatTheLinkedObjectsAgreeOn) {
  const MergeCase& c = GetParam();
  TzArray<TzDbObjectId> ids;
  for (const auto& object : c.objects) ids.append(addLine(object));
  HyperlinkData start;
  start.flags = 1;
  MergedHyperlink dialog = mergeHyperlinks(ids, start, true);
  EXPECT_EQ(dialog.record.address, c.address);
  EXPECT_EQ(dialog.record.description, c.description);
  EXPECT_EQ(dialog.record.location, c.location);
  EXPECT_EQ(dialog.record.flags, c.dialogFlags);
  EXPECT_EQ(dialog.linkedCount, c.linked);
  EXPECT_EQ(mergeHyperlinks(ids, HyperlinkData(), false).record.flags, c.blockFlags);
}

INSTANTIATE_TEST_SUITE_P(Objects, HyperlinkMerge, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
