#include "dialogs/prefs_dlg.h"

#include "platform/file_dialog.h"
#include "platform/file_path.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

using namespace PrefsIds;

CPrefsDlg::CPrefsDlg() : CDialog(GetDialogTemplate(IDD_PREFERENCES)) {}

std::string CPrefsDlg::DirectoryOfFile(const std::string& strPath) { return DirectoryOf(strPath, strPath); }

void CPrefsDlg::DoDataExchange(CDataExchange& dx)
{
    // The radio buttons take no part: their clicks set the values at once.
    DDX_Text(dx, IDC_VORTANE_DIR, m_strVortaneDir);
    DDX_Check(dx, IDC_IGNORE_GND_KILLS, m_bIgnoreGndKills);
    DDX_Check(dx, IDC_LOG_EVENTS, m_bLogEvents);
    DDX_Check(dx, IDC_REJECT_UNK_KILLS, m_bRejectUnkKills);
}

bool CPrefsDlg::OnInitDialog()
{
    const bool bDefaultFocus = CDialog::OnInitDialog();
    CheckRadioButton(IDC_ACCUMULATE_PILOT, IDC_ACCUMULATE_CAREER,
                     m_bAccumulatePilotTime ? IDC_ACCUMULATE_PILOT : IDC_ACCUMULATE_CAREER);
    CheckRadioButton(IDC_DATE_DMY, IDC_DATE_MDY, m_nDateFormat ? IDC_DATE_DMY : IDC_DATE_MDY);
    return bDefaultFocus;
}

const CHandlerTable* CPrefsDlg::GetHandlers() const
{
    static const CHandlerMap<CPrefsDlg> map{
        {IDC_BROWSE, ENotify::Clicked, &CPrefsDlg::OnBrowse},
        {IDC_ACCUMULATE_PILOT, ENotify::Clicked, &CPrefsDlg::OnAccumulatePilot},
        {IDC_ACCUMULATE_CAREER, ENotify::Clicked, &CPrefsDlg::OnAccumulateCareer},
        {IDC_DATE_DMY, ENotify::Clicked, &CPrefsDlg::OnDateDayFirst},
        {IDC_DATE_MDY, ENotify::Clicked, &CPrefsDlg::OnDateMonthFirst},
    };
    return &map;
}

void CPrefsDlg::OnBrowse()
{
    // The user picks the simulator's program file; its folder is kept.
    CFileDialog dlg(true, "", "VORTANE.EXE", OFN_HIDEREADONLY, "");
    if (dlg.DoModal() != IDOK)
        return;
    m_strVortaneDir = DirectoryOfFile(dlg.GetPathName());
    SetDlgItemText(IDC_VORTANE_DIR, m_strVortaneDir);
}
