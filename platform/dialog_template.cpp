#include "platform/dialog_template.h"

const CControlTemplate* CDialogTemplate::FindControl(int nId) const
{
    for (const CControlTemplate& ctl : m_controls)
        if (ctl.m_nId == nId && nId != -1)
            return &ctl;
    return nullptr;
}

namespace {
const CMenuItem* FindIn(const std::vector<CMenuItem>& items, int nId)
{
    for (const CMenuItem& item : items) {
        if (item.m_nId == nId && nId != 0)
            return &item;
        if (const CMenuItem* pFound = FindIn(item.m_items, nId))
            return pFound;
    }
    return nullptr;
}
} // namespace

const CMenuItem* FindMenuItem(const CMenuTemplate& menu, int nId) { return FindIn(menu.m_items, nId); }
