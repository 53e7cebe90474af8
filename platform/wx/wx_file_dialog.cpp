// File dialogs of the window host: the toolkit's file chooser, followed by
// the checks of the program's flags (file_choice.h).
#include <memory>
#include <utility>

#include <wx/app.h>
#include <wx/filedlg.h>

#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/wx/file_choice.h"
#include "platform/wx/window_host.h"
#include "platform/wx/wx_text.h"

namespace {

long FileDialogStyle(const CFileDialog& dlg)
{
    const unsigned nFlags = dlg.GetFlags();
    if (dlg.IsOpenDialog())
        return wxFD_OPEN | ((nFlags & OFN_FILEMUSTEXIST) ? wxFD_FILE_MUST_EXIST : 0);
    return wxFD_SAVE | ((nFlags & OFN_OVERWRITEPROMPT) ? wxFD_OVERWRITE_PROMPT : 0);
}

} // namespace

int CWindowHost::RunFileDialog(CFileDialog& dlg)
{
    std::string strName = dlg.GetFileName();
    int nFilterIndex = dlg.GetValidFilterIndex() - 1;
    const wxString strWildcard = wxString::FromUTF8(MakeWildcard(dlg.GetFilters()));
    for (;;) {
        const CInitialName initial = SplitInitialName(strName);
        wxFileDialog chooser(GetParentWindow(), dlg.IsOpenDialog() ? "Open" : "Save As", ToWx(initial.m_strFolder),
                             ToWx(initial.m_strName), strWildcard, FileDialogStyle(dlg));
        if (!dlg.GetFilters().empty())
            chooser.SetFilterIndex(nFilterIndex);
        wxWindow* pOuter = std::exchange(m_pQuestion, &chooser);
        // Brought to the front once shown, so that it has the keyboard even
        // where no window manager gives it.
        auto pOpen = std::make_shared<bool>(true);
        wxTheApp->CallAfter([pOpen, &chooser] {
            if (*pOpen)
                chooser.Raise();
        });
        const int nResult = chooser.ShowModal();
        *pOpen = false;
        m_pQuestion = pOuter;
        ReactivateTopWindow();
        if (nResult != wxID_OK)
            return IDCANCEL;
        const std::string strChosen = FromWx(chooser.GetPath());
        nFilterIndex = chooser.GetFilterIndex();
        const std::string strPath = CompleteChosenPath(dlg, strChosen);
        const CFileChoiceCheck check = CheckChosenPath(dlg, strPath, strPath != strChosen);
        strName = strPath; // a second round starts from the name chosen
        if (check.m_eKind == CFileChoiceCheck::Refuse) {
            MessageBox(check.m_strMessage, check.m_nType);
            continue;
        }
        if (check.m_eKind == CFileChoiceCheck::Ask && MessageBox(check.m_strMessage, check.m_nType) != IDYES)
            continue;
        dlg.SetPathName(strPath);
        dlg.SetFilterIndex(dlg.GetFilters().empty() ? 1 : nFilterIndex + 1);
        return IDOK;
    }
}
