#include "platform/wx/gtk_widgets.h"

#include <algorithm>

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/nativewin.h>
#include <wx/window.h>

namespace {

constexpr const char* kStyleClass = "template-window";

// Only inside windows marked with kStyleClass. The classic controls leave
// about two pixels around a text; so do these.
constexpr const char* kStyleSheet = R"css(
.template-window button { min-height: 0; min-width: 0; padding: 1px 4px; }
.template-window button.text-button { padding-left: 6px; padding-right: 6px; }
.template-window button.up-down { padding: 0; }
.template-window entry { min-height: 0; padding: 1px 3px; }
.template-window combobox button.combo { padding: 0 2px 0 4px; }
.template-window checkbutton.text-button, .template-window radiobutton.text-button { padding: 0; }
.template-window check, .template-window radio { margin: 0 3px 0 0; min-width: 12px; min-height: 12px; }
.template-window checkbutton label, .template-window radiobutton label { margin: 0; }
)css";

GtkWidget* Widget(wxWindow* pWindow) { return pWindow ? static_cast<GtkWidget*>(pWindow->GetHandle()) : nullptr; }

// The widget that has the focus and the content: the child of a scrolled
// window (a list, a multi-line edit), else the widget itself.
GtkWidget* InnerWidget(wxWindow* pWindow)
{
    GtkWidget* pWidget = Widget(pWindow);
    if (pWidget && GTK_IS_SCROLLED_WINDOW(pWidget))
        if (GtkWidget* pChild = gtk_bin_get_child(GTK_BIN(pWidget)))
            return pChild;
    return pWidget;
}

} // namespace

void InstallTemplateWindowStyle()
{
    GdkScreen* pScreen = gdk_screen_get_default();
    if (!pScreen)
        return;
    GtkCssProvider* pProvider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(pProvider, kStyleSheet, -1, nullptr);
    gtk_style_context_add_provider_for_screen(pScreen, GTK_STYLE_PROVIDER(pProvider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(pProvider); // the screen keeps it
}

void UseTemplateWindowStyle(wxWindow* pTopLevel)
{
    if (GtkWidget* pWidget = Widget(pTopLevel))
        gtk_style_context_add_class(gtk_widget_get_style_context(pWidget), kStyleClass);
}

wxSize GetMinimumSize(wxWindow* pControl, int nWidth)
{
    GtkWidget* pWidget = Widget(pControl);
    if (!pWidget)
        return wxSize(0, 0);
    int nMinWidth = 0;
    int nNaturalWidth = 0;
    gtk_widget_get_preferred_width(pWidget, &nMinWidth, &nNaturalWidth);
    int nMinHeight = 0;
    int nNaturalHeight = 0;
    gtk_widget_get_preferred_height_for_width(pWidget, std::max(nWidth, nMinWidth), &nMinHeight, &nNaturalHeight);
    return wxSize(nMinWidth, nMinHeight);
}

void AllowNarrow(wxWindow* pControl)
{
    GtkWidget* pWidget = Widget(pControl);
    if (!pWidget)
        return;
    if (GTK_IS_ENTRY(pWidget)) {
        gtk_entry_set_width_chars(GTK_ENTRY(pWidget), 1);
    } else if (GTK_IS_COMBO_BOX(pWidget)) {
        GList* pCells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(pWidget));
        for (GList* p = pCells; p; p = p->next)
            if (GTK_IS_CELL_RENDERER_TEXT(p->data))
                g_object_set(p->data, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
        g_list_free(pCells);
    }
}

wxWindow* CreateFrame(wxWindow* pParent, const std::string& strLabel)
{
    GtkWidget* pFrame = gtk_frame_new(strLabel.empty() ? nullptr : strLabel.c_str());
    // The reference wx drops when it destroys the window, as for its own widgets.
    g_object_ref_sink(pFrame);
    gtk_widget_show(pFrame);
    return new wxNativeWindow(pParent, wxID_ANY, pFrame);
}

void SetFrameLabel(wxWindow* pFrame, const std::string& strLabel)
{
    if (GtkWidget* pWidget = Widget(pFrame); pWidget && GTK_IS_FRAME(pWidget))
        gtk_frame_set_label(GTK_FRAME(pWidget), strLabel.empty() ? nullptr : strLabel.c_str());
}

void SetAccessibleName(wxWindow* pControl, const std::string& strName)
{
    if (GtkWidget* pWidget = InnerWidget(pControl))
        if (AtkObject* pAccessible = gtk_widget_get_accessible(pWidget))
            atk_object_set_name(pAccessible, strName.c_str());
}

void AnnounceAsDialog(wxWindow* pTopLevel)
{
    if (GtkWidget* pWidget = Widget(pTopLevel))
        if (AtkObject* pAccessible = gtk_widget_get_accessible(pWidget))
            atk_object_set_role(pAccessible, ATK_ROLE_DIALOG);
}

void SetArrowImage(wxButton* pButton, bool bUp)
{
    GtkWidget* pWidget = Widget(pButton);
    if (!pWidget || !GTK_IS_BUTTON(pWidget))
        return;
    gtk_style_context_add_class(gtk_widget_get_style_context(pWidget), "up-down");
    // The toolkit carries these two icons itself.
    GtkWidget* pImage = gtk_image_new_from_icon_name(bUp ? "pan-up-symbolic" : "pan-down-symbolic", GTK_ICON_SIZE_MENU);
    gtk_image_set_pixel_size(GTK_IMAGE(pImage), 8);
    gtk_button_set_image(GTK_BUTTON(pWidget), pImage);
    gtk_button_set_always_show_image(GTK_BUTTON(pWidget), TRUE);
}
