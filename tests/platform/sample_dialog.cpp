#include "tests/platform/sample_dialog.h"

const CDialogTemplate& GetSampleTemplate()
{
    using K = EControlKind;
    static const CDialogTemplate tmpl{
        IDD_SAMPLE,
        "Sample",
        200,
        150,
        "MS Sans Serif",
        8,
        DS_CAPTION | DS_SYSMENU,
        nullptr,
        {
            {K::Static, IDC_S_LABEL, "Title", 5, 5, 40, 8, 0, 0},
            {K::Edit, IDC_S_TITLE, "", 50, 5, 100, 12, WS_TABSTOP | WS_GROUP, 0},
            {K::Edit, IDC_S_NOTES, "", 50, 20, 100, 30, ES_MULTILINE | ES_WANTRETURN | WS_TABSTOP, 0},
            {K::CheckBox, IDC_S_CHECK, "Check", 5, 55, 60, 10, WS_TABSTOP, 0},
            {K::RadioButton, IDC_S_RADIO_A1, "A1", 5, 70, 30, 10, WS_TABSTOP | WS_GROUP, 0},
            {K::RadioButton, IDC_S_RADIO_A2, "A2", 40, 70, 30, 10, 0, 0},
            {K::RadioButton, IDC_S_RADIO_A3, "A3", 75, 70, 30, 10, 0, 0},
            {K::RadioButton, IDC_S_RADIO_B1, "B1", 5, 85, 30, 10, WS_TABSTOP | WS_GROUP, 0},
            {K::RadioButton, IDC_S_RADIO_B2, "B2", 40, 85, 30, 10, 0, 0},
            {K::DropDownList, IDC_S_SIDE, "Unknown\nRussian\nNATO", 110, 70, 60, 50, WS_TABSTOP | WS_GROUP, 0},
            {K::ListBox, IDC_S_ROWS, "", 110, 85, 60, 40, LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, 0},
            {K::ReportList, IDC_S_TABLE, "", 5, 100, 100, 40, LVS_SINGLESEL | WS_BORDER | WS_TABSTOP, 0},
            {K::UpDown, IDC_S_SPIN, "", 175, 85, 10, 14, UDS_ARROWKEYS, 0},
            {K::Picture, IDC_S_PICTURE, "", 175, 5, 20, 20, SS_CENTER, 7},
            {K::PushButton, IDC_S_FILL, "Fill", 110, 130, 40, 14, WS_TABSTOP, 0},
            {K::PushButton, IDC_S_DISABLED, "Never", 110, 130, 40, 14, WS_DISABLED | WS_TABSTOP, 0},
            {K::PushButton, IDOK, "OK", 155, 130, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
            {K::PushButton, IDCANCEL, "Cancel", 155, 110, 40, 14, WS_TABSTOP, 0},
        },
    };
    return tmpl;
}

bool CSampleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_S_TITLE, m_strInitialTitle);
    return true;
}

void CSampleDlg::OnChangeTitle()
{
    m_events.push_back({IDC_S_TITLE, ENotify::Changed, 0});
    if (!HasFocus(IDC_S_TITLE))
        return;
    m_strStoredTitle = GetDlgItemText(IDC_S_TITLE);
    m_storedTitles.push_back(m_strStoredTitle);
}

const CHandlerTable* CSampleDlg::GetHandlers() const
{
    static const CHandlerMap<CSampleDlg> map{
        {IDC_S_TITLE, ENotify::Changed, &CSampleDlg::OnChangeTitle},
        {IDC_S_NOTES, ENotify::Changed, &CSampleDlg::OnChangeNotes},
        {IDC_S_CHECK, ENotify::Clicked, &CSampleDlg::OnCheck},
        {IDC_S_RADIO_A1, ENotify::Clicked, &CSampleDlg::OnRadio},
        {IDC_S_RADIO_A2, ENotify::Clicked, &CSampleDlg::OnRadio},
        {IDC_S_SIDE, ENotify::SelChange, &CSampleDlg::OnSelSide},
        {IDC_S_ROWS, ENotify::SelChange, &CSampleDlg::OnSelRows},
        {IDC_S_ROWS, ENotify::DoubleClicked, &CSampleDlg::OnDblRows},
        {IDC_S_TABLE, ENotify::Clicked, &CSampleDlg::OnClickTable},
        {IDC_S_SPIN, ENotify::DeltaPos, &CSampleDlg::OnSpin},
        {IDC_S_FILL, ENotify::Clicked, &CSampleDlg::OnFill},
    };
    return &map;
}
