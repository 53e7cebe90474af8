#include "res/dialog_templates.h"

#include <string>

#include "platform/host.h"
#include "res/resource_ids.h"

const CDialogTemplate* FindDialogTemplate(int nId)
{
    switch (nId) {
    case IDD_ABOUTBOX:
        return &GetAboutTemplate();
    case IDD_MISSION:
        return &GetMissionTemplate();
    case IDD_KILL:
        return &GetKillTemplate();
    case IDD_LOG_DIALOG:
        return &GetLogDlgTemplate();
    case IDD_PREFERENCES:
        return &GetPreferencesTemplate();
    case IDD_DEBRIEF_VIEW:
        return &GetDebriefViewTemplate();
    default:
        return nullptr;
    }
}

const CDialogTemplate& GetDialogTemplate(int nId)
{
    if (const CDialogTemplate* pTemplate = FindDialogTemplate(nId))
        return *pTemplate;
    std::string strProblem = "there is no dialog template " + std::to_string(nId);
    if (CHost* pHost = GetHost())
        pHost->ReportProgramError(strProblem);
    else
        ReportProgramErrorOnStderr(strProblem);
    static const CDialogTemplate empty{};
    return empty;
}
