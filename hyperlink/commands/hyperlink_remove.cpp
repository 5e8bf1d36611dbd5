// The Remove branch of -HYPERLINK: list the chosen objects' hyperlinks with numbers, then
// remove one by number, all with one address, or all with "*".
#include <climits>
#include <utility>
#include <vector>

#include "commands/answers.h"
#include "commands/hyperlink_commands.h"
#include "model/entity_hyperlinks.h"
#include "platform/trim.h"

namespace hyperlink {

namespace {

// Prints the hyperlink of every entity that has one, numbered from 1 in selection order, and
// returns those entities: number n is element n - 1. Their addresses are read again when the
// user answers with one, rather than kept for every entity of a large selection.
std::vector<TzDbObjectId> listHyperlinks(TzArray<TzDbObjectId> ids) {
  std::vector<TzDbObjectId> listed;
  for (TzDbObjectId id : ids) {
    HyperlinkData data;
    if (!readHyperlink(id, data)) continue;
    listed.push_back(id);
    tzutPrintf(u"%i. %s (%s) \n", static_cast<int>(listed.size()), data.address.c_str(),
               data.description.c_str());
  }
  return listed;
}

}  // namespace

int leadingNumber(std::u16string_view answer) {
  if (answer.empty() || answer[0] < u'0' || answer[0] > u'9') return -1;
  long long value = 0;
  for (char16_t c : answer) {
    if (c < u'0' || c > u'9') break;
    value = std::min<long long>(value * 10 + (c - u'0'), INT_MAX);
  }
  return static_cast<int>(value);
}

void runHyperlinkRemove() {
  TzArray<TzDbObjectId> ids;
  if (selectEntities(ids, u"I") != RTNORM || ids.isEmpty()) {
    ids.clear();
    if (selectEntities(ids, u":L:P:C") != RTNORM || ids.isEmpty()) return;
  }
  std::vector<TzDbObjectId> listed = listHyperlinks(std::move(ids));
  if (listed.empty() || tzedInitGet(0, nullptr) != RTNORM) return;
  while (true) {
    Answer answer;
    if (askText(text::kPromptRemoveWhich, answer) != RTNORM) return;
    std::u16string_view choice = platform::trimmed(answer.view(), u" ");
    if (choice.empty()) return;
    TzArray<TzDbObjectId> removal;
    bool erase = true;
    if (choice == u"*") {
      removal.assign(listed.begin(), listed.end());
    } else if (int number = leadingNumber(choice); number >= 1) {
      if (static_cast<size_t>(number) <= listed.size()) removal.append(listed[number - 1]);
    } else {
      // By address (the answer 0 lands here too): rectangles keep their shape.
      for (TzDbObjectId id : listed) {
        HyperlinkData data;
        if (readHyperlink(id, data) && tzutEqualsNoCase(data.address, choice)) removal.append(id);
      }
      erase = false;
    }
    if (removal.isEmpty()) {
      printText(text::kInvalidChoice);
      continue;
    }
    removeAndReport(std::move(removal), erase);
    return;
  }
}

int removeAndReport(TzArray<TzDbObjectId> ids, bool eraseAreaShapes) {
  int removed = removeHyperlinks(std::move(ids), eraseAreaShapes);
  ResourceString result(text::kRemovedCount);
  tzutPrintf(loadResourceString(result), removed);
  return removed;
}

}  // namespace hyperlink
