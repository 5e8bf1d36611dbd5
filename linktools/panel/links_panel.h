// The Hyperlinks panel beside the drawing in tzad's window: every hyperlink of the current
// drawing, one row per linked object, with what a check found about it. A click shows the
// object in the view; Enter or a double click edits its hyperlink, Delete removes it, and the
// context menu adds Open, Copy and Replace. Rows are searched and sorted by any column.
#pragma once

#include <wx/panel.h>
#include <wx/timer.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/link_check.h"
#include "core/link_table.h"
#include "panel/web_lookup_thread.h"

class wxButton;
class wxListEvent;
class wxSearchCtrl;
class wxStaticText;

namespace linktools {

class LinkListView;

class LinksPanel : public wxPanel {
 public:
  explicit LinksPanel(wxWindow* parent);

  // The drawing changed, or another is current: its links are listed at once and checked again
  // in the idle time that follows, a share at a time, so that the window goes on answering.
  void refresh();

 private:
  // The rows the search leaves, in order, with those of these objects selected.
  void showRows(const std::vector<TzDbObjectId>& keep);
  void showCount();
  void reselect(const std::vector<TzDbObjectId>& ids);
  void sortBy(LinkColumn column);
  std::vector<TzDbObjectId> selectedIds() const;
  std::vector<size_t> selectedLinks() const;
  void showSelection();
  void editSelection();
  void removeSelection();
  // The step of the undo list is named as the item reads.
  void runOnSelection(const char16_t* action, const TzString& step);
  void showMenu();
  // Checks the next share of the links; false when there was nothing left to check.
  bool checkShare();
  void checkWebLinks();
  void takeWebAnswers(std::vector<std::string> urls, std::vector<CheckResult> answers);
  void replace();

  LinkListView* list_ = nullptr;
  wxSearchCtrl* search_ = nullptr;
  wxButton* webButton_ = nullptr;
  wxStaticText* count_ = nullptr;
  std::vector<DrawingLink> links_;
  std::vector<CheckResult> results_;
  // The check run under way: the links before `checked_` are checked. A refresh starts another.
  std::unique_ptr<LinkChecker> checker_;
  size_t checked_ = 0;
  // Starts each share from the toolkit's own loop, so that input waiting is handled first.
  wxTimer checkTimer_;
  std::vector<size_t> rows_;  // the links shown, in the list's order
  LinkOrder order_;
  // What the last web check run found, by URL: kept over refreshes until the next run.
  std::unordered_map<std::string, CheckResult> webAnswers_;
  bool webBusy_ = false;
  // Rows selected by the panel itself (after a refresh) show nothing in the view.
  bool restoring_ = false;
  bool showPending_ = false;
  WebLookupThread web_;
};

}  // namespace linktools
