#include "dialogs/about_dlg.h"

#include "res/dialog_templates.h"
#include "res/resource_ids.h"

CAboutDlg::CAboutDlg() : CDialog(GetDialogTemplate(IDD_ABOUTBOX)) {}

void ShowAboutBox()
{
    CAboutDlg dlg;
    dlg.DoModal();
}
