#include "tzlinks/tzlinks_run.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "core/drawing_links.h"
#include "core/link_check.h"
#include "core/link_replace.h"
#include "core/link_text.h"
#include "platform/path_rules.h"
#include "platform/text.h"
#include "tzdb_database.h"
#include "tzed_editor.h"
#include "tzlinks/drawing_files.h"
#include "tzlinks/link_output.h"

namespace linktools {

namespace {

// While a drawing is worked on it is the working database: the host reports its hyperlink
// base and folder, against which the module's code resolves relative targets.
class WorkingDrawing {
 public:
  explicit WorkingDrawing(TzDbDatabase& db) {
    tzdbHostApplicationServices()->setWorkingDatabase(&db);
  }
  ~WorkingDrawing() { tzdbHostApplicationServices()->setWorkingDatabase(nullptr); }
  WorkingDrawing(const WorkingDrawing&) = delete;
  WorkingDrawing& operator=(const WorkingDrawing&) = delete;
};

// The user's ISAVEBAK, as SAVE reads it.
bool keepsBackups() {
  resbuf value;
  return tzedGetVar(u"ISAVEBAK", &value) != RTNORM || value.resval.rint != 0;
}

// A drawing whose checks wait for the web: what was found in it until then.
struct CheckedDrawing {
  std::string path;
  std::vector<DrawingLink> links;
  std::vector<CheckResult> results;
};

class Run {
 public:
  Run(const TzlinksOptions& options, std::FILE* out, std::FILE* messages)
      : options_(options), out_(out), messages_(messages), writer_(makeLinkWriter(options, out)) {}

  int go() {
    forEachDrawing(
        options_.paths, [this](const std::string& path) { readDrawing(path); },
        [this](const std::string& problem) { fail(problem); });
    if (!waiting_.empty()) lookUpWebAddresses();
    writer_->finish();
    summarise();
    if (failed_) return 2;
    return broken_ > 0 ? 1 : 0;
  }

 private:
  void say(const TzString& text) { std::fputs(tzutToUtf8(text + u"\n").c_str(), messages_); }
  void fail(const std::string& problem) {
    say(u"tzlinks: " + tzutFromUtf8(problem));
    failed_ = true;
  }

  void readDrawing(const std::string& path) {
    auto db = std::make_unique<TzDbDatabase>(false, true);
    if (db->readDwgFile(platform::fromFileName(path)) != Tzad::eOk)
      return fail(tzutToUtf8(db->lastErrorText()));
    ++drawings_;
    WorkingDrawing working(*db);
    std::vector<DrawingLink> links = listDrawingLinks(*db);
    links_ += static_cast<long long>(links.size());
    switch (options_.action) {
      case Action::List:
        for (const DrawingLink& link : links) writer_->write({path, link});
        break;
      case Action::Check:
        check(*db, path, std::move(links));
        break;
      case Action::Replace:
        replace(*db, path, links);
        break;
    }
  }

  void check(TzDbDatabase& db, const std::string& path, std::vector<DrawingLink> links) {
    CheckedDrawing drawing{path, std::move(links), {}};
    drawing.results = checker_.checkDrawing(db, drawing.links);
    if (options_.web)
      waiting_.push_back(std::move(drawing));
    else
      writeChecked(drawing);
  }

  void writeChecked(const CheckedDrawing& drawing) {
    for (size_t i = 0; i < drawing.links.size(); ++i) {
      const CheckResult& result = drawing.results[i];
      if (result.broken()) ++broken_;
      if (!result.url.empty() && result.status == LinkStatus::NotChecked) ++notLookedUp_;
      writer_->write({drawing.path, drawing.links[i], &result});
    }
  }

  // Every drawing's web addresses at once, so that many are looked up at a time.
  void lookUpWebAddresses() {
    std::vector<CheckResult*> results;
    for (CheckedDrawing& drawing : waiting_)
      for (CheckResult& result : drawing.results)
        if (!result.url.empty()) results.push_back(&result);
    checker_.checkWebAddresses(results, options_.webOptions);
    for (const CheckedDrawing& drawing : waiting_) writeChecked(drawing);
  }

  void replace(TzDbDatabase& db, const std::string& path, const std::vector<DrawingLink>& links) {
    std::vector<LinkChange> changes = planReplacement(links, options_.rule);
    int made = 0;
    for (const LinkChange& change : changes) {
      if (change.refusal != Refusal::None) continue;
      writer_->write({path, change.link, nullptr, &change});
      ++made;
    }
    ReplaceOutcome outcome;
    if (options_.dryRun) {
      for (const LinkChange& change : changes) {
        if (change.refusal == Refusal::TooLong) ++outcome.tooLong;
        if (change.refusal == Refusal::LockedLayer) ++outcome.lockedLayer;
      }
      outcome.changed = made;
    } else if (!changes.empty()) {
      outcome = applyReplacement(changes, options_.rule);
    }
    reportRefusals(path, outcome);
    if (outcome.changed == 0) return;
    if (!options_.dryRun && db.saveAs(db.fileName(), keepsBackups()) != Tzad::eOk)
      return fail(tzutToUtf8(db.lastErrorText()));
    changed_ += outcome.changed;
    ++changedDrawings_;
  }

  void reportRefusals(const std::string& path, const ReplaceOutcome& outcome) {
    TzString file = platform::fromFileName(path);
    if (outcome.lockedLayer > 0)
      say(file + u": " +
          countText(outcome.lockedLayer, u"%1 object is on a locked layer and was left as it was.",
                    u"%1 objects are on locked layers and were left as they were.",
                    {numberText(outcome.lockedLayer)}));
    if (outcome.tooLong > 0)
      say(file + u": " +
          countText(outcome.tooLong,
                    u"%1 hyperlink would be longer than 255 characters and was left as it was.",
                    u"%1 hyperlinks would be longer than 255 characters and were left as they "
                    u"were.",
                    {numberText(outcome.tooLong)}));
    if (outcome.failed > 0) {
      say(file + u": " +
          countText(outcome.failed, u"%1 object did not take its new hyperlink.",
                    u"%1 objects did not take their new hyperlinks.",
                    {numberText(outcome.failed)}));
      failed_ = true;
    }
  }

  void summarise() {
    TzString summary;
    int links = static_cast<int>(std::min<long long>(links_, INT_MAX));
    switch (options_.action) {
      case Action::List:
        summary = countText(links, u"%1 hyperlink; drawings read: %2.",
                            u"%1 hyperlinks; drawings read: %2.",
                            {numberText(links_), numberText(drawings_)});
        break;
      case Action::Check:
        summary =
            countText(links, u"%1 of %2 hyperlink is broken.", u"%1 of %2 hyperlinks are broken.",
                      {numberText(broken_), numberText(links_)});
        if (notLookedUp_ > 0)
          summary += u"\n" + countText(static_cast<int>(notLookedUp_),
                                       u"%1 web address was not looked up; --web looks it up.",
                                       u"%1 web addresses were not looked up; --web looks them up.",
                                       {numberText(notLookedUp_)});
        break;
      case Action::Replace:
        summary = options_.dryRun
                      ? countText(static_cast<int>(changed_),
                                  u"%1 hyperlink would change; drawings it is in: %2. Nothing "
                                  u"was written.",
                                  u"%1 hyperlinks would change; drawings they are in: %2. "
                                  u"Nothing was written.",
                                  {numberText(changed_), numberText(changedDrawings_)})
                      : countText(static_cast<int>(changed_),
                                  u"%1 hyperlink changed; drawings saved: %2.",
                                  u"%1 hyperlinks changed; drawings saved: %2.",
                                  {numberText(changed_), numberText(changedDrawings_)});
        break;
    }
    // With JSON and CSV the output is the rows alone, for programs to read.
    std::FILE* to = options_.form == OutputForm::Table ? out_ : messages_;
    std::fputs(tzutToUtf8(summary + u"\n").c_str(), to);
  }

  const TzlinksOptions& options_;
  std::FILE* out_;
  std::FILE* messages_;
  std::unique_ptr<LinkWriter> writer_;
  LinkChecker checker_;
  std::vector<CheckedDrawing> waiting_;
  long long drawings_ = 0, links_ = 0, broken_ = 0, notLookedUp_ = 0;
  long long changed_ = 0, changedDrawings_ = 0;
  bool failed_ = false;
};

}  // namespace

int runTzlinks(const TzlinksOptions& options, std::FILE* out, std::FILE* messages) {
  if (options.windowsPaths) platform::setPathStyle(platform::PathStyle::Windows);
  return Run(options, out, messages).go();
}

}  // namespace linktools
