#include "platform/host.h"

#include <iostream>

#include "platform/bitmap.h"
#include "platform/dialog.h"

namespace {
CHost* g_pHost = nullptr; // the one current host; installed by CHostScope
}

CHost* GetHost() { return g_pHost; }

CHostScope::CHostScope(CHost& host) : m_pPrevious(g_pHost) { g_pHost = &host; }

CHostScope::~CHostScope() { g_pHost = m_pPrevious; }

std::unique_ptr<CBitmap> CHost::LoadBitmapFile(const std::string& strPath, CSize size)
{
    if (!IsBitmapFile(strPath))
        return nullptr;
    return std::make_unique<CBitmap>(strPath, size);
}

CSize CHost::GetControlClientSize(const CDialog& dlg, int nId)
{
    const CControlState* pCtl = dlg.FindControl(nId);
    if (!pCtl)
        return {};
    return DialogUnitsToPixels({pCtl->m_pTemplate->cx, pCtl->m_pTemplate->cy});
}

int CHost::GetTextWidth(const CDialog&, int, const std::string& strText) { return PlainTextWidth(strText); }

std::vector<int> CHost::GetTextWidths(const CDialog& dlg, int nId, const std::vector<std::string>& texts)
{
    std::vector<int> widths;
    widths.reserve(texts.size());
    for (const std::string& strText : texts)
        widths.push_back(GetTextWidth(dlg, nId, strText));
    return widths;
}

void CHost::ReportProgramError(const std::string& strProblem) { ReportProgramErrorOnStderr(strProblem); }

CSize DialogUnitsToPixels(CSize sizeDU)
{
    // Base units of the 8-point dialog font: 6 pixels wide, 13 high.
    auto scale = [](int n, int num, int den) { return static_cast<int>(static_cast<long long>(n) * num / den); };
    return {scale(sizeDU.cx, 6, 4), scale(sizeDU.cy, 13, 8)};
}

int CountCharacters(const std::string& strText)
{
    int n = 0;
    for (unsigned char c : strText)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

int PlainTextWidth(const std::string& strText) { return 6 * CountCharacters(strText); }

void ReportProgramErrorOnStderr(const std::string& strProblem)
{
    std::cerr << "Program error: " << strProblem << '\n';
}
