#include "platform/wx/native_list_box.h"

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

bool IsHandlingKeyPress()
{
#ifdef __WXGTK3__
    GdkEvent* pEvent = gtk_get_current_event();
    if (!pEvent)
        return false;
    const bool bKey = pEvent->type == GDK_KEY_PRESS;
    gdk_event_free(pEvent);
    return bKey;
#else
    return false;
#endif
}
