// Checking hyperlinks: does each lead where it says? Targets resolve exactly as HYPERLINKOPEN
// resolves them (the module's own code: the hyperlink base, the drawing's folder, the documents
// folder, paths written on Windows), and named locations in other drawings are read as the
// browse-drawing dialog reads them. A checker remembers what it found about each target for
// as long as it lives, so that a run over many links looks at each target once.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "core/drawing_links.h"
#include "core/link_status.h"
#include "core/web_check.h"
#include "locations/drawing_locations.h"

class TzDbDatabase;

namespace linktools {

class LinkChecker {
 public:
  // Checks the links of a drawing without the network: web addresses come back NotChecked,
  // with the URL to look up. `db` must be the drawing whose variables the host reports (the
  // current document, or the working database of a program without documents), since relative
  // targets resolve against its hyperlink base and folder.
  std::vector<CheckResult> checkDrawing(TzDbDatabase& db, const std::vector<DrawingLink>& links);
  // Looks up the web addresses of results that wait for it, each URL once per checker.
  void checkWebAddresses(const std::vector<CheckResult*>& results, const WebCheckOptions& options);

 private:
  // A drawing a link leads to, as read from its file.
  struct DrawingTarget {
    bool readable = false;
    TzString error;  // why it cannot be read
    hyperlink::LocationList locations;
  };
  CheckResult checkLink(const DrawingLink& link, const hyperlink::LocationList& own);
  CheckResult checkDrawingLink(const TzString& address, const TzString& target,
                               const TzString& location);
  CheckResult checkFileLink(const TzString& target);
  CheckResult checkWebLink(const TzString& address);
  bool fileExists(const TzString& path);
  const DrawingTarget& drawingTarget(const TzString& path);

  std::unordered_map<TzString, bool> files_;
  std::unordered_map<TzString, DrawingTarget> drawings_;
  std::unordered_map<std::string, CheckResult> web_;
};

}  // namespace linktools
