#include "app/log_dlg.h"

#include <string_view>
#include <utility>
#include <vector>

#include "app/version.h"
#include "debrief/log_debrief.h"
#include "debrief/shape_sets.h"
#include "dialogs/mission_dlg.h"
#include "log/app_settings.h"
#include "log/log_doc.h"
#include "log/pilot.h"
#include "log/settings.h"
#include "platform/bitmap.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

using namespace LogDlgIds;

namespace {

constexpr std::int32_t kStatusDamaged = 1;
constexpr std::int32_t kStatusEjected = 2;
constexpr std::int32_t kStatusKia = 3;
constexpr std::int32_t kUndecided = 1; // the Result a logged mission starts with

constexpr const char* kSimulatorDebrief = "debrf.tmp";
constexpr const char* kDebriefFilter = "Debriefing Files (*.stt)|*.stt|All Files|*.*||";

CPilot* CurrentPilot()
{
    CLogDoc* pDoc = GetCurrentLogDoc();
    return pDoc ? pDoc->GetPilot() : nullptr;
}

CCareer* CurrentCareer()
{
    CPilot* pPilot = CurrentPilot();
    return pPilot ? pPilot->GetCurrentCareer() : nullptr;
}

// Mission Details on one mission of the log; it edits the mission in place.
int RunMissionDetails(CMission& mission)
{
    CMissionDlg dlg;
    dlg.m_pMission = &mission;
    return dlg.DoModal();
}

const char* DatePattern() { return AfxGetAppSettings().m_nDateFormat ? "%d/%m/%y:%H%M" : "%m/%d/%y:%H%M"; }

} // namespace

CLogDlg::CLogDlg() : CDialog(GetDialogTemplate(IDD_LOG_DIALOG)), m_hIcon(IDR_MAINFRAME) {}

CLogDlg::~CLogDlg() = default;

const CHandlerTable* CLogDlg::GetHandlers() const
{
    static const CHandlerMap<CLogDlg> map{
        {IDC_LOG_LAST, ENotify::Clicked, &CLogDlg::OnLogLast},
        {IDC_LOG_MISSION, ENotify::Clicked, &CLogDlg::OnLogMission},
        {IDC_ADD, ENotify::Clicked, &CLogDlg::OnAdd},
        {IDC_EDIT, ENotify::Clicked, &CLogDlg::OnEdit},
        {IDC_MISSION_LIST, ENotify::DoubleClicked, &CLogDlg::OnEdit},
        {IDC_DEL, ENotify::Clicked, &CLogDlg::OnDel},
        {IDC_CUT, ENotify::Clicked, &CLogDlg::OnCut},
        {IDC_PASTE, ENotify::Clicked, &CLogDlg::OnPaste},
        {IDC_MISSION_LIST, ENotify::SelChange, &CLogDlg::OnSelChangeMissions},
        {IDC_CAREER_SPIN, ENotify::DeltaPos, &CLogDlg::OnDeltaPosCareer},
        {IDC_NAME, ENotify::Changed, &CLogDlg::OnChangeName},
        {IDC_CALLSIGN, ENotify::Changed, &CLogDlg::OnChangeCallsign},
        {IDC_UNIT, ENotify::Changed, &CLogDlg::OnChangeUnit},
        {IDC_RANK, ENotify::Changed, &CLogDlg::OnChangeRank},
        {ID_APP_EXIT, ENotify::Clicked, &CLogDlg::OnExit},
        {ID_FILE_PRINT, ENotify::Clicked, &CLogDlg::OnPrint},
    };
    return &map;
}

int CLogDlg::DoModal()
{
    const int nResult = CDialog::DoModal();
    ReleaseWindowState();
    return nResult;
}

void CLogDlg::ReleaseWindowState()
{
    // A mission held by Cut was in no career: it goes with the window.
    m_pCutMission.reset();
    m_hPhoto = nullptr;
    m_strPhotoFile.clear();
}

bool CLogDlg::OnInitDialog()
{
    const bool bDefaultFocus = CDialog::OnInitDialog();
    SetIcon(m_hIcon);
    m_hPhoto = nullptr;
    m_strPhotoFile.clear();
    m_pCutMission.reset();
    UpdateDisplay();
    return bDefaultFocus;
}

// --- The display -------------------------------------------------------------

void CLogDlg::UpdateDisplay()
{
    if (!IsOpen())
        return;
    if (CLogDoc* pDoc = GetCurrentLogDoc()) {
        if (CPilot* pPilot = pDoc->GetPilot()) {
            SetDlgItemText(IDC_CALLSIGN, pPilot->GetCallsign());
            SetDlgItemText(IDC_NAME, pPilot->GetName());
            SetDlgItemText(IDC_RANK, pPilot->GetRank());
            SetDlgItemText(IDC_UNIT, pPilot->GetUnit());
            if (const CCareer* pCareer = pPilot->GetCurrentCareer())
                ShowCareer(*pCareer);
            ShowPhoto(*pPilot);
        }
        SetWindowText(pDoc->GetFileName().empty() ? "Untitled" : pDoc->GetFileName());
    } else {
        SetWindowText(kProgramName);
    }
    const bool bSimulatorSet = !AfxGetAppSettings().m_strVortaneDir.empty();
    EnableDlgItem(IDC_LOG_LAST, bSimulatorSet);
    EnableDlgItem(IDC_LOG_MISSION, bSimulatorSet);
    EnableDlgItem(IDC_PASTE, m_pCutMission != nullptr);
    EnableDlgItem(IDC_CUT, GetCurSel(IDC_MISSION_LIST) != LB_ERR);
}

void CLogDlg::ShowCareer(const CCareer& career)
{
    const CAppSettings& settings = AfxGetAppSettings();
    const CPilot* pPilot = CurrentPilot();
    const CTimeSpan tsFlown = settings.m_bAccumulatePilotTime && pPilot ? pPilot->TotalDuration()
                                                                        : career.TotalDuration();
    SetDlgItemText(IDC_FLIGHT_TIME, tsFlown.Format("%D-%H:%M:%S"));

    const std::pair<int, int> kills[] = {
        {IDC_KILLS_AIRCRAFT, KILL_AIRCRAFT},   {IDC_KILLS_SAMS, KILL_SAM},     {IDC_KILLS_SHIPS, KILL_SHIP},
        {IDC_KILLS_PRI_TARGETS, KILL_PRIMARY}, {IDC_KILLS_RADARS, KILL_RADAR}, {IDC_KILLS_VEHICLES, KILL_VEHICLE},
        {IDC_KILLS_OTHER, KILL_OTHER},
    };
    for (const auto& [nId, nCategory] : kills)
        SetDlgItemText(nId, std::to_string(career.CountKills(nCategory)));
    SetDlgItemText(IDC_PLANES_LOST, std::to_string(career.CountLost()));
    SetDlgItemText(IDC_MISSIONS_TOTAL, std::to_string(career.GetMissionCount()));
    SetDlgItemText(IDC_MISSIONS_SUCCESSFUL, std::to_string(career.CountSuccessful()));
    SetDlgItemText(IDC_MISSIONS_FAILED, std::to_string(career.CountFailed()));

    // Damaged counts as OK; an unknown status leaves the text as it was.
    const std::int32_t nStatus = career.LastMissionStatus();
    if (nStatus == 0 || nStatus == kStatusDamaged)
        SetDlgItemText(IDC_STATUS, "OK");
    else if (nStatus == kStatusEjected)
        SetDlgItemText(IDC_STATUS, "Ejected");
    else if (nStatus == kStatusKia)
        SetDlgItemText(IDC_STATUS, "KIA");

    // The whole list in one change, so that a long career fills at once.
    const int nSelected = GetCurSel(IDC_MISSION_LIST);
    const int nTop = GetTopIndex(IDC_MISSION_LIST);
    std::vector<std::string> titles;
    titles.reserve(static_cast<std::size_t>(career.GetMissionCount()));
    CTime earliest;
    CTime latest;
    for (int i = 0; i < career.GetMissionCount(); ++i) {
        const CMission& mission = *career.GetMission(i);
        titles.push_back(mission.GetTitle());
        const CTime flown = mission.GetFlown();
        if (i == 0 || flown.GetTime() < earliest.GetTime())
            earliest = flown;
        if (i == 0 || flown.GetTime() > latest.GetTime())
            latest = flown;
    }
    SetItems(IDC_MISSION_LIST, titles);

    // A career without missions runs from the day it was started.
    const char* pszPattern = DatePattern();
    const std::string strStart = titles.empty() ? career.GetStarted().Format(pszPattern) : earliest.Format(pszPattern);
    const std::string strEnd = nStatus == kStatusKia ? latest.Format(pszPattern) : "Present";
    SetDlgItemText(IDC_CAREER_RANGE, strStart + " - " + strEnd);

    SetTopIndex(IDC_MISSION_LIST, nTop);
    if (nSelected != LB_ERR)
        SetCurSel(IDC_MISSION_LIST, nSelected); // by index; none when past the end
    else
        SetCurSel(IDC_MISSION_LIST, static_cast<int>(titles.size()) - 1);
}

void CLogDlg::ShowPhoto(const CPilot& pilot)
{
    const std::string& strPhoto = pilot.GetPhoto();
    if (strPhoto.empty()) {
        // Until a photograph was shown, the template's picture stays.
        if (m_hPhoto) {
            SetPictureBitmap(IDC_PHOTO, nullptr);
            m_hPhoto = nullptr;
        }
        return;
    }
    // File names differ by letter case here: only the same name keeps the picture.
    if (m_hPhoto && m_strPhotoFile == strPhoto)
        return;
    std::unique_ptr<CBitmap> pBitmap = LoadBitmapFile(strPhoto, GetClientSize(IDC_PHOTO));
    // A file that cannot be read leaves the picture empty; nothing is held,
    // so the next update tries again.
    m_hPhoto = pBitmap.get();
    m_strPhotoFile = pBitmap ? strPhoto : std::string();
    SetPictureBitmap(IDC_PHOTO, std::move(pBitmap));
}

// --- Commands ----------------------------------------------------------------

void CLogDlg::OnLogLast()
{
    const std::string strPath = AfxGetAppSettings().m_strVortaneDir + "/" + kSimulatorDebrief;
    if (LogDebrief(strPath, kUndecided) == 1)
        ShowNewMission();
}

void CLogDlg::OnLogMission()
{
    const CSettings settings;
    const std::string strLast = settings.ReadString("File", "Last_STT", kSimulatorDebrief);
    CFileDialog dlg(true, "stt", strLast, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, kDebriefFilter);
    if (dlg.DoModal() != IDOK)
        return;
    const std::string strPath = dlg.GetPathName();
    if (LogDebrief(strPath, kUndecided) != 1)
        return; // the previous file is offered again next time
    ShowNewMission();
    settings.WriteString("File", "Last_STT", strPath);
}

void CLogDlg::ShowNewMission()
{
    UpdateDisplay();
    if (const CCareer* pCareer = CurrentCareer())
        SetCurSel(IDC_MISSION_LIST, pCareer->GetMissionCount() - 1);
    EnableDlgItem(IDC_CUT, GetCurSel(IDC_MISSION_LIST) != LB_ERR);
}

void CLogDlg::OnAdd()
{
    CPilot* pPilot = CurrentPilot();
    if (!pPilot)
        return;
    // The status is that of the pilot's last career, whichever one is shown.
    bool bNewCareer = false;
    if (pPilot->GetCareerCount() == 0) {
        pPilot->AddCareer();
        bNewCareer = true;
    } else if (pPilot->LastMissionStatus() == kStatusKia) {
        const int nAnswer = AfxMessageBox("This Pilot is dead.  Would you like to start a new career?", MB_YESNOCANCEL);
        if (nAnswer == IDCANCEL)
            return;
        if (nAnswer == IDYES) {
            pPilot->AddCareer();
            bNewCareer = true;
        }
    }
    CCareer* pCareer = pPilot->GetCurrentCareer();
    if (!pCareer)
        return;
    CMission& mission = *pCareer->AddMission();
    if (RunMissionDetails(mission) == IDOK) {
        ShowNewMission();
        return;
    }
    pCareer->RemoveMission(pCareer->GetMissionCount() - 1);
    // A career started for the mission stays, and is the one the commands
    // now act on: the window must show it.
    if (bNewCareer)
        UpdateDisplay();
}

void CLogDlg::OnEdit()
{
    CCareer* pCareer = CurrentCareer();
    const int nSelected = GetCurSel(IDC_MISSION_LIST);
    CMission* pMission = pCareer && nSelected != LB_ERR ? pCareer->GetMission(nSelected) : nullptr;
    if (!pMission)
        return;
    RunMissionDetails(*pMission); // however it was closed, the mission may have changed
    UpdateDisplay();
}

void CLogDlg::OnDel()
{
    CCareer* pCareer = CurrentCareer();
    const int nSelected = GetCurSel(IDC_MISSION_LIST);
    if (!pCareer || nSelected == LB_ERR)
        return;
    pCareer->RemoveMission(nSelected);
    UpdateDisplay();
}

void CLogDlg::OnCut()
{
    m_pCutMission.reset(); // one mission is held at most: a second Cut drops the first
    if (CCareer* pCareer = CurrentCareer())
        m_pCutMission = pCareer->TakeMission(GetCurSel(IDC_MISSION_LIST));
    UpdateDisplay();
}

void CLogDlg::OnPaste()
{
    CCareer* pCareer = CurrentCareer();
    if (!pCareer || !m_pCutMission)
        return;
    // Before the selected row, or at the end when none is selected.
    pCareer->InsertMission(std::move(m_pCutMission), GetCurSel(IDC_MISSION_LIST));
    UpdateDisplay();
}

void CLogDlg::OnSelChangeMissions() { EnableDlgItem(IDC_CUT, GetCurSel(IDC_MISSION_LIST) != LB_ERR); }

void CLogDlg::OnDeltaPosCareer(int nStep)
{
    if (CPilot* pPilot = CurrentPilot(); pPilot && nStep != 0)
        pPilot->SetCurrentCareer(pPilot->GetCurrentCareerIndex() + (nStep > 0 ? 1 : -1)); // clamped
    UpdateDisplay();
}

void CLogDlg::TakeIdentityEdit(int nId, void (CPilot::*pfnSet)(std::string_view))
{
    // Texts put there by UpdateDisplay are not the user's, even with the
    // cursor in the edit.
    CPilot* pPilot = CurrentPilot();
    if (pPilot && HasFocus(nId) && IsUserEdit())
        (pPilot->*pfnSet)(GetDlgItemText(nId));
}

void CLogDlg::OnChangeName() { TakeIdentityEdit(IDC_NAME, &CPilot::SetName); }
void CLogDlg::OnChangeCallsign() { TakeIdentityEdit(IDC_CALLSIGN, &CPilot::SetCallsign); }
void CLogDlg::OnChangeUnit() { TakeIdentityEdit(IDC_UNIT, &CPilot::SetUnit); }
void CLogDlg::OnChangeRank() { TakeIdentityEdit(IDC_RANK, &CPilot::SetRank); }

void CLogDlg::OnExit()
{
    CLogDoc* pDoc = GetCurrentLogDoc();
    if (pDoc && pDoc->IsModified()) {
        const int nAnswer = AfxMessageBox("Save changes to the current log?", MB_YESNOCANCEL);
        if (nAnswer == IDCANCEL)
            return;
        // A save that did not happen (cancelled, or the file could not be
        // written) keeps the window open with the changes; the save has
        // told the user why.
        if (nAnswer == IDYES && !pDoc->Save())
            return;
    }
    EndDialog(IDOK);
}

void CLogDlg::OnOK() {}

void CLogDlg::OnCancel() { OnExit(); }
