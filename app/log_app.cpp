#include "app/log_app.h"

#include <iostream>
#include <memory>

#include "app/command_line_info.h"
#include "app/log_dlg.h"
#include "debrief/log_debrief.h"
#include "debrief/mission_review.h"
#include "dialogs/about_dlg.h"
#include "dialogs/mission_dlg.h"
#include "dialogs/prefs_dlg.h"
#include "log/log_doc.h"
#include "log/settings.h"
#include "res/resource_ids.h"

namespace {
constexpr const char* kPreferences = "Preferences";
constexpr const char* kSimulatorDebrief = "debrf.tmp";

// A mission just logged from a debrief opens in the Mission Details dialog;
// the dialog edits it in place, so its result does not matter.
void ShowNewMission(CMission& mission)
{
    CMissionDlg dlg;
    dlg.m_pMission = &mission;
    dlg.DoModal();
}
} // namespace

CLogApp::CLogApp(std::vector<std::string> args, bool bCanShowWindows)
    : m_args(std::move(args)), m_bCanShowWindows(bCanShowWindows)
{
}

CLogApp::~CLogApp()
{
    if (m_pDoc && GetCurrentLogDoc() == m_pDoc.get())
        SetCurrentLogDoc(nullptr);
}

const CHandlerTable* CLogApp::GetHandlers() const
{
    static const CHandlerMap<CLogApp> map{
        {ID_FILE_NEW, ENotify::Clicked, &CLogApp::OnFileNew},
        {ID_FILE_OPEN, ENotify::Clicked, &CLogApp::OnFileOpen},
        {ID_FILE_REVERT, ENotify::Clicked, &CLogApp::OnFileRevert},
        {ID_FILE_REVERT, ENotify::UpdateCommand, &CLogApp::OnUpdateFileRevert},
        {ID_FILE_SAVE, ENotify::Clicked, &CLogApp::OnFileSave},
        {ID_FILE_SAVE_AS, ENotify::Clicked, &CLogApp::OnFileSaveAs},
        {ID_DELETE_CAREER, ENotify::Clicked, &CLogApp::OnDeleteCareer},
        {ID_PHOTOGRAPH, ENotify::Clicked, &CLogApp::OnPhotograph},
        {ID_PREFERENCES, ENotify::Clicked, &CLogApp::OnPreferences},
        {ID_EXAMINE_DEBRIEF, ENotify::Clicked, &CLogApp::OnExamineDebrief},
        {ID_APP_ABOUT, ENotify::Clicked, &CLogApp::OnAppAbout},
    };
    return &map;
}

bool CLogApp::InitInstance()
{
    m_nExitCode = kExitOk;
    CLogCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo, m_args);

    if (!m_bCanShowWindows && !cmdInfo.m_bHide) {
        std::cerr << "Sortavel Manager needs a display to show its window.\n"
                     "Use /HIDE to log a mission without one, e.g. /LAST /HIDE.\n";
        m_nExitCode = kExitNoDisplay;
        return false;
    }

    const CMissionReviewScope review(ShowNewMission);
    m_pDoc = std::make_unique<CLogDoc>();
    SetCurrentLogDoc(m_pDoc.get());

    std::string strLog = cmdInfo.m_strLogFile;
    if (strLog.empty())
        strLog = CSettings().ReadString("File", "Last_File", "");
    if (!strLog.empty())
        m_pDoc->Open(strLog);

    ReadPreferences();
    RunFirstTimeSetUp();

    if (cmdInfo.m_bHide)
        m_bShowMission = 0; // for this run only

    // Several debriefs are logged in turn, each into the same log, so that
    // one save keeps them all.
    const std::vector<std::string> debriefs = cmdInfo.m_bLast
                                                  ? std::vector<std::string>{m_strVortaneDir + "/" + kSimulatorDebrief}
                                                  : cmdInfo.GetMissionFiles();
    bool bAllLogged = true;
    for (const std::string& strPath : debriefs)
        if (LogDebrief(strPath, cmdInfo.m_nResult) == 0)
            bAllLogged = false;

    // The main window: shown until the user exits, or with HIDE only made
    // while the log is saved unattended.
    auto pLogDlg = std::make_unique<CLogDlg>();
    pLogDlg->SetNextCommandTarget(this);
    m_pLogDlg = pLogDlg.get();
    if (cmdInfo.m_bHide) {
        const bool bSaved = m_pDoc->Save();
        if (!bSaved || !bAllLogged)
            m_nExitCode = kExitNotLogged;
    } else {
        pLogDlg->DoModal();
    }

    m_pLogDlg = nullptr;
    pLogDlg.reset();
    SetCurrentLogDoc(nullptr);
    m_pDoc.reset();
    return false;
}

void CLogApp::ReadPreferences()
{
    const CSettings settings;
    m_bAccumulatePilotTime = settings.ReadInt(kPreferences, "Accumulate_Pilot_Time", 1);
    m_tsEjectionMin = settings.ReadSpan(kPreferences, "Ejection_Min", CTimeSpan(3));
    m_bShowMission = settings.ReadInt(kPreferences, "Show_Mission", 1);
    m_bIgnoreGndKills = settings.ReadInt(kPreferences, "Ignore_Gnd_Kills", 1);
    m_bRejectUnkKills = settings.ReadInt(kPreferences, "Reject_Unk_Kills", 0);
    m_bLogEvents = settings.ReadInt(kPreferences, "Log_Events", 1);
    m_nDateFormat = settings.ReadInt(kPreferences, "Date_Format", 1);
    m_strVortaneDir = settings.ReadString(kPreferences, "Vortane_Dir", "");
}

void CLogApp::RunFirstTimeSetUp()
{
    if (CSettings().ReadInt(kPreferences, "Init", 0) != 0)
        return;
    // Without windows the dialogs cannot be shown: they wait for a run that
    // has a display.
    if (!m_bCanShowWindows)
        return;
    OnAppAbout();
    OnPreferences();
    CSettings().WriteInt(kPreferences, "Init", 1);
}

void CLogApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

void CLogApp::OnPreferences()
{
    CPrefsDlg dlg;
    dlg.m_nDateFormat = m_nDateFormat;
    dlg.m_bAccumulatePilotTime = m_bAccumulatePilotTime;
    dlg.m_strVortaneDir = m_strVortaneDir;
    dlg.m_bIgnoreGndKills = m_bIgnoreGndKills;
    dlg.m_bLogEvents = m_bLogEvents;
    dlg.m_bRejectUnkKills = m_bRejectUnkKills;
    if (dlg.DoModal() != IDOK)
        return;

    m_nDateFormat = dlg.m_nDateFormat;
    m_bAccumulatePilotTime = dlg.m_bAccumulatePilotTime;
    m_strVortaneDir = dlg.m_strVortaneDir;
    m_bIgnoreGndKills = dlg.m_bIgnoreGndKills;
    m_bLogEvents = dlg.m_bLogEvents;
    m_bRejectUnkKills = dlg.m_bRejectUnkKills;

    const CSettings settings;
    settings.WriteInt(kPreferences, "Accumulate_Pilot_Time", m_bAccumulatePilotTime);
    settings.WriteInt(kPreferences, "Ignore_Gnd_Kills", m_bIgnoreGndKills);
    settings.WriteInt(kPreferences, "Reject_Unk_Kills", m_bRejectUnkKills);
    settings.WriteInt(kPreferences, "Log_Events", m_bLogEvents);
    settings.WriteString(kPreferences, "Vortane_Dir", m_strVortaneDir); // empty removes the key
    settings.WriteInt(kPreferences, "Date_Format", m_nDateFormat);
    // The main window's flight time, date order and logging buttons depend
    // on these (on the first run it does not exist yet).
    if (m_pLogDlg)
        m_pLogDlg->UpdateDisplay();
}
