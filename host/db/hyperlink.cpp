// Hyperlinks live in extended data, the way DXF programs exchange them: application PE_URL
// holds the first link (address; then a group with description, location and a flags group).
// Further links go to application TZAD_HYPERLINKS, where readers of PE_URL do not see them.
#include "tzdb_hyperlink.h"

#include <algorithm>
#include <memory>
#include <tuple>

#include "db/database_impl.h"
#include "db/object_data.h"
#include "dxf/dxf_codes.h"
#include "dxf/dxf_tokenizer.h"
#include "tzdb_database.h"

namespace {

constexpr std::string_view kPeUrl = "PE_URL";
constexpr std::string_view kMoreLinks = "TZAD_HYPERLINKS";

// Application names here are ASCII, and no other character folds to an ASCII letter, so
// comparing bytes with ASCII letters folded is the case-blind comparison.
bool isAppName(std::string_view value, std::string_view app) {
  std::string_view name = trimBlanks(value);
  return name.size() == app.size() &&
         std::equal(name.begin(), name.end(), app.begin(),
                    [](char a, char b) { return tzutFoldCase(a) == tzutFoldCase(b); });
}

bool isApp(const DxfTag& t, std::string_view app) {
  return t.code == DxfCode::kXdataApp && isAppName(t.value, app);
}

// The tags of one application's extended data, after its 1001 group.
std::pair<size_t, size_t> appRange(const DxfTags& xdata, std::string_view app) {
  for (size_t i = 0; i < xdata.size(); ++i) {
    if (!isApp(xdata[i], app)) continue;
    size_t end = i + 1;
    while (end < xdata.size() && xdata[end].code != DxfCode::kXdataApp) ++end;
    return {i, end};
  }
  return {xdata.size(), xdata.size()};
}

int parseFlags(const std::string& v) {
  return std::atoi(std::string(trimBlanks(v)).c_str());
}

// Reads PE_URL tolerantly: any of the groups may be missing.
void readPeUrl(const DxfTags& x, size_t begin, size_t end, TzDbHyperlinkCollection& links) {
  if (begin >= end) return;
  TzString address, description, location;
  int flags = 0;
  int depth = 0;
  int stringsInGroup = 0;
  bool haveAddress = false;
  for (size_t i = begin + 1; i < end; ++i) {
    const DxfTag& t = x[i];
    if (t.code == DxfCode::kXdataControl) {
      depth += trimBlanks(t.value) == "{" ? 1 : -1;
      continue;
    }
    if (t.code == DxfCode::kXdataString && depth == 0 && !haveAddress) {
      address = tzutFromUtf8(t.value);
      haveAddress = true;
    } else if (t.code == DxfCode::kXdataString && depth == 1) {
      (stringsInGroup++ == 0 ? description : location) = tzutFromUtf8(t.value);
    } else if ((t.code == DxfCode::kXdataLong || t.code == DxfCode::kXdataShort) && depth >= 1) {
      flags = parseFlags(t.value);
    }
  }
  links.addTail(address, description, location);
  links.item(links.count() - 1)->setFlags(flags);
}

void readMoreLinks(const DxfTags& x, size_t begin, size_t end, TzDbHyperlinkCollection& links) {
  for (size_t i = begin + 1; i < end; ++i) {
    if (x[i].code != DxfCode::kXdataControl || trimBlanks(x[i].value) != "{") continue;
    std::vector<TzString> texts;
    int flags = 0;
    for (++i; i < end && x[i].code != DxfCode::kXdataControl; ++i) {
      if (x[i].code == DxfCode::kXdataString) texts.push_back(tzutFromUtf8(x[i].value));
      if (x[i].code == DxfCode::kXdataLong || x[i].code == DxfCode::kXdataShort)
        flags = parseFlags(x[i].value);
    }
    texts.resize(3);
    links.addTail(texts[0], texts[1], texts[2]);
    links.item(links.count() - 1)->setFlags(flags);
  }
}

std::string utf8(const TzString& s) {
  return tzutToUtf8(s);
}

void appendPeUrl(DxfTags& x, const TzDbHyperlink& link) {
  x.reserve(x.size() + 10);
  x.emplace_back(1001, std::string(kPeUrl));
  x.emplace_back(1000, utf8(link.name()));
  x.emplace_back(1002, "{");
  x.emplace_back(1000, utf8(link.description()));
  if (!link.subLocation().empty()) x.emplace_back(1000, utf8(link.subLocation()));
  x.emplace_back(1002, "{");
  x.emplace_back(1071, std::to_string(link.flags()));
  x.emplace_back(1002, "}");
  x.emplace_back(1002, "}");
}

void appendMoreLinks(DxfTags& x, const TzDbHyperlinkCollection& links) {
  if (links.count() < 2) return;
  x.emplace_back(1001, std::string(kMoreLinks));
  for (int i = 1; i < links.count(); ++i) {
    const TzDbHyperlink& l = *links.item(i);
    x.emplace_back(1002, "{");
    x.emplace_back(1000, utf8(l.name()));
    x.emplace_back(1000, utf8(l.description()));
    x.emplace_back(1000, utf8(l.subLocation()));
    x.emplace_back(1071, std::to_string(l.flags()));
    x.emplace_back(1002, "}");
  }
}

// Every group of the application goes: a drawing from elsewhere may carry one twice.
void eraseApp(DxfTags& x, std::string_view app) {
  for (auto [b, e] = appRange(x, app); b < x.size(); std::tie(b, e) = appRange(x, app))
    x.erase(x.begin() + static_cast<long>(b), x.begin() + static_cast<long>(e));
}

// Registers an application name the first time the drawing uses it. A name is remembered as
// registered only once its record is in the drawing, so a failure is tried again next time.
Tzad::ErrorStatus registerApp(TzDbDatabase* db, std::string_view app) {
  if (db == nullptr) return Tzad::eOk;
  auto& known = TzDbInternals::impl(*db).registeredApps;
  if (known.contains(app)) return Tzad::eOk;
  TzDbRegAppTable* table = nullptr;
  Tzad::ErrorStatus es = db->getSymbolTable(table, TzDb::kForWrite);
  if (es != Tzad::eOk) return es;
  TzString name = tzutFromUtf8(app);
  if (!table->has(name)) {
    auto rec = std::make_unique<TzDbRegAppTableRecord>();
    es = rec->setName(name);
    if (es == Tzad::eOk) es = tzdbAddNewObject(*table, std::move(rec));
  }
  Tzad::ErrorStatus closed = table->close();
  if (es == Tzad::eOk) es = closed;
  if (es == Tzad::eOk) known.emplace(app);
  return es;
}

}  // namespace

TzString TzDbHyperlink::getDisplayString() const {
  if (!description_.empty()) return description_;
  if (subLocation_.empty()) return name_;
  return name_ + u"#" + subLocation_;
}

TzDbHyperlink* TzDbHyperlinkCollection::item(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

void TzDbHyperlinkCollection::addAt(int index, const TzString& name, const TzString& description,
                                    const TzString& subLocation) {
  auto link = std::make_unique<TzDbHyperlink>();
  link->setName(name);
  link->setDescription(description);
  link->setSubLocation(subLocation);
  index = std::clamp(index, 0, count());
  items_.insert(items_.begin() + index, std::move(link));
}
void TzDbHyperlinkCollection::addHead(const TzString& n, const TzString& d, const TzString& s) {
  addAt(0, n, d, s);
}
void TzDbHyperlinkCollection::addTail(const TzString& n, const TzString& d, const TzString& s) {
  addAt(count(), n, d, s);
}
void TzDbHyperlinkCollection::removeAt(int index) {
  if (index >= 0 && index < count()) items_.erase(items_.begin() + index);
}
void TzDbHyperlinkCollection::removeHead() {
  removeAt(0);
}
void TzDbHyperlinkCollection::removeTail() {
  removeAt(count() - 1);
}

TzDbEntityHyperlinkPE* TzDbEntityHyperlinkPE::query(const TzRxObject* object) {
  static TzDbEntityHyperlinkPE pe;
  return object && object->isKindOf(TzDbEntity::desc()) ? &pe : nullptr;
}

Tzad::ErrorStatus TzDbEntityHyperlinkPE::getHyperlinkCollection(TzDbObject* object,
                                                                TzDbHyperlinkCollection*& links,
                                                                bool oneOnly, bool) {
  links = nullptr;
  if (query(object) == nullptr) return Tzad::eNotThatKindOfClass;
  auto result = std::make_unique<TzDbHyperlinkCollection>();
  const DxfTags& x = dataOf(object).xdata;
  auto [pb, pe] = appRange(x, kPeUrl);
  readPeUrl(x, pb, pe, *result);
  if (!oneOnly && result->count() > 0) {
    auto [mb, me] = appRange(x, kMoreLinks);
    readMoreLinks(x, mb, me, *result);
  }
  links = result.release();
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbEntityHyperlinkPE::setHyperlinkCollection(TzDbObject* object,
                                                                TzDbHyperlinkCollection* links) {
  std::unique_ptr<TzDbHyperlinkCollection> owned(links);
  if (query(object) == nullptr) return Tzad::eNotThatKindOfClass;
  if (!object->isWriteEnabled()) return Tzad::eNotOpenForWrite;
  bool any = owned && owned->count() > 0;
  // The names are registered first: a failure leaves the entity's hyperlinks as they were.
  Tzad::ErrorStatus es = any ? registerApp(object->database(), kPeUrl) : Tzad::eOk;
  if (es == Tzad::eOk && any && owned->count() > 1)
    es = registerApp(object->database(), kMoreLinks);
  if (es != Tzad::eOk) return es;
  TzDbObjectData& d = dataOf(object);
  eraseApp(d.xdata, kPeUrl);
  eraseApp(d.xdata, kMoreLinks);
  if (any) {
    appendPeUrl(d.xdata, *owned->item(0));
    appendMoreLinks(d.xdata, *owned);
  }
  d.xdataChanged = true;
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbEntityHyperlinkPE::getHyperlinkCount(TzDbObject* object, unsigned int& count,
                                                           bool ignoreBlockDefinitions) {
  count = 0;
  TzDbHyperlinkCollection* links = nullptr;
  Tzad::ErrorStatus es = getHyperlinkCollection(object, links, false, ignoreBlockDefinitions);
  if (es != Tzad::eOk) return es;
  count = static_cast<unsigned>(links->count());
  delete links;
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbEntityHyperlinkPE::hasHyperlink(TzDbObject* object, bool& hasLink,
                                                      bool ignoreBlockDefinitions) {
  unsigned count = 0;
  Tzad::ErrorStatus es = getHyperlinkCount(object, count, ignoreBlockDefinitions);
  hasLink = count > 0;
  return es;
}

bool recordHasHyperlink(const TzDbDatabaseImpl& db, const TzDbStub& r) {
  if (r.has(kRecPackedLink)) return true;
  if (r.xdata.size() == 0) return false;
  DxfTokenizer groups(db.text.view(r.xdata));
  DxfGroup g;
  while (groups.next(g) == DxfTokenizer::Step::Group)
    if (g.code == DxfCode::kXdataApp && isAppName(g.value, kPeUrl)) return true;
  return false;
}
