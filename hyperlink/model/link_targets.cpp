#include "model/link_targets.h"

#include <algorithm>
#include <vector>

#include "module/resource_string.h"
#include "platform/folders.h"
#include "platform/path_rules.h"
#include "tzdb_database.h"
#include "tzed_editor.h"

namespace hyperlink {

namespace {

constexpr int kBaseCapacity = 2049;

// Splits at dots: a part ends at each dot found past the start of what remains; a dot at the
// start (two dots in a row, or a leading dot) makes the rest one last part.
std::vector<std::u16string_view> dotParts(std::u16string_view text) {
  std::vector<std::u16string_view> parts;
  while (true) {
    size_t dot = text.find(u'.');
    if (dot == std::u16string_view::npos || dot == 0) {
      parts.push_back(text);
      return parts;
    }
    parts.push_back(text.substr(0, dot));
    text.remove_prefix(dot + 1);
  }
}

// Either separator ends a folder: a base written on Windows keeps its "\", and a folder the
// host reports keeps its "/".
bool endsWithSeparator(std::u16string_view path) {
  return !path.empty() && (path.back() == u'/' || path.back() == u'\\');
}

// A string variable's value; empty when it cannot be read or is not a string.
TzString stringVariable(const char16_t* name) {
  resbuf rb;
  if (tzedGetVar(name, &rb) != RTNORM) return {};
  TzString value;
  if (rb.restype == RTSTR && rb.resval.rstring) value = rb.resval.rstring;
  if (rb.restype == RTSTR) tzutDelBuffer(rb.resval.rstring);
  return value;
}

}  // namespace

bool isWebAddress(std::u16string_view text) {
  if (platform::pathIsUrl(text)) return true;
  std::vector<std::u16string_view> parts = dotParts(text);
  if (parts.size() < 2 || !tzutEqualsNoCase(parts.front(), u"www")) return false;
  const auto& domains = topLevelDomains();
  return std::find(domains.begin(), domains.end(), parts.back()) != domains.end();
}

bool isMailtoLink(std::u16string_view text) {
  return text.size() >= 7 && tzutEqualsNoCase(text.substr(0, 7), u"mailto:");
}

bool isDrivePath(std::u16string_view text) {
  return text.size() > 2 && text[text.size() - 2] == u':';
}

bool isRelativeTarget(std::u16string_view text) {
  return !isDrivePath(text) && !isWebAddress(text) && !isMailtoLink(text) &&
         platform::pathIsRelative(text);
}

TzString drawingLinkBase() {
  TzString base = stringVariable(u"HYPERLINKBASE");
  return base.empty() ? stringVariable(u"DWGPREFIX") : base;
}

void hyperlinkBasePath(char16_t* out) {
  TzString base = drawingLinkBase();
  if (base.empty()) base = platform::documentsFolder().value_or(u"");
  if (base.empty()) base = platform::currentDirectory().value_or(u"");
  if (!base.empty() && !endsWithSeparator(base)) base += platform::pathSeparator();
  tzutCopyString(base, out, kBaseCapacity);
}

TzString hyperlinkBasePath() {
  char16_t buffer[kBaseCapacity];
  hyperlinkBasePath(buffer);
  return buffer;
}

TzString resolveTarget(std::u16string_view text) {
  if (!isRelativeTarget(text)) return TzString(text);
  return hyperlinkBasePath() + platform::withNativeSeparators(text);
}

void splitLocation(std::u16string_view location, TzString& view, TzString& layout) {
  size_t comma = location.find(u',');
  if (comma == std::u16string_view::npos) {
    view = location;
    layout.clear();
  } else {
    view = location.substr(0, comma);
    layout = location.substr(comma + 1);
  }
  if (layout.empty() || tzutEqualsNoCase(layout, resourceText(text::kModelName))) layout = u"Model";
}

bool findLayout(const TzString& name, TzDbObjectId& id) {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  TzDbDictionary* opened = nullptr;
  if (db == nullptr || db->getLayoutDictionary(opened, TzDb::kForRead) != Tzad::eOk || !opened)
    return true;  // no dictionary to ask: the caller carries on with a null id
  TzDbObjectPointer<TzDbDictionary> dict(opened);
  TzDbObjectId found;
  bool has = dict->getAt(name, found) == Tzad::eOk;
  if (dict.close() != Tzad::eOk || !has) return false;
  id = found;
  return true;
}

bool viewExists(const TzString& name) {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  TzDbViewTable* opened = nullptr;
  if (db == nullptr || db->getSymbolTable(opened, TzDb::kForRead) != Tzad::eOk) return false;
  TzDbObjectPointer<TzDbViewTable> views(opened);
  TzDbObjectId id;
  bool found = views->getIdAt(name, id, false) == Tzad::eOk;
  return views.close() == Tzad::eOk && found;
}

}  // namespace hyperlink
