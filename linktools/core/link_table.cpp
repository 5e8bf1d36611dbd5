#include "core/link_table.h"

#include <algorithm>

#include "core/link_text.h"

namespace linktools {

namespace {

TzString folded(std::u16string_view text) {
  TzString out(text);
  for (char16_t& c : out) c = tzutFoldCase(c);
  return out;
}

std::vector<TzString> searchWords(std::u16string_view search) {
  std::vector<TzString> words;
  size_t at = 0;
  while (at < search.size()) {
    size_t end = search.find_first_of(u" \t", at);
    if (end == std::u16string_view::npos) end = search.size();
    if (end > at) words.push_back(folded(search.substr(at, end - at)));
    at = end + 1;
  }
  return words;
}

bool holdsEveryWord(const DrawingLink& link, const CheckResult& result,
                    const std::vector<TzString>& words) {
  TzString all;
  for (LinkColumn column : kLinkColumns) all += folded(cellText(link, result, column)) + u'\n';
  return std::all_of(words.begin(), words.end(),
                     [&](const TzString& word) { return all.find(word) != TzString::npos; });
}

// Broken links first, then those waiting for a web check, then those that work.
int statusRank(const CheckResult& result) {
  if (result.broken()) return 0;
  return result.status == LinkStatus::NotChecked ? 1 : 2;
}

// Handles are hexadecimal numbers without leading zeros: a shorter one is the smaller.
bool handleBefore(const TzString& a, const TzString& b) {
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace

TzString columnTitle(LinkColumn column) {
  switch (column) {
    case LinkColumn::Address:
      return linkText(u"Address");
    case LinkColumn::Location:
      return linkText(u"Named location");
    case LinkColumn::Description:
      return linkText(u"Description");
    case LinkColumn::Object:
      return linkText(u"Object");
    case LinkColumn::Layer:
      return linkText(u"Layer");
    case LinkColumn::Layout:
      return linkText(u"Layout");
    case LinkColumn::Status:
      return linkText(u"Status");
  }
  return {};
}

TzString cellText(const DrawingLink& link, const CheckResult& result, LinkColumn column) {
  switch (column) {
    case LinkColumn::Address:
      return link.address;
    case LinkColumn::Location:
      return link.location;
    case LinkColumn::Description:
      return link.description;
    case LinkColumn::Object:
      if (link.area) return linkText(u"Area (%1 %2)", {link.objectType, link.handle});
      return link.objectType + u" " + link.handle;
    case LinkColumn::Layer:
      return link.layer;
    case LinkColumn::Layout:
      return link.layout;
    case LinkColumn::Status:
      return result.detail.empty() || result.status == LinkStatus::Ok
                 ? statusName(result)
                 : statusName(result) + u": " + result.detail;
  }
  return {};
}

std::vector<size_t> shownRows(const std::vector<DrawingLink>& links,
                              const std::vector<CheckResult>& results, std::u16string_view search,
                              LinkOrder order) {
  static const CheckResult kUnchecked;
  auto resultOf = [&](size_t i) -> const CheckResult& {
    return i < results.size() ? results[i] : kUnchecked;
  };
  std::vector<TzString> words = searchWords(search);
  std::vector<size_t> rows;
  rows.reserve(links.size());
  for (size_t i = 0; i < links.size(); ++i)
    if (words.empty() || holdsEveryWord(links[i], resultOf(i), words)) rows.push_back(i);

  if (!order.column) return rows;
  const LinkColumn column = *order.column;
  auto directed = [&](auto before) {
    return
        [&, before](size_t a, size_t b) { return order.ascending ? before(a, b) : before(b, a); };
  };
  if (column == LinkColumn::Object) {
    // By type, then by handle: the objects of a kind in the order they were made.
    std::vector<TzString> types(links.size());
    for (size_t i : rows) types[i] = folded(links[i].objectType);
    std::stable_sort(rows.begin(), rows.end(), directed([&](size_t a, size_t b) {
                       if (types[a] != types[b]) return types[a] < types[b];
                       return handleBefore(links[a].handle, links[b].handle);
                     }));
  } else if (column == LinkColumn::Status) {
    std::vector<TzString> texts(links.size());
    for (size_t i : rows) texts[i] = folded(cellText(links[i], resultOf(i), column));
    std::stable_sort(rows.begin(), rows.end(), directed([&](size_t a, size_t b) {
                       int rankA = statusRank(resultOf(a)), rankB = statusRank(resultOf(b));
                       if (rankA != rankB) return rankA < rankB;
                       return texts[a] < texts[b];
                     }));
  } else {
    // Each key folded once, not at every comparison.
    std::vector<TzString> keys(links.size());
    for (size_t i : rows) keys[i] = folded(cellText(links[i], resultOf(i), column));
    std::stable_sort(rows.begin(), rows.end(),
                     directed([&](size_t a, size_t b) { return keys[a] < keys[b]; }));
  }
  return rows;
}

}  // namespace linktools
