// Selection sets. At "Select objects: " a line holds entity handles (hex) and the words ALL,
// LAST and PREVIOUS; an empty line ends the selection.
#include "editor/selection.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "base/translation.h"
#include "db/object_data.h"
#include "db/record_names.h"
#include "editor/editor.h"
#include "tzdb_database.h"
#include "tzed_editor.h"

namespace tzad {

namespace {

constexpr int64_t kSetKind = 1;
constexpr int64_t kEntityKind = 2;

std::map<int64_t, std::vector<TzDbObjectId>>& sets() {
  static std::map<int64_t, std::vector<TzDbObjectId>> all;
  return all;
}

int64_t newSet(std::vector<TzDbObjectId> ids) {
  static int64_t next = 1;
  sets()[next] = std::move(ids);
  return next++;
}

std::vector<TzDbObjectId>* setOf(const tz_name ss) {
  if (ss == nullptr || ss[1] != kSetKind) return nullptr;
  auto it = sets().find(ss[0]);
  return it == sets().end() ? nullptr : &it->second;
}

bool isOnFrozenLayer(TzDbObjectId id) {
  return (entityLayerFlags(id) & 1) != 0;
}

std::vector<std::string> tokens(const std::string& line) {
  std::vector<std::string> out;
  std::string token;
  for (char c : line + " ") {
    if (c == ' ' || c == ',' || c == '\t') {
      if (!token.empty()) out.push_back(token);
      token.clear();
    } else {
      token += c;
    }
  }
  return out;
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return s;
}

// A set of records of one drawing, one bit each: a selection of every entity of a large
// drawing is checked for repeats without a hash table the size of the drawing.
class RecordSet {
 public:
  bool contains(TzDbObjectId id) const {
    const TzDbStub* stub = TzDbInternals::stub(id);
    return stub != nullptr && stub->index() < bits_.size() && bits_[stub->index()];
  }
  void insert(TzDbObjectId id) {
    const TzDbStub* stub = TzDbInternals::stub(id);
    if (stub == nullptr) return;
    if (stub->index() >= bits_.size())
      bits_.resize(std::max<size_t>(stub->index() + 1, stub->db()->records.size()));
    bits_[stub->index()] = true;
  }

 private:
  std::vector<bool> bits_;
};

// The entities a selection line can name: the selectable entities of the current space.
// Each is worked out once per selection, and only when a word needs it.
class SpaceContents {
 public:
  explicit SpaceContents(Document& doc) : doc_(doc) {}

  const std::vector<TzDbObjectId>& all() {
    if (!all_) all_ = selectableEntities(doc_);
    return *all_;
  }

  bool contains(TzDbObjectId id) {
    if (!inSpace_) {
      inSpace_.emplace();
      TzDbObjectPointer<TzDbBlockTableRecord> space(doc_.database()->currentSpaceId(),
                                                    TzDb::kForRead);
      if (space)
        for (TzDbObjectId member : space->entityIds()) inSpace_->insert(member);
    }
    return inSpace_->contains(id) && !isOnFrozenLayer(id);
  }

 private:
  Document& doc_;
  std::optional<std::vector<TzDbObjectId>> all_;
  std::optional<RecordSet> inSpace_;
};

// The entities picked so far, in the order they were picked, and what one line added.
class Picks {
 public:
  explicit Picks(bool skipLocked) : skipLocked_(skipLocked) {}

  void startLine() { found_ = duplicates_ = locked_ = added_ = 0; }
  void pick(TzDbObjectId id) {
    ++found_;
    if (members_.contains(id)) {
      ++duplicates_;
    } else if (skipLocked_ && isOnLockedLayer(id)) {
      ++locked_;
    } else {
      members_.insert(id);
      ids_.push_back(id);
      ++added_;
    }
  }
  // "3 found (1 duplicate), 5 total", and how many were on a locked layer.
  std::u16string lineReport() const {
    std::u16string report = trf("{0} found", {found_});
    if (duplicates_) report += trf(" ({0} duplicate)", {duplicates_});
    if (ids_.size() != added_) report += trf(", {0} total", {ids_.size()});
    report += u"\n";
    if (locked_)
      report +=
          trn("{0} was on a locked layer.\n", "{0} were on a locked layer.\n", locked_, {locked_});
    return report;
  }
  void reserveMore(size_t n) { ids_.reserve(ids_.size() + n); }
  bool empty() const { return ids_.empty(); }
  std::vector<TzDbObjectId> take() { return std::move(ids_); }

 private:
  bool skipLocked_;
  std::vector<TzDbObjectId> ids_;
  RecordSet members_;
  size_t found_ = 0, duplicates_ = 0, locked_ = 0, added_ = 0;
};

// Picks what one token of a selection line names, in the current space.
bool resolveToken(Document& doc, const std::string& token, SpaceContents& space, Picks& picks) {
  std::string word = upper(token);
  if (word == "ALL") {
    picks.reserveMore(space.all().size());
    for (TzDbObjectId id : space.all()) picks.pick(id);
    return true;
  }
  if (word == "LAST" || word == "L") {
    if (!space.all().empty()) picks.pick(space.all().back());
    return true;
  }
  if (word == "PREVIOUS" || word == "P") {
    for (TzDbObjectId id : doc.previousSelection)
      if (space.contains(id)) picks.pick(id);
    return true;
  }
  unsigned long long handle = 0;
  if (!parseHandle(token, handle)) return false;
  TzDbObjectId id = doc.database()->objectIdOf(TzDbHandle(handle));
  if (!space.contains(id)) return false;
  picks.pick(id);
  return true;
}

int interactiveSelection(Document& doc, Picks& picks) {
  Editor& ed = Editor::instance();
  SpaceContents space(doc);
  while (true) {
    std::optional<std::string> line = ed.ask(trf("Select objects: "), PromptKind::Selection);
    if (!line) return RTCAN;
    std::vector<std::string> words = tokens(*line);
    if (words.empty()) return picks.empty() ? RTERROR : RTNORM;
    picks.startLine();
    for (const std::string& word : words) {
      if (!resolveToken(doc, word, space, picks))
        ed.write(
            trf("*Invalid selection*: \"{0}\" is not ALL, LAST, PREVIOUS or the handle of an "
                "object in this space\n",
                {word}));
    }
    ed.write(picks.lineReport());
  }
}

}  // namespace

std::vector<TzDbObjectId> selectableEntities(Document& doc) {
  TzDbObjectPointer<TzDbBlockTableRecord> space(doc.database()->currentSpaceId(), TzDb::kForRead);
  if (!space) return {};
  std::vector<TzDbObjectId> ids = space->entityIds();
  std::erase_if(ids, isOnFrozenLayer);
  return ids;
}

bool isOnLockedLayer(TzDbObjectId id) {
  return (entityLayerFlags(id) & 4) != 0;
}

}  // namespace tzad

// The SDK functions keep their global names and work through the host's own code.
using tzad::Document;
using tzad::Editor;
using tzad::interactiveSelection;
using tzad::kEntityKind;
using tzad::kSetKind;
using tzad::newSet;
using tzad::Picks;
using tzad::setOf;
using tzad::sets;

int tzedSSGet(const char16_t* mode, const void*, const void*, const resbuf*, tz_name ss) {
  Document* doc = Editor::instance().document();
  if (doc == nullptr || ss == nullptr) return RTERROR;
  std::u16string m = mode ? mode : u"";
  std::vector<TzDbObjectId> chosen;
  if (m == u"I") {
    // The pre-selection is used once: the command that takes it clears it.
    chosen = std::exchange(doc->pickfirst, {});
    std::erase_if(chosen, [](TzDbObjectId id) { return id.isErased(); });
    if (chosen.empty()) return RTERROR;
  } else {
    Picks picks(m.find(u":L") != std::u16string::npos);
    int status = interactiveSelection(*doc, picks);
    if (status != RTNORM) return status;
    chosen = picks.take();
    doc->previousSelection = chosen;
  }
  ss[0] = newSet(std::move(chosen));
  ss[1] = kSetKind;
  return RTNORM;
}

int tzedSSLength(const tz_name ss, int32_t* length) {
  std::vector<TzDbObjectId>* set = setOf(ss);
  if (set == nullptr || length == nullptr) return RTERROR;
  *length = static_cast<int32_t>(set->size());
  return RTNORM;
}

int tzedSSName(const tz_name ss, int32_t index, tz_name entity) {
  std::vector<TzDbObjectId>* set = setOf(ss);
  if (set == nullptr || entity == nullptr || index < 0 || static_cast<size_t>(index) >= set->size())
    return RTERROR;
  return tzdbGetTwsName(entity, (*set)[static_cast<size_t>(index)]) == Tzad::eOk ? RTNORM : RTERROR;
}

int tzedSSFree(const tz_name ss) {
  if (setOf(ss) == nullptr) return RTERROR;
  sets().erase(ss[0]);
  return RTNORM;
}

int tzedSSAdd(const tz_name entity, const tz_name ss, tz_name result) {
  if (result == nullptr) return RTERROR;
  TzDbObjectId id;
  if (entity != nullptr && (tzdbGetObjectId(id, entity) != Tzad::eOk || id.isNull()))
    return RTERROR;
  if (ss == nullptr) {
    result[0] = newSet(id.isNull() ? std::vector<TzDbObjectId>{} : std::vector{id});
    result[1] = kSetKind;
    return RTNORM;
  }
  std::vector<TzDbObjectId>* set = setOf(ss);
  if (set == nullptr) return RTERROR;
  if (!id.isNull() && std::find(set->begin(), set->end(), id) == set->end()) set->push_back(id);
  result[0] = ss[0];
  result[1] = kSetKind;
  return RTNORM;
}

int tzedSSSetFirst(const tz_name pickfirst, const tz_name) {
  Document* doc = Editor::instance().document();
  if (doc == nullptr) return RTERROR;
  std::vector<TzDbObjectId>* set = setOf(pickfirst);
  doc->pickfirst = set ? *set : std::vector<TzDbObjectId>{};
  return RTNORM;
}

Tzad::ErrorStatus tzdbGetObjectId(TzDbObjectId& id, const tz_name entity) {
  id = TzDbObjectId();
  if (entity == nullptr || entity[1] != kEntityKind) return Tzad::eInvalidInput;
  id = recordOfName(entity[0]);
  return id.isNull() ? Tzad::eInvalidInput : Tzad::eOk;
}

Tzad::ErrorStatus tzdbGetTwsName(tz_name entity, TzDbObjectId id) {
  if (entity == nullptr || id.isNull()) return Tzad::eNullObjectId;
  entity[0] = recordNameOf(id);
  entity[1] = kEntityKind;
  return Tzad::eOk;
}

int tzdbEntUpd(const tz_name entity) {
  // The command line has no drawing view to refresh; a valid entity is all there is to check.
  TzDbObjectId id;
  return tzdbGetObjectId(id, entity) == Tzad::eOk ? RTNORM : RTERROR;
}
