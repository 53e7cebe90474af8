#include "platform/file_dialog.h"

#include <algorithm>
#include <iostream>

#include "platform/host.h"
#include "platform/message_box.h"

CFileDialog::CFileDialog(bool bOpenFileDialog, std::string strDefExt, std::string strFileName, unsigned nFlags,
                         std::string strFilter)
    : m_bOpen(bOpenFileDialog), m_strDefExt(std::move(strDefExt)), m_strFileName(std::move(strFileName)),
      m_nFlags(nFlags), m_strFilter(std::move(strFilter)), m_filters(ParseFilter(m_strFilter))
{
}

int CFileDialog::DoModal()
{
    if (CHost* pHost = GetHost())
        return pHost->RunFileDialog(*this) == IDOK ? IDOK : IDCANCEL;
    std::cerr << "No file can be chosen here; the " << (m_bOpen ? "open" : "save") << " dialog is cancelled.\n";
    return IDCANCEL;
}

int CFileDialog::GetValidFilterIndex() const
{
    int nCount = static_cast<int>(m_filters.size());
    return std::clamp(m_nFilterIndex, 1, std::max(nCount, 1));
}

std::string CFileDialog::AddDefaultExtension(const std::string& strPath) const
{
    if (m_strDefExt.empty() || strPath.empty())
        return strPath;
    std::size_t nNameStart = strPath.find_last_of("/\\");
    nNameStart = nNameStart == std::string::npos ? 0 : nNameStart + 1;
    if (strPath.find('.', nNameStart) != std::string::npos || nNameStart == strPath.size())
        return strPath;
    return strPath + "." + m_strDefExt;
}

std::vector<CFileFilter> CFileDialog::ParseFilter(const std::string& strFilter)
{
    std::vector<std::string> parts;
    std::size_t nStart = 0;
    while (nStart < strFilter.size()) {
        std::size_t nBar = strFilter.find('|', nStart);
        if (nBar == std::string::npos)
            nBar = strFilter.size();
        if (nBar == nStart) // "||" ends the filter
            break;
        parts.push_back(strFilter.substr(nStart, nBar - nStart));
        nStart = nBar + 1;
    }
    std::vector<CFileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back({parts[i], parts[i + 1]});
    return filters;
}
