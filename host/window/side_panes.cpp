#include "window/side_panes.h"

#include <wx/menu.h>
#include <wx/splitter.h>

#include <algorithm>
#include <utility>

#include "db/drawing_access.h"
#include "docs/document_manager.h"
#include "editor/editor.h"
#include "editor/module_panes.h"
#include "tzui_dialog.h"

namespace tzad {

namespace {

// The pane's width when it first opens; the sash moves it.
constexpr int kPaneWidth = 440;
constexpr int kNarrowest = 120;

const ModulePane* offeredPane(const std::u16string& name) {
  for (const ModulePane& pane : modulePanes())
    if (pane.name == name) return &pane;
  return nullptr;
}

}  // namespace

SidePanes::SidePanes(wxSplitterWindow& splitter, wxWindow& view)
    : splitter_(splitter), view_(view) {
  splitter_.SetMinimumPaneSize(kNarrowest);
  // The view was made at its first size, which the splitter would otherwise keep as its least.
  view_.SetMinSize(view_.FromDIP(wxSize(kNarrowest, kNarrowest)));
  // The view takes what the window gains or loses; the pane keeps its width.
  splitter_.SetSashGravity(1.0);
  splitter_.Initialize(&view_);
}

void SidePanes::updateMenu(wxMenu& menu, int firstId) {
  std::vector<std::u16string> offered;
  for (const ModulePane& pane : modulePanes()) offered.push_back(pane.name);
  if (offered != offered_) {
    for (int id : menuIds_) menu.Destroy(id);
    menuIds_.clear();
    if (separator_) menu.Destroy(std::exchange(separator_, nullptr));
    offered_ = offered;
    if (!offered_.empty()) separator_ = menu.AppendSeparator();
    for (size_t i = 0; i < modulePanes().size(); ++i) {
      const ModulePane& pane = modulePanes()[i];
      std::u16string label = paneLabel(pane);
      if (!pane.shortcut.empty()) label += u"\t" + tzutFromUtf8(pane.shortcut);
      int id = firstId + static_cast<int>(i);
      menu.AppendCheckItem(id, TwUiString(label));
      menuIds_.push_back(id);
    }
    if (shown_ && offeredPane(shown_->name) == nullptr) hide();
  }
  for (size_t i = 0; i < offered_.size(); ++i) menu.Check(menuIds_[i], isShown(offered_[i]));
}

void SidePanes::toggle(size_t index) {
  if (index >= offered_.size()) return;
  if (isShown(offered_[index]))
    hide();
  else
    show(offered_[index]);
}

bool SidePanes::isShown(const std::u16string& name) const {
  return shown_ && shown_->name == name && splitter_.IsSplit();
}

bool SidePanes::show(const std::u16string& name) {
  const ModulePane* offered = offeredPane(name);
  if (offered == nullptr) return false;
  auto known = std::find_if(created_.begin(), created_.end(),
                            [&](const Created& pane) { return pane.name == name; });
  if (known == created_.end()) {
    auto* window = static_cast<wxWindow*>(offered->create(&splitter_));
    if (window == nullptr) return false;
    window->Hide();
    created_.push_back({name, window});
    known = created_.end() - 1;
  }
  if (splitter_.IsSplit() && splitter_.GetWindow2() != known->window) hide();
  shown_ = &*known;
  if (!splitter_.IsSplit()) {
    // The pane's width counts from the splitter's right edge (a negative position).
    splitter_.SplitVertically(&view_, known->window, -splitter_.FromDIP(kPaneWidth));
  }
  tell(*known, Editor::instance().document());
  return true;
}

void SidePanes::hide() {
  if (splitter_.IsSplit()) splitter_.Unsplit(splitter_.GetWindow2());
  shown_ = nullptr;
}

void SidePanes::catchUp(Document* doc) {
  if (shown_) tell(*shown_, doc);
}

void SidePanes::tell(Created& pane, Document* doc) {
  const ModulePane* offered = offeredPane(pane.name);
  if (offered == nullptr) return;
  uint64_t serial = doc ? doc->serial : 0;
  uint64_t changes = doc ? drawingChanges(*doc->database()) : 0;
  if (pane.told && pane.serial == serial && pane.changes == changes) return;
  pane.told = true;
  pane.serial = serial;
  pane.changes = changes;
  offered->changed(pane.window);
}

}  // namespace tzad
