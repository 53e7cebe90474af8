#include "tests/gui/gui_sample_dialog.h"

#include "dialogs/about_dlg.h"
#include "platform/message_box.h"
#include "platform/template_builders.h"

const CDialogTemplate& GetGuiSampleTemplate()
{
    using namespace rc;
    static const CDialogTemplate tmpl{
        .m_nId = IDD_GUI_SAMPLE,
        .m_strCaption = "Sample",
        .cx = 200,
        .cy = 150,
        .m_nStyle = DS_CAPTION | DS_SYSMENU | DS_CENTER,
        .m_controls =
            {
                Label("Title", {7, 7, 40, 8}),
                Edit(IDC_G_TITLE, {7, 17, 100, 12}, ES_AUTOHSCROLL),
                Label("Side", {7, 33, 40, 8}),
                DropDownList(IDC_G_SIDE, {7, 43, 100, 60}, "Unknown\nRussian\nUkrainian\nNATO\nTurkey"),
                CheckBox("Primary target", IDC_G_PRIMARY, {7, 61, 100, 10}),
                Label("Rows", {7, 75, 40, 8}),
                // A list box with entries from the start.
                Control(EControlKind::ListBox, IDC_G_ROWS, "One\nTwo\nThree", {7, 85, 100, 40},
                        WS_BORDER | WS_TABSTOP | LBS_NOTIFY | WS_VSCROLL),
                Label("Notes", {115, 7, 78, 8}),
                Edit(IDC_G_NOTES, {115, 17, 78, 40}, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL),
                UpDown(IDC_G_SPIN, {115, 62, 11, 14}, UDS_ARROWKEYS),
                Button("Ask", IDC_G_ASK, {135, 62, 58, 14}),
                Button("Fill", IDC_G_FILL, {135, 80, 58, 14}),
                Button("About...", IDC_G_ABOUT, {135, 98, 58, 14}),
                DefButton("OK", IDOK, {85, 129, 50, 14}),
                Button("Cancel", IDCANCEL, {143, 129, 50, 14}),
            },
    };
    return tmpl;
}

void CGuiSampleDlg::OnAsk() { m_nAnswer = AfxMessageBox("Delete the kill?", MB_YESNO | MB_ICONQUESTION); }

void CGuiSampleDlg::OnAbout() { m_nAboutResult = CAboutDlg().DoModal(); }
