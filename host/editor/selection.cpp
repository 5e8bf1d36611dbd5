// Selection sets. At "Select objects: " a line holds entity handles (hex) and the words ALL,
// LAST and PREVIOUS; an empty line ends the selection.
#include "editor/selection.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "db/database_impl.h"
#include "editor/editor.h"
#include "tzdb_database.h"
#include "tzed_editor.h"

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

bool layerFlag(TzDbObjectId id, int bit) {
  TzDbObjectPointer<TzDbEntity> entity(id, TzDb::kForRead);
  if (!entity) return false;
  TzDbObjectPointer<TzDbLayerTableRecord> layer(entity->layerId(), TzDb::kForRead);
  if (!layer) return false;
  return bit == 1 ? layer->isFrozen() : layer->isLocked();
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

// What one token of a selection line names, in the current space.
bool resolveToken(Document& doc, const std::string& token, const std::vector<TzDbObjectId>& all,
                  std::vector<TzDbObjectId>& found) {
  std::string word = upper(token);
  if (word == "ALL") {
    found = all;
    return true;
  }
  if (word == "LAST" || word == "L") {
    if (!all.empty()) found.push_back(all.back());
    return true;
  }
  if (word == "PREVIOUS" || word == "P") {
    for (TzDbObjectId id : doc.previousSelection)
      if (std::find(all.begin(), all.end(), id) != all.end()) found.push_back(id);
    return true;
  }
  unsigned long long handle = 0;
  if (!parseHandle(token, handle)) return false;
  TzDbObjectId id = doc.database()->objectIdOf(TzDbHandle(handle));
  if (std::find(all.begin(), all.end(), id) == all.end()) return false;
  found.push_back(id);
  return true;
}

int interactiveSelection(Document& doc, bool skipLocked, std::vector<TzDbObjectId>& chosen) {
  Editor& ed = Editor::instance();
  std::vector<TzDbObjectId> all = selectableEntities(doc);
  while (true) {
    std::optional<std::string> line = ed.ask(u"Select objects: ");
    if (!line) return RTCAN;
    std::vector<std::string> words = tokens(*line);
    if (words.empty()) return chosen.empty() ? RTERROR : RTNORM;
    std::vector<TzDbObjectId> found;
    for (const std::string& word : words) {
      if (!resolveToken(doc, word, all, found))
        ed.write("*Invalid selection*: \"" + word +
                 "\" is not ALL, LAST, PREVIOUS or the handle of an object in this space\n");
    }
    size_t duplicates = 0, locked = 0, added = 0;
    for (TzDbObjectId id : found) {
      if (std::find(chosen.begin(), chosen.end(), id) != chosen.end()) {
        ++duplicates;
      } else if (skipLocked && isOnLockedLayer(id)) {
        ++locked;
      } else {
        chosen.push_back(id);
        ++added;
      }
    }
    std::ostringstream report;
    report << found.size() << " found";
    if (duplicates) report << " (" << duplicates << " duplicate)";
    if (chosen.size() != added) report << ", " << chosen.size() << " total";
    report << "\n";
    if (locked) report << locked << (locked == 1 ? " was" : " were") << " on a locked layer.\n";
    ed.write(report.str());
  }
}

}  // namespace

std::vector<TzDbObjectId> selectableEntities(Document& doc) {
  std::vector<TzDbObjectId> ids;
  TzDbObjectPointer<TzDbBlockTableRecord> space(doc.database()->currentSpaceId(), TzDb::kForRead);
  if (!space) return ids;
  for (TzDbObjectId id : space->entityIds())
    if (!layerFlag(id, 1)) ids.push_back(id);
  return ids;
}

bool isOnLockedLayer(TzDbObjectId id) {
  return layerFlag(id, 4);
}

int tzedSSGet(const char16_t* mode, const void*, const void*, const resbuf*, tz_name ss) {
  Document* doc = Editor::instance().document();
  if (doc == nullptr || ss == nullptr) return RTERROR;
  std::u16string m = mode ? mode : u"";
  std::vector<TzDbObjectId> chosen;
  if (m == u"I") {
    // The pre-selection is used once: the command that takes it clears it.
    for (TzDbObjectId id : doc->pickfirst)
      if (!id.isErased()) chosen.push_back(id);
    doc->pickfirst.clear();
    if (chosen.empty()) return RTERROR;
  } else {
    int status = interactiveSelection(*doc, m.find(u":L") != std::u16string::npos, chosen);
    if (status != RTNORM) return status;
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
  id = TzDbObjectId(reinterpret_cast<TzDbStub*>(entity[0]));
  return Tzad::eOk;
}

Tzad::ErrorStatus tzdbGetTwsName(tz_name entity, TzDbObjectId id) {
  if (entity == nullptr || id.isNull()) return Tzad::eNullObjectId;
  entity[0] = reinterpret_cast<int64_t>(id.stub());
  entity[1] = kEntityKind;
  return Tzad::eOk;
}

int tzdbEntUpd(const tz_name entity) {
  // The command line has no drawing view to refresh; a valid entity is all there is to check.
  TzDbObjectId id;
  return tzdbGetObjectId(id, entity) == Tzad::eOk ? RTNORM : RTERROR;
}
