#include "core/link_check.h"

#include <sys/stat.h>

#include <memory>
#include <unordered_set>

#include "core/address_syntax.h"
#include "core/link_text.h"
#include "model/link_targets.h"
#include "platform/clipboard_formats.h"
#include "platform/display_text.h"
#include "platform/path_rules.h"
#include "platform/text.h"
#include "platform/trim.h"
#include "tzap_docman.h"
#include "tzdb_database.h"

namespace linktools {

namespace {

// HYPERLINKOPEN takes the answer without the blanks a paste brings at its end.
constexpr std::u16string_view kAnswerBlanks = u" \t\r\n";

// Paths and names shown in a detail are cut to a length a line can hold.
constexpr size_t kShownPath = 200;

TzString shown(std::u16string_view text) {
  return platform::displayText(text, kShownPath);
}

// The host's drawing files, by extension, as HYPERLINKOPEN tells them apart.
bool isDrawingPath(const TzString& target) {
  TzString extension = platform::splitPath(target).extension;
  return tzutEqualsNoCase(extension, u".dwg") || tzutEqualsNoCase(extension, u".dxf");
}

// A path written on Windows (a drive letter, "\\server\share", a leading "\") is absolute
// there and nowhere here.
bool isWindowsOnlyPath(const TzString& target) {
  return platform::pathStyle() == platform::PathStyle::Posix && !target.empty() &&
         target.front() != u'/';
}

// An open drawing of that name, as HYPERLINKOPEN finds one (its letters' case aside).
TzDbDatabase* openDrawing(const TzString& target) {
  TzApDocManager* docs = tzDocManagerPtr();
  if (docs == nullptr) return nullptr;
  std::unique_ptr<TzApDocumentIterator> it(docs->newTzApDocumentIterator());
  for (; it && !it->done(); it->step())
    if (tzutEqualsNoCase(it->document()->fileName(), target)) return it->document()->database();
  return nullptr;
}

bool hasEntry(const hyperlink::LocationList& list, const TzString& name, bool view) {
  for (const hyperlink::LocationEntry& entry : list)
    if (entry.isView == view && entry.space != 0 && tzutEqualsNoCase(entry.name, name)) return true;
  return false;
}

// The view and layout a location names must both be in the drawing: HYPERLINKOPEN would
// otherwise show the wrong place or none. `where` names the drawing for the detail.
CheckResult checkLocation(const hyperlink::LocationList& list, const TzString& location,
                          const TzString& where) {
  CheckResult result;
  TzString view, layout;
  hyperlink::splitLocation(location, view, layout);
  if (!view.empty() && !hasEntry(list, view, true)) {
    result.status = LinkStatus::MissingLocation;
    result.detail = linkText(u"The view \"%1\" is not in %2.", {shown(view), where});
  } else if (layout != u"Model" && !hasEntry(list, layout, false)) {
    result.status = LinkStatus::MissingLocation;
    result.detail = linkText(u"The layout \"%1\" is not in %2.", {shown(layout), where});
  }
  return result;
}

CheckResult broken(LinkStatus status, TzString detail, TzString target = {}) {
  CheckResult result;
  result.status = status;
  result.detail = std::move(detail);
  result.target = std::move(target);
  return result;
}

}  // namespace

std::vector<CheckResult> LinkChecker::checkDrawing(TzDbDatabase& db,
                                                   const std::vector<DrawingLink>& links) {
  hyperlink::LocationList own;
  if (!hyperlink::listDrawingLocations(&db, own)) own.clear();
  std::vector<CheckResult> results;
  results.reserve(links.size());
  for (const DrawingLink& link : links) results.push_back(checkLink(link, own));
  return results;
}

CheckResult LinkChecker::checkLink(const DrawingLink& link, const hyperlink::LocationList& own) {
  TzString address(platform::trimmedEnd(link.address, kAnswerBlanks));
  TzString location(platform::trimmed(link.location, kAnswerBlanks));
  if (address.empty()) {
    if (location.empty()) return {};  // a description alone: nothing to follow
    return checkLocation(own, location, linkText(u"this drawing"));
  }
  if (platform::holdsControlCharacter(address))
    return broken(LinkStatus::BadAddress, linkText(u"The address holds a control character."));
  TzString target = hyperlink::resolveTarget(address);
  if (isDrawingPath(target)) return checkDrawingLink(address, target, location);
  if (hyperlink::isMailtoLink(address)) {
    std::optional<TzString> problem = mailtoProblem(address);
    return problem ? broken(LinkStatus::BadEmail, *problem) : CheckResult{};
  }
  if (hyperlink::isWebAddress(address)) return checkWebLink(address);
  return checkFileLink(target);
}

CheckResult LinkChecker::checkDrawingLink(const TzString& address, const TzString& target,
                                          const TzString& location) {
  if (TzDbDatabase* open = openDrawing(target)) {
    hyperlink::LocationList list;
    if (location.empty() || !hyperlink::listDrawingLocations(open, list)) return {};
    CheckResult result = checkLocation(list, location, shown(target));
    result.target = target;
    return result;
  }
  if (hyperlink::isWebAddress(address))
    return broken(LinkStatus::MissingFile,
                  linkText(u"A drawing opens from a file; there is none at a web address."),
                  target);
  if (!fileExists(target)) {
    TzString detail =
        isWindowsOnlyPath(target)
            ? linkText(u"A Windows path, which is not on this computer: %1", {shown(target)})
            : linkText(u"The drawing does not exist: %1", {shown(target)});
    return broken(LinkStatus::MissingFile, std::move(detail), target);
  }
  const DrawingTarget& drawing = drawingTarget(target);
  if (!drawing.readable)
    return broken(LinkStatus::UnreadableDrawing,
                  linkText(u"The drawing cannot be read: %1", {drawing.error}), target);
  CheckResult result;
  if (!location.empty()) result = checkLocation(drawing.locations, location, shown(target));
  result.target = target;
  return result;
}

CheckResult LinkChecker::checkFileLink(const TzString& target) {
  if (fileExists(target)) {
    CheckResult result;
    result.target = target;
    return result;
  }
  TzString detail =
      isWindowsOnlyPath(target)
          ? linkText(u"A Windows path, which is not on this computer: %1", {shown(target)})
          : linkText(u"The file does not exist: %1", {shown(target)});
  return broken(LinkStatus::MissingFile, std::move(detail), target);
}

CheckResult LinkChecker::checkWebLink(const TzString& address) {
  TzString scheme = address.substr(0, address.find(u':'));
  if (tzutEqualsNoCase(scheme, u"file")) {
    std::optional<TzString> path =
        platform::filePathInUriList(tzutToUtf8(u"file" + address.substr(scheme.size())));
    if (!path)
      return broken(LinkStatus::MissingFile,
                    linkText(u"The address names a file on another computer."));
    return checkFileLink(*path);
  }
  TzString problem;
  std::optional<std::string> url = webUrl(address, problem);
  if (!url) return broken(LinkStatus::BadAddress, problem);
  CheckResult result;
  result.status = LinkStatus::NotChecked;
  result.target = tzutFromUtf8(*url);
  if (isFetchableScheme(address)) {
    result.url = *url;
    result.detail = linkText(u"Web addresses are checked only when asked.");
  } else {
    result.detail = linkText(u"Only http, https and ftp addresses are looked up.");
  }
  return result;
}

bool LinkChecker::fileExists(const TzString& path) {
  auto known = files_.find(path);
  if (known != files_.end()) return known->second;
  struct stat info {};
  bool exists = ::stat(platform::toFileName(path).c_str(), &info) == 0;
  files_.emplace(path, exists);
  return exists;
}

const LinkChecker::DrawingTarget& LinkChecker::drawingTarget(const TzString& path) {
  auto known = drawings_.find(path);
  if (known != drawings_.end()) return known->second;
  DrawingTarget drawing;
  // Read into a database of its own and let go at once, as the browse-drawing dialog does:
  // the file is only read.
  auto database = std::make_unique<TzDbDatabase>(false, true);
  if (database->readDwgFile(path) != Tzad::eOk) {
    drawing.error = database->lastErrorText();
  } else {
    drawing.readable = hyperlink::listDrawingLocations(database.get(), drawing.locations);
    if (!drawing.readable) drawing.error = linkText(u"its layouts cannot be listed.");
  }
  return drawings_.emplace(path, std::move(drawing)).first->second;
}

void LinkChecker::checkWebAddresses(const std::vector<CheckResult*>& results,
                                    const WebCheckOptions& options) {
  std::vector<std::string> urls;
  std::unordered_set<std::string> asked;
  for (CheckResult* result : results)
    if (!result->url.empty() && !web_.contains(result->url) && asked.insert(result->url).second)
      urls.push_back(result->url);
  std::vector<CheckResult> answers = lookUpUrls(urls, options);
  for (size_t i = 0; i < urls.size(); ++i) web_.emplace(urls[i], std::move(answers[i]));
  for (CheckResult* result : results) {
    if (result->url.empty()) continue;
    const CheckResult& answer = web_.at(result->url);
    result->status = answer.status;
    result->httpStatus = answer.httpStatus;
    result->detail = answer.detail;
    if (!answer.target.empty()) result->target = answer.target;
  }
}

}  // namespace linktools
