#include "core/link_status.h"

#include "core/link_text.h"

namespace linktools {

std::string statusCode(const CheckResult& result) {
  switch (result.status) {
    case LinkStatus::Ok:
      return "ok";
    case LinkStatus::NotChecked:
      return "not-checked";
    case LinkStatus::MissingFile:
      return "missing-file";
    case LinkStatus::MissingLocation:
      return "missing-location";
    case LinkStatus::UnreadableDrawing:
      return "unreadable-drawing";
    case LinkStatus::BadEmail:
      return "bad-email";
    case LinkStatus::BadAddress:
      return "bad-address";
    case LinkStatus::HttpError:
      return "http-" + std::to_string(result.httpStatus);
    case LinkStatus::Timeout:
      return "timeout";
    case LinkStatus::NetworkError:
      return "network-error";
  }
  return "ok";
}

TzString statusName(const CheckResult& result) {
  switch (result.status) {
    case LinkStatus::Ok:
      return linkText(u"OK");
    case LinkStatus::NotChecked:
      return linkText(u"Not checked");
    case LinkStatus::MissingFile:
      return linkText(u"Missing file");
    case LinkStatus::MissingLocation:
      return linkText(u"Missing location");
    case LinkStatus::UnreadableDrawing:
      return linkText(u"Unreadable drawing");
    case LinkStatus::BadEmail:
      return linkText(u"Bad e-mail address");
    case LinkStatus::BadAddress:
      return linkText(u"Bad address");
    case LinkStatus::HttpError:
      return linkText(u"HTTP %1", {numberText(result.httpStatus)});
    case LinkStatus::Timeout:
      return linkText(u"Timed out");
    case LinkStatus::NetworkError:
      return linkText(u"Network error");
  }
  return {};
}

}  // namespace linktools
