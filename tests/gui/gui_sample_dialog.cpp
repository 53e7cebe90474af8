#include "tests/gui/gui_sample_dialog.h"

#include "dialogs/about_dlg.h"
#include "platform/message_box.h"
#include "res/resource_ids.h"

const CDialogTemplate& GetGuiSampleTemplate() {
    using K = EControlKind;
    static const CDialogTemplate tmpl{
        IDD_GUI_SAMPLE,
        "Sample",
        200,
        150,
        "MS Sans Serif",
        8,
        DS_CAPTION | DS_SYSMENU | DS_CENTER,
        nullptr,
        {
            {K::Static, IDC_STATIC, "Title", 7, 7, 40, 8, 0, 0},
            {K::Edit, IDC_G_TITLE, "", 7, 17, 100, 12, WS_TABSTOP | ES_AUTOHSCROLL, 0},
            {K::Static, IDC_STATIC, "Side", 7, 33, 40, 8, 0, 0},
            {K::DropDownList, IDC_G_SIDE, "Unknown\nRussian\nUkrainian\nNATO\nTurkey", 7, 43, 100,
             60, WS_TABSTOP, 0},
            {K::CheckBox, IDC_G_PRIMARY, "Primary target", 7, 61, 100, 10, WS_TABSTOP, 0},
            {K::Static, IDC_STATIC, "Rows", 7, 75, 40, 8, 0, 0},
            {K::ListBox, IDC_G_ROWS, "One\nTwo\nThree", 7, 85, 100, 40,
             LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, 0},
            {K::Static, IDC_STATIC, "Notes", 115, 7, 78, 8, 0, 0},
            {K::Edit, IDC_G_NOTES, "", 115, 17, 78, 40,
             ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP, 0},
            {K::UpDown, IDC_G_SPIN, "", 115, 62, 11, 14, UDS_ARROWKEYS, 0},
            {K::PushButton, IDC_G_ASK, "Ask", 135, 62, 58, 14, WS_TABSTOP, 0},
            {K::PushButton, IDC_G_FILL, "Fill", 135, 80, 58, 14, WS_TABSTOP, 0},
            {K::PushButton, IDC_G_ABOUT, "About...", 135, 98, 58, 14, WS_TABSTOP, 0},
            {K::PushButton, IDOK, "OK", 85, 129, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
            {K::PushButton, IDCANCEL, "Cancel", 143, 129, 50, 14, WS_TABSTOP, 0},
        },
    };
    return tmpl;
}

void CGuiSampleDlg::OnAsk() {
    m_nAnswer = AfxMessageBox("Delete the kill?", MB_YESNO | MB_ICONQUESTION);
}

void CGuiSampleDlg::OnAbout() {
    m_nAboutResult = CAboutDlg().DoModal();
}
