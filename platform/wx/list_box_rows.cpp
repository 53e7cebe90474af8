#include "platform/wx/list_box_rows.h"

#include <wx/listbox.h>

#ifdef __WXGTK3__
#include <gtk/gtk.h>
#endif

void UseRowsOfOneHeight([[maybe_unused]] wxListBox& list)
{
#ifdef __WXGTK3__
    GtkTreeView* pView = list.m_treeview;
    GtkTreeViewColumn* pColumn = pView ? gtk_tree_view_get_column(pView, 0) : nullptr;
    if (!pColumn)
        return;
    gtk_tree_view_column_set_sizing(pColumn, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_set_fixed_height_mode(pView, TRUE);
#endif
}
