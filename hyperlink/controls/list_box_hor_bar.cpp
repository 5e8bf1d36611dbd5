#include "controls/list_box_hor_bar.h"

#include <gtk/gtk.h>

#include <vector>

#include "controls/icon_list_layout.h"
#include "controls/template_placeholder.h"
#include "platform/display_text.h"
#include "platform/text.h"

namespace hyperlink {

CListBoxHorBar* CListBoxHorBar::attach(wxWindow* dialog, int id) {
  wxWindow* placeholder = findTemplatePlaceholder(dialog, id);
  if (placeholder == nullptr) return nullptr;
  auto* list = new CListBoxHorBar(placeholder->GetParent(), id, placeholder->GetPosition(),
                                  placeholder->GetSize());
  replaceTemplatePlaceholder(placeholder, list);
  return list;
}

namespace {

// What a row shows of its entry: entries come from other programs (file names, page titles)
// and may hold controls that reorder what follows them or run to millions of characters.
wxString shownText(const wxString& entry) {
  std::u16string text = platform::fromUtf8(entry.utf8_string());
  return wxString::FromUTF8(platform::toUtf8(platform::displayText(text, platform::kShownLength)));
}

void showRow(GtkTreeViewColumn*, GtkCellRenderer* renderer, GtkTreeModel* model, GtkTreeIter* iter,
             gpointer list) {
  GtkTreePath* path = gtk_tree_model_get_path(model, iter);
  int row = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  auto* box = static_cast<CListBoxHorBar*>(list);
  wxString text = row >= 0 && static_cast<unsigned>(row) < box->GetCount()
                      ? shownText(box->GetString(static_cast<unsigned>(row)))
                      : wxString();
  g_object_set(renderer, "text", text.utf8_str().data(), nullptr);
}

}  // namespace

CListBoxHorBar::CListBoxHorBar(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
    : wxListBox(parent, id, pos, size, 0, nullptr, wxLB_SINGLE | wxLB_HSCROLL) {
  // Rows show their entries escaped and cut; the entries themselves stay as they were added.
  GtkTreeViewColumn* column = gtk_tree_view_get_column(m_treeview, 0);
  GList* renderers = column ? gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column)) : nullptr;
  if (renderers != nullptr)
    gtk_tree_view_column_set_cell_data_func(column, GTK_CELL_RENDERER(renderers->data), showRow,
                                            this, nullptr);
  g_list_free(renderers);
}

bool CListBoxHorBar::Show(bool show) {
  bool changed = wxListBox::Show(show);
  if (show) updateHorizontalExtent();
  return changed;
}

void CListBoxHorBar::updateHorizontalExtent() {
  std::vector<int> widths;
  for (unsigned i = 0; i < GetCount(); ++i)
    widths.push_back(GetTextExtent(shownText(GetString(i))).x);
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
