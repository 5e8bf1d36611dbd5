#include "controls/list_box_hor_bar.h"

#include <gtk/gtk.h>

#include <vector>

#include "controls/icon_list_layout.h"
#include "controls/template_placeholder.h"

namespace hyperlink {

CListBoxHorBar* CListBoxHorBar::attach(wxWindow* dialog, int id) {
  wxWindow* placeholder = findTemplatePlaceholder(dialog, id);
  if (placeholder == nullptr) return nullptr;
  auto* list = new CListBoxHorBar(placeholder->GetParent(), id, placeholder->GetPosition(),
                                  placeholder->GetSize());
  replaceTemplatePlaceholder(placeholder, list);
  return list;
}

CListBoxHorBar::CListBoxHorBar(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
    : wxListBox(parent, id, pos, size, 0, nullptr, wxLB_SINGLE | wxLB_HSCROLL) {}

bool CListBoxHorBar::Show(bool show) {
  bool changed = wxListBox::Show(show);
  if (show) updateHorizontalExtent();
  return changed;
}

void CListBoxHorBar::updateHorizontalExtent() {
  std::vector<int> widths;
  for (unsigned i = 0; i < GetCount(); ++i) widths.push_back(GetTextExtent(GetString(i)).x);
  extent_ = hyperlink::horizontalExtent(widths, GetCharWidth());
  applyHorizontalExtent();
}

// The GTK list is a tree view whose one column grows with its widest row by itself. Fixing
// the column's width at the extent makes the extent the list's scroll range: rows added
// later do not widen it, and when the extent is narrower than the list the column fills the
// list all the same. GTK shows either scroll bar when it is needed.
void CListBoxHorBar::applyHorizontalExtent() {
  GtkTreeViewColumn* column = gtk_tree_view_get_column(m_treeview, 0);
  if (column == nullptr) return;
  gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_fixed_width(column, extent_);
}

}  // namespace hyperlink
