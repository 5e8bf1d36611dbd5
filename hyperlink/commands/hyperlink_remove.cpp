// The Remove branch of -HYPERLINK: list the chosen objects' hyperlinks with numbers, then
// remove one by number, all with one address, or all with "*".
#include <climits>
#include <map>

#include "commands/answers.h"
#include "commands/hyperlink_commands.h"
#include "model/entity_hyperlinks.h"

namespace {

struct Listed {
  TzString address;
  TzDbObjectId id;
};

std::u16string_view trimSpaces(std::u16string_view s) {
  while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
  return s;
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
  std::map<int, Listed> listed;
  for (TzDbObjectId id : ids) {
    HyperlinkData data;
    if (!readHyperlink(id, data)) continue;
    int number = static_cast<int>(listed.size()) + 1;
    listed[number] = {data.address, id};
    tzutPrintf(u"%i. %s (%s) \n", number, data.address.c_str(), data.description.c_str());
  }
  if (listed.empty() || tzedInitGet(0, nullptr) != RTNORM) return;
  while (true) {
    Answer answer;
    if (askText(text::kPromptRemoveWhich, answer) != RTNORM) return;
    std::u16string_view choice = trimSpaces(answer.view());
    if (choice.empty()) return;
    TzArray<TzDbObjectId> removal;
    bool erase = true;
    if (choice == u"*") {
      for (auto& [number, entry] : listed) removal.append(entry.id);
    } else if (int number = leadingNumber(choice); number >= 1) {
      if (auto it = listed.find(number); it != listed.end()) removal.append(it->second.id);
    } else {
      // By address (the answer 0 lands here too): rectangles keep their shape.
      for (auto& [n, entry] : listed)
        if (tzutEqualsNoCase(entry.address, choice)) removal.append(entry.id);
      erase = false;
    }
    if (removal.isEmpty()) {
      printText(text::kInvalidChoice);
      continue;
    }
    int removed = removeHyperlinks(removal, erase);
    ResourceString result(text::kRemovedCount);
    tzutPrintf(loadResourceString(result), removed);
    return;
  }
}
