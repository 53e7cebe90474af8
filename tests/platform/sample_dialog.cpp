#include "tests/platform/sample_dialog.h"

#include "platform/template_builders.h"

const CDialogTemplate& GetSampleTemplate()
{
    using namespace rc;
    static const CDialogTemplate tmpl{
        .m_nId = IDD_SAMPLE,
        .m_strCaption = "Sample",
        .cx = 200,
        .cy = 150,
        .m_nStyle = DS_CAPTION | DS_SYSMENU,
        .m_controls =
            {
                Label("Title", {5, 5, 40, 8}, 0, IDC_S_LABEL),
                Edit(IDC_S_TITLE, {50, 5, 100, 12}, WS_GROUP),
                Edit(IDC_S_NOTES, {50, 20, 100, 30}, ES_MULTILINE | ES_WANTRETURN),
                CheckBox("Check", IDC_S_CHECK, {5, 55, 60, 10}),
                RadioButton("A1", IDC_S_RADIO_A1, {5, 70, 30, 10}, WS_TABSTOP | WS_GROUP),
                RadioButton("A2", IDC_S_RADIO_A2, {40, 70, 30, 10}),
                RadioButton("A3", IDC_S_RADIO_A3, {75, 70, 30, 10}),
                RadioButton("B1", IDC_S_RADIO_B1, {5, 85, 30, 10}, WS_TABSTOP | WS_GROUP),
                RadioButton("B2", IDC_S_RADIO_B2, {40, 85, 30, 10}),
                DropDownList(IDC_S_SIDE, {110, 70, 60, 50}, "Unknown\nRussian\nNATO", WS_GROUP),
                ListBox(IDC_S_ROWS, {110, 85, 60, 40}, LBS_NOTIFY | WS_VSCROLL),
                ReportList(IDC_S_TABLE, {5, 100, 100, 40}, LVS_SINGLESEL),
                UpDown(IDC_S_SPIN, {175, 85, 10, 14}, UDS_ARROWKEYS),
                Picture(IDC_S_PICTURE, 7, {175, 5, 20, 20}),
                Button("Fill", IDC_S_FILL, {110, 130, 40, 14}),
                Button("Never", IDC_S_DISABLED, {110, 130, 40, 14}, WS_DISABLED),
                DefButton("OK", IDOK, {155, 130, 40, 14}),
                Button("Cancel", IDCANCEL, {155, 110, 40, 14}),
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
