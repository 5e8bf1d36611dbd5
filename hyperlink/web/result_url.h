// The address the web browse dialog hands back: the page shown, or the link text typed
// beside it, taken as it is when it is an address and else as a path below the page.
#pragma once

#include "tz_string.h"

namespace hyperlink {

// currentUrl when linkText is empty; linkText when it is a URL or a "www." address; else
// currentUrl without its trailing "/" (the caller's text is shortened too), "/", linkText.
TzString resultUrl(TzString& currentUrl, const TzString& linkText);

}  // namespace hyperlink
