// The panes that modules place beside the drawing view (tzui_panes.h): one shown at a time, in a
// splitter with the view, each created the first time it is shown and kept while the window
// lives. A shown pane hears at "Command: " when the drawing it shows changed.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class wxMenu;
class wxMenuItem;
class wxSplitterWindow;
class wxWindow;

namespace tzad {

class Document;

class SidePanes {
 public:
  SidePanes(wxSplitterWindow& splitter, wxWindow& view);

  // The items for the panes the loaded modules offer, at the end of the menu after a separator,
  // with ids from firstId, each checked while its pane is shown.
  void updateMenu(wxMenu& menu, int firstId);
  // The pane of the menu item at `index` (from firstId): shown when hidden, else hidden.
  void toggle(size_t index);
  // Shows the pane of that name; false when no loaded module offers it or it cannot be made.
  bool show(const std::u16string& name);
  void hide();
  bool isShown(const std::u16string& name) const;
  // At "Command: ": the shown pane hears of a change to the drawing since it last did.
  void catchUp(Document* doc);

 private:
  struct Created {
    std::u16string name;
    wxWindow* window;
    uint64_t serial = 0;  // the drawing it last heard of, and how far it had changed
    uint64_t changes = 0;
    bool told = false;
  };
  void tell(Created& pane, Document* doc);

  wxSplitterWindow& splitter_;
  wxWindow& view_;
  std::deque<Created> created_;  // where they stay while the window lives
  std::vector<std::u16string> offered_;
  std::vector<int> menuIds_;
  wxMenuItem* separator_ = nullptr;
  Created* shown_ = nullptr;
};

}  // namespace tzad
