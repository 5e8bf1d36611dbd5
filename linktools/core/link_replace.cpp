#include "core/link_replace.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "model/link_targets.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

namespace linktools {

namespace {

bool matchesAt(std::u16string_view text, size_t at, const ReplaceRule& rule) {
  std::u16string_view old = rule.oldText;
  if (text.size() - at < old.size()) return false;
  if (rule.matchCase) return text.compare(at, old.size(), old) == 0;
  for (size_t i = 0; i < old.size(); ++i)
    if (tzutFoldCase(text[at + i]) != tzutFoldCase(old[i])) return false;
  return true;
}

// The one folder separator a text is written with, or 0 for none or both.
char16_t separatorOf(std::u16string_view text) {
  bool slash = text.find(u'/') != std::u16string_view::npos;
  bool backslash = text.find(u'\\') != std::u16string_view::npos;
  if (slash == backslash) return 0;
  return slash ? u'/' : u'\\';
}

// Applies the rule to one field (an address when `address`); whether it changed. A result too
// long to keep is still made, so that the caller can say so.
bool replaceField(const TzString& text, const ReplaceRule& rule, bool address, TzString& out) {
  std::optional<TzString> replaced =
      address ? replacedAddress(text, rule) : replacedText(text, rule);
  out = replaced ? *replaced : text;
  return replaced.has_value();
}

// Whether objects' layers are locked, each layer looked up once.
class LockedLayers {
 public:
  bool holds(const DrawingLink& link) {
    auto known = locked_.find(link.layer);
    if (known != locked_.end()) return known->second;
    bool locked = false;
    TzDbDatabase* db = link.id.database();
    TzDbLayerTable* opened = nullptr;
    if (db && db->getSymbolTable(opened, TzDb::kForRead) == Tzad::eOk && opened) {
      TzDbObjectPointer<TzDbLayerTable> table(opened);
      TzDbObjectId id;
      if (table->getIdAt(link.layer, id) == Tzad::eOk) {
        TzDbObjectPointer<TzDbLayerTableRecord> layer(id, TzDb::kForRead);
        locked = layer && layer->isLocked();
      }
    }
    return locked_.emplace(link.layer, locked).first->second;
  }

 private:
  std::unordered_map<TzString, bool> locked_;
};

}  // namespace

std::optional<TzString> replacedText(std::u16string_view text, const ReplaceRule& rule) {
  if (rule.oldText.empty()) return std::nullopt;
  if (rule.prefixOnly) {
    if (!matchesAt(text, 0, rule)) return std::nullopt;
    return rule.newText + TzString(text.substr(rule.oldText.size()));
  }
  TzString result;
  bool found = false;
  size_t copied = 0;
  for (size_t at = 0; at + rule.oldText.size() <= text.size();) {
    if (!matchesAt(text, at, rule)) {
      ++at;
      continue;
    }
    result.append(text.substr(copied, at - copied)).append(rule.newText);
    at += rule.oldText.size();
    copied = at;
    found = true;
  }
  if (!found) return std::nullopt;
  result.append(text.substr(copied));
  return result;
}

std::optional<TzString> replacedAddress(std::u16string_view address, const ReplaceRule& rule) {
  std::optional<TzString> replaced = replacedText(address, rule);
  char16_t from = separatorOf(rule.oldText), to = separatorOf(rule.newText);
  if (replaced && from != 0 && to != 0 && from != to && !hyperlink::isWebAddress(*replaced))
    std::replace(replaced->begin(), replaced->end(), from, to);
  return replaced;
}

std::vector<LinkChange> planReplacement(const std::vector<DrawingLink>& links,
                                        const ReplaceRule& rule) {
  std::vector<LinkChange> changes;
  LockedLayers locked;
  for (const DrawingLink& link : links) {
    LinkChange change;
    bool changed = replaceField(link.address, rule, true, change.newAddress);
    if (rule.locationsToo)
      changed = replaceField(link.location, rule, false, change.newLocation) || changed;
    else
      change.newLocation = link.location;
    if (!changed) continue;
    if (change.newAddress.size() > kLongestField || change.newLocation.size() > kLongestField)
      change.refusal = Refusal::TooLong;
    else if (locked.holds(link))
      change.refusal = Refusal::LockedLayer;
    change.link = link;
    changes.push_back(std::move(change));
  }
  return changes;
}

ReplaceOutcome applyReplacement(const std::vector<LinkChange>& changes, const ReplaceRule& rule) {
  ReplaceOutcome outcome;
  for (const LinkChange& change : changes) {
    if (change.refusal == Refusal::TooLong) {
      ++outcome.tooLong;
      continue;
    }
    if (change.refusal == Refusal::LockedLayer) {
      ++outcome.lockedLayer;
      continue;
    }
    TzDbObjectPointer<TzDbEntity> entity(change.link.id, TzDb::kForWrite);
    if (entity.openStatus() == Tzad::eOnLockedLayer) {
      ++outcome.lockedLayer;
      continue;
    }
    TzDbEntityHyperlinkPE* pe = entity ? TzDbEntityHyperlinkPE::query(entity.get()) : nullptr;
    TzDbHyperlinkCollection* raw = nullptr;
    if (pe == nullptr || pe->getHyperlinkCollection(entity.get(), raw, false, true) != Tzad::eOk ||
        raw == nullptr) {
      ++outcome.failed;
      continue;
    }
    std::unique_ptr<TzDbHyperlinkCollection> links(raw);
    for (int i = 0; i < links->count(); ++i) {
      TzDbHyperlink* link = links->item(i);
      TzString text;
      // Further hyperlinks are changed where the result fits; the first is known to.
      if (replaceField(link->name(), rule, true, text) && text.size() <= kLongestField)
        link->setName(text);
      if (rule.locationsToo && replaceField(link->subLocation(), rule, false, text) &&
          text.size() <= kLongestField)
        link->setSubLocation(text);
    }
    if (pe->setHyperlinkCollection(entity.get(), links.release()) != Tzad::eOk ||
        entity.close() != Tzad::eOk) {
      ++outcome.failed;
      continue;
    }
    ++outcome.changed;
  }
  return outcome;
}

}  // namespace linktools
