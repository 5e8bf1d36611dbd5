// -HYPERLINKREPLACE: replaces a text in the hyperlink addresses of all objects, or of those
// chosen, as one command that U takes back whole. Scripts answer: the old text, the new text,
// the objects (All unless objects are selected already), whether case matters, where the text
// must be (anywhere, or at the start), and whether named locations change too.
#include <unordered_set>

#include "core/drawing_links.h"
#include "core/link_replace.h"
#include "core/link_text.h"
#include "model/entity_hyperlinks.h"
#include "module/command_answers.h"
#include "module/linktools_commands.h"
#include "tzdb_database.h"
#include "tzed_editor.h"

namespace linktools {

namespace {

// The objects to look at: those selected before the command, else All or those the user picks;
// nothing (all of them) for All. False when the user cancelled or picked nothing.
bool chooseObjects(std::optional<std::unordered_set<TzDbObjectId>>& chosen) {
  TzArray<TzDbObjectId> ids;
  if (hyperlink::selectEntities(ids, u"I") != RTNORM) {
    TzString which;
    if (askKeyword(u"\nReplace in [All/Select objects] <All>: ", u"All Select _All Select", u"All",
                   which) != RTNORM)
      return false;
    if (which == u"All") return true;
    if (hyperlink::selectEntities(ids, nullptr) != RTNORM) return false;
  }
  chosen.emplace(ids.begin(), ids.end());
  return true;
}

bool askRule(ReplaceRule& rule, std::optional<std::unordered_set<TzDbObjectId>>& chosen) {
  if (askText(u"\nEnter the text to replace: ", rule.oldText) != RTNORM) return false;
  if (rule.oldText.empty()) {
    printLine(linkText(u"Nothing to replace."));
    return false;
  }
  if (askText(u"\nEnter the new text: ", rule.newText) != RTNORM) return false;
  if (!chooseObjects(chosen)) return false;
  if (askYesNo(u"\nMatch case? [Yes/No] <No>: ", false, rule.matchCase) != RTNORM) return false;
  TzString where;
  if (askKeyword(u"\nReplace where [Anywhere/Start of address] <Anywhere>: ",
                 u"Anywhere Start _Anywhere Start", u"Anywhere", where) != RTNORM)
    return false;
  rule.prefixOnly = where == u"Start";
  return askYesNo(u"\nIn named locations too? [Yes/No] <No>: ", false, rule.locationsToo) == RTNORM;
}

void reportOutcome(const ReplaceOutcome& outcome, int looked) {
  printLine(countText(looked, u"%1 of %2 hyperlink changed.", u"%1 of %2 hyperlinks changed.",
                      {numberText(outcome.changed), numberText(looked)}));
  if (outcome.lockedLayer > 0)
    printLine(countText(outcome.lockedLayer,
                        u"%1 object is on a locked layer and was left as it was.",
                        u"%1 objects are on locked layers and were left as they were.",
                        {numberText(outcome.lockedLayer)}));
  if (outcome.tooLong > 0)
    printLine(countText(outcome.tooLong,
                        u"%1 hyperlink would be longer than 255 characters and was left as it was.",
                        u"%1 hyperlinks would be longer than 255 characters and were left as they "
                        u"were.",
                        {numberText(outcome.tooLong)}));
}

}  // namespace

void replaceCommand() {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) return;
  ReplaceRule rule;
  std::optional<std::unordered_set<TzDbObjectId>> chosen;
  if (!askRule(rule, chosen)) return;
  std::vector<DrawingLink> links = listDrawingLinks(*db);
  if (chosen)
    std::erase_if(links, [&](const DrawingLink& link) { return !chosen->contains(link.id); });
  ReplaceOutcome outcome = applyReplacement(planReplacement(links, rule), rule);
  reportOutcome(outcome, static_cast<int>(links.size()));
}

}  // namespace linktools
