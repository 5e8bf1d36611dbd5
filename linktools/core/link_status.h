// What a check found about one hyperlink: whether it leads somewhere, and if not, why.
#pragma once

#include <string>

#include "tz_string.h"

namespace linktools {

enum class LinkStatus {
  Ok,
  NotChecked,         // a web address: looked up only when the user asks
  MissingFile,        // the document or drawing is not there
  MissingLocation,    // the named view or layout is not in the target drawing
  UnreadableDrawing,  // the target drawing is there but cannot be read
  BadEmail,           // a mailto: link that names no e-mail address
  BadAddress,         // not a valid URL, or a target no program can be given
  HttpError,          // the web server answered with an error status
  Timeout,            // the web server did not answer in time
  NetworkError,       // the web server could not be reached
};

struct CheckResult {
  LinkStatus status = LinkStatus::Ok;
  int httpStatus = 0;  // with HttpError: the status the server answered with
  TzString detail;     // why, in words (in the host's language); empty when there is nothing to say
  // What the address leads to: the absolute path of a file, the URL of a web address.
  TzString target;
  // A web address to look up, when the user asks for web checks (status NotChecked).
  std::string url;

  bool broken() const { return status != LinkStatus::Ok && status != LinkStatus::NotChecked; }
};

// The short code scripts read: "ok", "not-checked", "missing-file", "missing-location",
// "unreadable-drawing", "bad-email", "bad-address", "http-404", "timeout", "network-error".
std::string statusCode(const CheckResult& result);
// The same in words for people, in the host's language.
TzString statusName(const CheckResult& result);

}  // namespace linktools
