#include "platform/template_check.h"

#include <set>

#include "platform/cmd_target.h"
#include "platform/control_state.h"
#include "platform/message_box.h"

namespace {

// Height of a closed drop-down list; the template's height includes the list.
constexpr int kClosedDropDownHeight = 12;

std::string Name(const CControlTemplate& ctl)
{
    return ctl.m_nId == -1 ? "\"" + ctl.m_strText + "\"" : std::to_string(ctl.m_nId);
}

void CheckControls(const CDialogTemplate& tmpl, std::vector<std::string>& problems)
{
    std::set<int> ids;
    int nDefaults = 0;
    const CControlTemplate* pPrevious = nullptr;
    for (const CControlTemplate& ctl : tmpl.m_controls) {
        if (ctl.m_nId != -1 && !ids.insert(ctl.m_nId).second)
            problems.push_back("the template holds control " + std::to_string(ctl.m_nId) + " twice");
        const int cy = ctl.m_eKind == EControlKind::DropDownList && ctl.cy > kClosedDropDownHeight
                           ? kClosedDropDownHeight
                           : ctl.cy;
        if (ctl.x < 0 || ctl.y < 0 || ctl.cx <= 0 || cy <= 0 || ctl.x + ctl.cx > tmpl.cx || ctl.y + cy > tmpl.cy)
            problems.push_back("control " + Name(ctl) + " lies outside the dialog");
        if (ctl.m_nStyle & BS_DEFPUSHBUTTON) {
            if (ctl.m_eKind != EControlKind::PushButton)
                problems.push_back("control " + Name(ctl) + " is marked default but is no push button");
            else if (++nDefaults == 2)
                problems.push_back("the template has more than one default button");
        }
        const bool bFollowsRadio = pPrevious && pPrevious->m_eKind == EControlKind::RadioButton;
        if (ctl.m_eKind == EControlKind::RadioButton && !bFollowsRadio && !(ctl.m_nStyle & WS_GROUP))
            problems.push_back("radio button " + Name(ctl) + " starts a group without the group mark");
        pPrevious = &ctl;
    }
}

bool HandlerFits(ENotify eNotify, const CControlState& ctl, bool bMenu)
{
    switch (eNotify) {
    case ENotify::Clicked:
        return ctl.IsButton() || ctl.GetKind() == EControlKind::ReportList;
    case ENotify::Changed:
        return ctl.GetKind() == EControlKind::Edit;
    case ENotify::SelChange:
        return ctl.IsList();
    case ENotify::DoubleClicked:
        return ctl.GetKind() == EControlKind::ListBox || ctl.GetKind() == EControlKind::ReportList;
    case ENotify::DeltaPos:
        return ctl.GetKind() == EControlKind::UpDown;
    case ENotify::UpdateCommand:
        return ctl.GetKind() == EControlKind::PushButton || bMenu;
    }
    return false;
}

void CheckHandlers(const CDialogTemplate& tmpl, const CHandlerTable& handlers, std::vector<std::string>& problems)
{
    for (const CHandlerKey& key : handlers.GetKeys()) {
        const std::string strWhat = std::string("the '") + GetNotifyName(key.m_eNotify) + "' handler of " +
                                    std::to_string(key.m_nId);
        if (key.m_bTakesStep != (key.m_eNotify == ENotify::DeltaPos) ||
            key.m_bAnswersBool != (key.m_eNotify == ENotify::UpdateCommand)) {
            problems.push_back(strWhat + " has the wrong kind of member function");
            continue;
        }
        const bool bMenu = tmpl.m_pMenu && FindMenuItem(*tmpl.m_pMenu, key.m_nId);
        const CControlTemplate* pTmpl = tmpl.FindControl(key.m_nId);
        if (!pTmpl) {
            const bool bCommand = key.m_eNotify == ENotify::Clicked || key.m_eNotify == ENotify::UpdateCommand;
            if (!(bCommand && (bMenu || key.m_nId == IDOK || key.m_nId == IDCANCEL)))
                problems.push_back(strWhat + " is bound to a control the template lacks");
            continue;
        }
        CControlState probe;
        probe.m_pTemplate = pTmpl;
        if (!HandlerFits(key.m_eNotify, probe, bMenu))
            problems.push_back(strWhat + " does not fit the kind of that control");
    }
}

} // namespace

std::vector<std::string> FindTemplateProblems(const CDialogTemplate& tmpl, const CHandlerTable* pHandlers)
{
    std::vector<std::string> problems;
    CheckControls(tmpl, problems);
    if (pHandlers)
        CheckHandlers(tmpl, *pHandlers, problems);
    return problems;
}
