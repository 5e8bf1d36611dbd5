#include "web/result_url.h"

#include "model/link_targets.h"
#include "platform/path_rules.h"

namespace hyperlink {

TzString resultUrl(TzString& currentUrl, const TzString& linkText) {
  if (linkText.empty()) return currentUrl;
  if (platform::pathIsUrl(linkText) || isWebAddress(linkText)) return linkText;
  while (!currentUrl.empty() && currentUrl.back() == u'/') currentUrl.pop_back();
  return currentUrl + u"/" + linkText;
}

}  // namespace hyperlink
