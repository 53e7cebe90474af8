// The menu commands the application object handles: the file commands on
// the log document, deleting the current career, the pilot's photograph and
// the raw debrief viewer. Each ends by redrawing the main window from the log
// when it changed what the window shows.
#include <memory>
#include <optional>
#include <string>

#include "app/log_app.h"
#include "app/log_dlg.h"
#include "debrief/debrief.h"
#include "dialogs/debrief_view_dlg.h"
#include "log/log_doc.h"
#include "log/settings.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"

namespace {
constexpr const char* kSaveChanges = "Save changes to the current log?";
constexpr const char* kDiscardChanges = "Discard changes to the current log?";
constexpr const char* kDeleteCareer = "Are you sure you want to delete this career and any missions it contains?";
constexpr const char* kPhotoFilter = "Windows Bitmaps|*.bmp|All Files|*.*||";
constexpr const char* kDebriefFilter = "Debriefing Files (*.stt)|*.stt|All Files|*.*||";
} // namespace

void CLogApp::RedrawMainWindow()
{
    if (m_pLogDlg)
        m_pLogDlg->UpdateDisplay();
}

bool CLogApp::SaveChangesFirst()
{
    if (!m_pDoc->IsModified() || AfxMessageBox(kSaveChanges, MB_YESNO) != IDYES)
        return true;
    // A save that failed or was cancelled has said so; the changes stay.
    return m_pDoc->Save();
}

void CLogApp::OnFileNew()
{
    if (!m_pDoc || !SaveChangesFirst())
        return;
    auto pDoc = std::make_unique<CLogDoc>();
    SetCurrentLogDoc(pDoc.get());
    m_pDoc = std::move(pDoc);
    RedrawMainWindow();
}

void CLogApp::OnFileOpen()
{
    if (!m_pDoc || !SaveChangesFirst())
        return;
    m_pDoc->Open();
    RedrawMainWindow(); // also when no file was read
}

void CLogApp::OnFileRevert()
{
    if (!m_pDoc)
        return;
    if (m_pDoc->IsModified() && AfxMessageBox(kDiscardChanges, MB_YESNOCANCEL) != IDYES)
        return;
    // An untitled log has no file to go back to: the open dialog asks for one.
    const std::string strPath = m_pDoc->GetFileName();
    m_pDoc->Open(strPath.empty() ? std::nullopt : std::optional<std::string>(strPath));
    RedrawMainWindow();
}

bool CLogApp::OnUpdateFileRevert() { return m_pDoc != nullptr; }

void CLogApp::SaveOnRequest(bool bNewName)
{
    if (!m_pDoc)
        return;
    // The request makes an unchanged log write too. When the save dialog is
    // cancelled an unchanged log stays unchanged, or "New Log" and "Exit"
    // would ask to save what is already saved. A file that could not be
    // written keeps the log modified: its named file does not hold it.
    const bool bWasModified = m_pDoc->IsModified();
    m_pDoc->RequestSave();
    const bool bSaved = bNewName ? m_pDoc->SaveAs() : m_pDoc->Save();
    if (!bSaved && !bWasModified && m_pDoc->GetFileName().empty())
        m_pDoc->WithdrawSaveRequest();
    RedrawMainWindow(); // the caption shows the file name
}

void CLogApp::OnFileSave() { SaveOnRequest(false); }

void CLogApp::OnFileSaveAs() { SaveOnRequest(true); }

void CLogApp::OnDeleteCareer()
{
    if (!m_pDoc || !m_pDoc->GetPilot())
        return;
    CPilot& pilot = *m_pDoc->GetPilot();
    if (pilot.GetCareerCount() < 2) // the only career stays, without a word
        return;
    if (AfxMessageBox(kDeleteCareer, MB_YESNO) != IDYES)
        return;
    pilot.DeleteCareer(pilot.GetCurrentCareerIndex());
    RedrawMainWindow();
}

void CLogApp::OnPhotograph()
{
    if (!m_pDoc)
        return;
    CFileDialog dlg(true, "bmp", m_pDoc->GetPhoto(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kPhotoFilter);
    if (dlg.DoModal() != IDOK)
        return;
    // Only the name is kept here; the main window loads the picture.
    m_pDoc->SetPhoto(dlg.GetPathName());
    RedrawMainWindow();
}

void CLogApp::OnExamineDebrief()
{
    const CSettings settings;
    CFileDialog dlg(true, "stt", settings.ReadString("File", "Last_STT", "debrf.tmp"),
                    OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, kDebriefFilter);
    if (dlg.DoModal() != IDOK)
        return;
    const std::string strPath = dlg.GetPathName();
    {
        CDebrief debrief;
        if (debrief.Open(strPath)) {
            CDebriefViewDlg viewer;
            viewer.m_pDebrief = &debrief;
            viewer.DoModal();
        } else {
            AfxMessageBox("Could Not Open " + strPath, MB_OK | MB_ICONSTOP);
        }
    }
    // The next debrief dialog, this one's or "Log Mission...", starts here.
    settings.WriteString("File", "Last_STT", strPath);
}
