// HYPERLINKCHECK: the hyperlinks of the drawing that lead nowhere, one line each (handle,
// address, why), and how many of all they are. Web addresses are looked up only when the
// user asks, since that waits for the network.
#include "core/drawing_links.h"
#include "core/link_check.h"
#include "core/link_text.h"
#include "module/command_answers.h"
#include "module/linktools_commands.h"
#include "tzdb_database.h"
#include "tzed_editor.h"

namespace linktools {

namespace {

// "A0  docs/missing.pdf  The file does not exist: /home/me/plans/docs/missing.pdf"
void printProblem(const DrawingLink& link, const CheckResult& result) {
  TzString reason = result.detail.empty() ? statusName(result) : result.detail;
  printLine(link.handle + u"  " + addressWithLocation(link.address, link.location) + u"  " +
            reason);
}

std::vector<CheckResult*> waitingForTheWeb(std::vector<CheckResult>& results) {
  std::vector<CheckResult*> waiting;
  for (CheckResult& result : results)
    if (!result.url.empty()) waiting.push_back(&result);
  return waiting;
}

}  // namespace

void checkCommand() {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) return;
  bool web = false;
  if (askYesNo(u"\nCheck web addresses too? [Yes/No] <No>: ", false, web) != RTNORM) return;
  std::vector<DrawingLink> links = listDrawingLinks(*db);
  if (links.empty()) return printLine(linkText(u"The drawing has no hyperlinks."));
  LinkChecker checker;
  std::vector<CheckResult> results = checker.checkDrawing(*db, links);
  std::vector<CheckResult*> waiting = waitingForTheWeb(results);
  if (web && !waiting.empty()) {
    printLine(countText(static_cast<int>(waiting.size()), u"Looking up %1 web address...",
                        u"Looking up %1 web addresses...",
                        {numberText(static_cast<long long>(waiting.size()))}));
    checker.checkWebAddresses(waiting, WebCheckOptions{});
  }
  int broken = 0;
  for (size_t i = 0; i < links.size(); ++i) {
    if (!results[i].broken()) continue;
    printProblem(links[i], results[i]);
    ++broken;
  }
  int total = static_cast<int>(links.size());
  printLine(countText(total, u"%1 of %2 hyperlink is broken.", u"%1 of %2 hyperlinks are broken.",
                      {numberText(broken), numberText(total)}));
  if (!web && !waiting.empty())
    printLine(countText(static_cast<int>(waiting.size()),
                        u"%1 web address was not looked up; answer Yes to check web addresses too.",
                        u"%1 web addresses were not looked up; answer Yes to check web addresses "
                        u"too.",
                        {numberText(static_cast<long long>(waiting.size()))}));
}

}  // namespace linktools
