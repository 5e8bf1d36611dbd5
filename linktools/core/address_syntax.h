// Whether an address is written the way its kind must be: a mailto: link naming e-mail
// addresses, a web address that is a URL. Neither looks anything up.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tz_string.h"

namespace linktools {

// Why a mailto: link does not name e-mail addresses (in words), or nothing when it does: at
// least one address, in the link itself or in a "to=" field, and each of them local@domain
// with a domain of two or more labels. Percent escapes are read first.
std::optional<TzString> mailtoProblem(std::u16string_view link);

// A web address ("http://...", "ftp://...", or "www.example.com", which the opener takes as
// http) as the URL it stands for, ready to be fetched; nothing, with the reason in `problem`,
// when it is no valid URL (no host, a blank inside, a malformed port...).
std::optional<std::string> webUrl(std::u16string_view address, TzString& problem);

// Whether the URL's scheme is one that is checked over the network (http, https, ftp, ftps).
bool isFetchableScheme(std::u16string_view address);

}  // namespace linktools
