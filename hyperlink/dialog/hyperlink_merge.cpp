#include "dialog/hyperlink_merge.h"

#include "model/entity_hyperlinks.h"

namespace hyperlink {

namespace {

void keepIfEqual(TzString& merged, const TzString& other) {
  if (!tzutEqualsNoCase(merged, other)) merged.clear();
}

}  // namespace

MergedHyperlink mergeHyperlinks(const TzArray<TzDbObjectId>& ids, const HyperlinkData& start,
                                bool laterFlagsOfOne) {
  MergedHyperlink merged{start};
  for (int i = 0; i < ids.length(); ++i) {
    HyperlinkData link;
    if (!readHyperlink(ids.at(i), link)) continue;
    ++merged.linkedCount;
    if (i == 0) {
      merged.record = link;
      continue;
    }
    keepIfEqual(merged.record.address, link.address);
    keepIfEqual(merged.record.description, link.description);
    keepIfEqual(merged.record.location, link.location);
    if (laterFlagsOfOne && link.flags == 1) merged.record.flags = 1;
  }
  return merged;
}

}  // namespace hyperlink
