#include "panel/links_panel.h"

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/srchctrl.h>
#include <wx/stattext.h>

#include <algorithm>
#include <unordered_set>

#include "core/link_text.h"
#include "panel/link_list_view.h"
#include "panel/replace_dialog.h"
#include "panel/wx_text.h"
#include "tzdb_database.h"
#include "tzrx_object_actions.h"
#include "tzui_panes.h"

namespace linktools {

namespace {

// Links checked in one go of idle time: a share takes some 50 ms.
constexpr size_t kCheckShare = 10000;

enum MenuId {
  kOpen = wxID_HIGHEST + 1,
  kCopy,
  kEdit,
  kRemove,
  kReplace,
  kCheckWeb,
};

// A web answer in place of the offline check's "not checked".
void takeAnswer(CheckResult& result, const CheckResult& answer) {
  result.status = answer.status;
  result.httpStatus = answer.httpStatus;
  result.detail = answer.detail;
  if (!answer.target.empty()) result.target = answer.target;
}

TzArray<TzDbObjectId> idArray(const std::vector<TzDbObjectId>& ids) {
  return TzArray<TzDbObjectId>(ids.begin(), ids.end());
}

}  // namespace

LinksPanel::LinksPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY),
      web_([this](std::vector<std::string> urls, std::vector<CheckResult> answers) {
        takeWebAnswers(std::move(urls), std::move(answers));
      }) {
  SetName("hyperlinks panel");
  search_ = new wxSearchCtrl(this, wxID_ANY);
  search_->SetName("hyperlink search");
  search_->SetDescriptiveText(toWx(linkText(u"Search hyperlinks")));
  webButton_ = new wxButton(this, kCheckWeb, toWx(linkText(u"Check &Web Links")));
  webButton_->SetName("check web links");
  auto* replaceButton = new wxButton(this, kReplace, toWx(linkText(u"&Replace...")));
  replaceButton->SetName("replace");
  list_ = new LinkListView(this, [this](long row, LinkColumn column) -> TzString {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return {};
    size_t link = rows_[static_cast<size_t>(row)];
    if (column == LinkColumn::Status && link >= checked_) return linkText(u"Checking...");
    return cellText(links_[link], results_[link], column);
  });
  count_ = new wxStaticText(this, wxID_ANY, wxString());
  count_->SetName("hyperlink count");

  auto* tools = new wxBoxSizer(wxHORIZONTAL);
  tools->Add(search_, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(4));
  tools->Add(webButton_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(4));
  tools->Add(replaceButton, 0, wxALIGN_CENTER_VERTICAL);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(tools, 0, wxEXPAND | wxALL, FromDIP(4));
  column->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(4));
  column->Add(count_, 0, wxEXPAND | wxALL, FromDIP(4));
  SetSizer(column);

  search_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { showRows(selectedIds()); });
  list_->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& event) {
    if (event.GetColumn() >= 0 && static_cast<size_t>(event.GetColumn()) < std::size(kLinkColumns))
      sortBy(kLinkColumns[event.GetColumn()]);
  });
  list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) {
    // A click or a key selects rows one event at a time: the view follows once they are in.
    if (restoring_ || showPending_) return;
    showPending_ = true;
    CallAfter([this] {
      showPending_ = false;
      showSelection();
    });
  });
  list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { editSelection(); });
  list_->Bind(wxEVT_LIST_KEY_DOWN, [this](wxListEvent& event) {
    // The list moves through its rows and activates them only with the keys it is left.
    if (event.GetKeyCode() == WXK_DELETE)
      removeSelection();
    else
      event.Skip();
  });
  list_->Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent&) { showMenu(); });
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { checkWebLinks(); }, kCheckWeb);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { replace(); }, kReplace);
  checkTimer_.SetOwner(this);
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { checkShare(); });
  list_->showOrder(order_);
}

void LinksPanel::refresh() {
  std::vector<TzDbObjectId> selected = selectedIds();
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  links_ = db ? listDrawingLinks(*db) : std::vector<DrawingLink>{};
  results_.assign(links_.size(), CheckResult{});
  // A checker of its own for each run: files come and go between refreshes, and within one
  // each target is looked at once.
  checker_ = std::make_unique<LinkChecker>();
  checked_ = 0;
  rows_.clear();  // they counted in the links listed before
  showRows(selected);
  checkTimer_.StartOnce(1);
}

bool LinksPanel::checkShare() {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  if (db == nullptr || checked_ >= links_.size()) return false;
  size_t end = std::min(links_.size(), checked_ + kCheckShare);
  std::vector<DrawingLink> share(links_.begin() + static_cast<long>(checked_),
                                 links_.begin() + static_cast<long>(end));
  std::vector<CheckResult> found = checker_->checkDrawing(*db, share);
  for (size_t i = 0; i < found.size(); ++i) {
    if (auto answer = webAnswers_.find(found[i].url); answer != webAnswers_.end())
      takeAnswer(found[i], answer->second);
    results_[checked_ + i] = std::move(found[i]);
  }
  checked_ = end;
  if (checked_ < links_.size()) {
    list_->Refresh();
    showCount();
    checkTimer_.StartOnce(1);
    return true;
  }
  // Sorted or searched by status, the rows take their places now that every status is known.
  showRows(selectedIds());
  return true;
}

void LinksPanel::showRows(const std::vector<TzDbObjectId>& keep) {
  rows_ = shownRows(links_, results_, fromWx(search_->GetValue()), order_);
  list_->showRows(rows_.size());
  reselect(keep);
  showCount();
}

void LinksPanel::reselect(const std::vector<TzDbObjectId>& ids) {
  restoring_ = true;
  list_->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
  if (!ids.empty()) {
    std::unordered_set<TzDbObjectId> wanted(ids.begin(), ids.end());
    for (size_t row = 0; row < rows_.size(); ++row)
      if (wanted.contains(links_[rows_[row]].id))
        list_->SetItemState(static_cast<long>(row), wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  }
  restoring_ = false;
}

void LinksPanel::showCount() {
  long long broken = std::count_if(results_.begin(), results_.end(),
                                   [](const CheckResult& result) { return result.broken(); });
  TzString text = linkText(u"%1 of %2 shown, %3 broken",
                           {numberText(static_cast<long long>(rows_.size())),
                            numberText(static_cast<long long>(links_.size())), numberText(broken)});
  if (checked_ < links_.size())
    text += u"  " +
            linkText(u"Checking %1 of %2...", {numberText(static_cast<long long>(checked_)),
                                               numberText(static_cast<long long>(links_.size()))});
  if (webBusy_) text += u"  " + linkText(u"Looking up web addresses...");
  count_->SetLabel(toWx(text));
}

void LinksPanel::sortBy(LinkColumn column) {
  order_.ascending = order_.column != column || !order_.ascending;
  order_.column = column;
  list_->showOrder(order_);
  showRows(selectedIds());
}

std::vector<size_t> LinksPanel::selectedLinks() const {
  std::vector<size_t> chosen;
  for (long row = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row >= 0;
       row = list_->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
    if (static_cast<size_t>(row) < rows_.size() && rows_[static_cast<size_t>(row)] < links_.size())
      chosen.push_back(rows_[static_cast<size_t>(row)]);
  return chosen;
}

std::vector<TzDbObjectId> LinksPanel::selectedIds() const {
  std::vector<TzDbObjectId> ids;
  for (size_t link : selectedLinks()) ids.push_back(links_[link].id);
  return ids;
}

// The view shows one layout: the objects shown are those selected in the layout of the row
// that has the focus.
void LinksPanel::showSelection() {
  std::vector<size_t> chosen = selectedLinks();
  if (chosen.empty()) return;
  long focused = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
  size_t lead = focused >= 0 && static_cast<size_t>(focused) < rows_.size()
                    ? rows_[static_cast<size_t>(focused)]
                    : chosen.front();
  if (std::find(chosen.begin(), chosen.end(), lead) == chosen.end()) lead = chosen.front();
  std::vector<TzDbObjectId> ids{links_[lead].id};
  for (size_t link : chosen)
    if (link != lead && links_[link].layout == links_[lead].layout) ids.push_back(links_[link].id);
  static_cast<void>(tzedShowObjects(idArray(ids)));
}

void LinksPanel::runOnSelection(const char16_t* action, const TzString& step) {
  std::vector<TzDbObjectId> ids = selectedIds();
  if (ids.empty()) return;
  static_cast<void>(tzedPostObjectAction(action, idArray(ids), step.c_str()));
}

void LinksPanel::editSelection() {
  runOnSelection(kTzrxEditHyperlinkAction, linkText(u"Edit Hyperlink"));
}

void LinksPanel::removeSelection() {
  int count = static_cast<int>(selectedLinks().size());
  if (count == 0) return;
  wxMessageDialog ask(this,
                      toWx(countText(count, u"Remove the hyperlink of %1 object?",
                                     u"Remove the hyperlinks of %1 objects?", {numberText(count)})),
                      toWx(linkText(u"Hyperlinks")), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
  if (ask.ShowModal() == wxID_YES)
    runOnSelection(kTzrxRemoveHyperlinkAction, linkText(u"Remove Hyperlink"));
}

void LinksPanel::showMenu() {
  bool any = !selectedLinks().empty();
  wxMenu menu;
  menu.Append(kOpen, toWx(linkText(u"&Open")))->Enable(any);
  menu.Append(kCopy, toWx(linkText(u"&Copy Hyperlink")))->Enable(any);
  menu.Append(kEdit, toWx(linkText(u"&Edit Hyperlink...")))->Enable(any);
  menu.Append(kRemove, toWx(linkText(u"Re&move Hyperlink...")))->Enable(any);
  menu.AppendSeparator();
  menu.Append(kReplace, toWx(linkText(u"&Replace...")));
  menu.Append(kCheckWeb, toWx(linkText(u"Check &Web Links")))->Enable(!webBusy_);
  switch (list_->GetPopupMenuSelectionFromUser(menu)) {
    case kOpen:
      return runOnSelection(kTzrxOpenHyperlinkAction, linkText(u"Open Hyperlink"));
    case kCopy:
      return runOnSelection(kTzrxCopyHyperlinkAction, linkText(u"Copy Hyperlink"));
    case kEdit:
      return editSelection();
    case kRemove:
      return removeSelection();
    case kReplace:
      return replace();
    case kCheckWeb:
      return checkWebLinks();
    default:
      return;
  }
}

void LinksPanel::checkWebLinks() {
  if (webBusy_) return;
  // The web addresses are known once every link is checked offline.
  while (checkShare()) {
  }
  std::vector<std::string> urls;
  std::unordered_set<std::string> asked;
  for (const CheckResult& result : results_)
    if (!result.url.empty() && asked.insert(result.url).second) urls.push_back(result.url);
  // A new run asks the servers again.
  webAnswers_.clear();
  if (urls.empty()) {
    count_->SetLabel(toWx(linkText(u"No web addresses to look up.")));
    return;
  }
  webBusy_ = true;
  webButton_->Disable();
  showCount();
  web_.start(std::move(urls), WebCheckOptions{});
}

void LinksPanel::takeWebAnswers(std::vector<std::string> urls, std::vector<CheckResult> answers) {
  for (size_t i = 0; i < urls.size() && i < answers.size(); ++i)
    webAnswers_[urls[i]] = std::move(answers[i]);
  for (CheckResult& result : results_)
    if (auto answer = webAnswers_.find(result.url); answer != webAnswers_.end())
      takeAnswer(result, answer->second);
  webBusy_ = false;
  webButton_->Enable();
  showRows(selectedIds());
}

// The replacement is -HYPERLINKREPLACE typed with its answers: one command on the command line,
// one step of the undo list. The keywords are given in their language-independent form ("_All"),
// as a script for every language gives them. The selection is cleared first, since the command
// takes a selection it finds as the objects to change.
void LinksPanel::replace() {
  std::vector<size_t> chosen = selectedLinks();
  std::vector<DrawingLink> selected;
  for (size_t link : chosen) selected.push_back(links_[link]);
  ReplaceDialog dialog(this, links_, selected);
  if (dialog.ShowModal() != wxID_OK) return;
  const ReplaceRule& rule = dialog.rule();
  TzArray<TzString> lines{u"-HYPERLINKREPLACE", rule.oldText, rule.newText};
  if (dialog.selectedOnly()) {
    TzString handles;
    for (const DrawingLink& link : selected)
      handles += (handles.empty() ? u"" : u" ") + link.handle;
    lines.insert(lines.end(), {u"_Select", handles, u""});
  } else {
    lines.push_back(u"_All");
  }
  lines.push_back(rule.matchCase ? u"_Yes" : u"_No");
  lines.push_back(rule.prefixOnly ? u"_Start" : u"_Anywhere");
  lines.push_back(rule.locationsToo ? u"_Yes" : u"_No");
  static_cast<void>(tzedShowObjects({}));
  static_cast<void>(tzedPostCommand(lines));
}

}  // namespace linktools
