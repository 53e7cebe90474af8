// The operations of the log records that rest on the object catalogue.
#include "debrief/shape_names.h"
#include "debrief/shape_sets.h"
#include "debrief/side_names.h"
#include "log/career.h"
#include "log/kill.h"
#include "log/mission.h"

std::string CKill::Describe() const
{
    // "<hit time> <side> <target> (<weapon>)", or "(<n> <weapon>s)" for
    // several rounds; side 0 shows as the empty text.
    std::string strText = GetHit().Format("%H:%M:%S");
    strText += ' ';
    if (GetSide() != 0)
        strText += SideName(GetSide());
    strText += ' ';
    strText += ShapeName(GetTarget());
    strText += " (";
    if (GetNumFired() >= 2) {
        strText += std::to_string(GetNumFired());
        strText += ' ';
        strText += ShapeName(GetWeapon());
        strText += 's';
    } else {
        strText += ShapeName(GetWeapon());
    }
    strText += ')';
    return strText;
}

int CMission::CountKills(int nCategory) const
{
    int nCount = 0;
    for (int i = 0; i < GetKillCount(); ++i)
        if (GetKillCategory(*GetKill(i)) == nCategory)
            ++nCount;
    return nCount;
}

int CCareer::CountKills(int nCategory) const
{
    int nCount = 0;
    for (int i = 0; i < GetMissionCount(); ++i)
        nCount += GetMission(i)->CountKills(nCategory);
    return nCount;
}
