// -HYPERLINK: insert a hyperlink on objects or an area, or remove hyperlinks.
#include <utility>

#include "commands/answers.h"
#include "commands/hyperlink_commands.h"
#include "model/entity_hyperlinks.h"

namespace hyperlink {

extern "C" __attribute__((visibility("default"))) void hyperlink() {
  Answer option;
  int status = askKeyword(text::kKeywordsRemoveInsert, text::kPromptOption, option);
  if (status == RTNONE) return runHyperlinkInsert();  // Enter inserts
  if (status != RTNORM) return;
  if (tzutEqualsNoCase(option.view(), u"Remove")) return runHyperlinkRemove();
  if (tzutEqualsNoCase(option.view(), u"Insert")) return runHyperlinkInsert();
}

void runHyperlinkInsert() {
  TzArray<TzDbObjectId> ids;
  selectEntities(ids, u"I");
  if (ids.isEmpty()) {
    Answer choice;
    ResourceString list(text::kKeywordsAreaObject);
    if (tzedInitGet(0, loadResourceString(list)) != RTNORM) return;
    ResourceString question(text::kPromptInsertOption);
    int status = tzedGetKword(loadResourceString(question), choice.text);
    if (status != RTNONE && status != RTNORM) return;
    if (status == RTNORM && !tzutEqualsNoCase(choice.view(), u"Object")) {
      insertAreaHyperlink();
      return;
    }
    if (selectEntities(ids, u":L:P:C") == RTNORM && !ids.isEmpty())
      promptHyperlinkFields(std::move(ids));
    return;
  }
  if (hasAnyHyperlink(ids) != 1) {
    promptHyperlinkFields(std::move(ids));
    return;
  }
  Answer overwrite;
  int status = askKeyword(text::kKeywordsYesNo, text::kPromptOverwrite, overwrite);
  if (status != RTNONE && status != RTNORM) return;
  if (status == RTNONE || tzutEqualsNoCase(overwrite.view(), u"Yes"))
    promptHyperlinkFields(std::move(ids));
}

int promptHyperlinkFields(TzArray<TzDbObjectId> ids) {
  if (ids.isEmpty()) return RTERROR;
  int status = tzedInitGet(0, nullptr);
  if (status != RTNORM) return status;
  Answer address, location, description;
  if ((status = askText(text::kPromptHyperlink, address)) != RTNORM) return status;
  if ((status = askText(text::kPromptNamedLocation, location)) != RTNORM) return status;
  if ((status = askText(text::kPromptDescription, description)) != RTNORM) return status;
  // Nothing typed at all means "no hyperlink": remove instead of writing empty ones.
  if (address.view().empty() && location.view().empty() && description.view().empty()) {
    removeHyperlinks(std::move(ids), true);
    return RTNORM;
  }
  HyperlinkData data;
  data.address = address.view();
  data.location = location.view();
  data.description = description.view();
  data.flags = 1;
  applyHyperlink(std::move(ids), std::move(data));
  return RTNORM;
}

}  // namespace hyperlink
