#include "platform/control_name.h"

namespace {

// Kinds that show their own text.
bool ShowsOwnText(EControlKind eKind)
{
    switch (eKind) {
    case EControlKind::Static:
    case EControlKind::GroupBox:
    case EControlKind::PushButton:
    case EControlKind::CheckBox:
    case EControlKind::RadioButton:
        return true;
    default:
        return false;
    }
}

} // namespace

std::string StripMnemonics(const std::string& strText)
{
    std::string strName;
    strName.reserve(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] == '&' && i + 1 < strText.size())
            ++i; // "&x" is x, "&&" is "&"
        else if (strText[i] == '&')
            continue;
        strName += strText[i];
    }
    return strName;
}

std::string GetControlName(const std::vector<std::unique_ptr<CControlState>>& controls, std::size_t nIndex)
{
    if (nIndex >= controls.size())
        return {};
    const CControlState& ctl = *controls[nIndex];
    const EControlKind eKind = ctl.GetKind();
    if (ShowsOwnText(eKind))
        return StripMnemonics(ctl.m_strText);
    // A table that no label names carries its name in the template.
    if (eKind == EControlKind::ReportList && !ctl.m_strText.empty())
        return ctl.m_strText;
    if (eKind == EControlKind::Picture || eKind == EControlKind::EtchedFrame || nIndex == 0)
        return {};
    // Only a label right before it names the control; another control
    // there means it has no label of its own.
    const CControlState& previous = *controls[nIndex - 1];
    if (previous.GetKind() == EControlKind::Static || previous.GetKind() == EControlKind::GroupBox)
        return StripMnemonics(previous.m_strText);
    return {};
}

std::pair<std::string, std::string> GetUpDownNames(const CControlTemplate& tmpl)
{
    const std::size_t nBreak = tmpl.m_strText.find('\n');
    if (nBreak == std::string::npos || nBreak == 0 || nBreak + 1 >= tmpl.m_strText.size())
        return {"Up", "Down"};
    return {tmpl.m_strText.substr(0, nBreak), tmpl.m_strText.substr(nBreak + 1)};
}
