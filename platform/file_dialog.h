#pragma once
// The common file dialog, open and save flavours, run through the current
// host. The filter text is "Name|pattern|Name|pattern||"; a pattern may hold
// several patterns separated by ';'.
#include <string>
#include <utility>
#include <vector>

inline constexpr unsigned OFN_READONLY = 0x0001, OFN_OVERWRITEPROMPT = 0x0002, OFN_HIDEREADONLY = 0x0004,
                          OFN_PATHMUSTEXIST = 0x0800, OFN_FILEMUSTEXIST = 0x1000, OFN_CREATEPROMPT = 0x2000,
                          OFN_NOREADONLYRETURN = 0x8000;

struct CFileFilter {
    std::string m_strName;
    std::string m_strPattern;
    friend bool operator==(const CFileFilter&, const CFileFilter&) = default;
};

class CFileDialog {
public:
    CFileDialog(bool bOpenFileDialog, std::string strDefExt, std::string strFileName, unsigned nFlags,
                std::string strFilter);

    int DoModal(); // IDOK or IDCANCEL
    std::string GetPathName() const { return m_strPathName; } // the chosen full path after IDOK
    int GetFilterIndex() const { return m_nFilterIndex; }     // 1-based; in before DoModal, out after
    void SetFilterIndex(int nIndex) { m_nFilterIndex = nIndex; }

    // For hosts.
    bool IsOpenDialog() const { return m_bOpen; }
    const std::string& GetDefExt() const { return m_strDefExt; }   // without the dot; may be empty
    const std::string& GetFileName() const { return m_strFileName; } // initial name
    unsigned GetFlags() const { return m_nFlags; }
    const std::string& GetFilter() const { return m_strFilter; }
    const std::vector<CFileFilter>& GetFilters() const { return m_filters; }
    // The filter index limited to the filters there are (1 when none).
    int GetValidFilterIndex() const;
    void SetPathName(std::string strPath) { m_strPathName = std::move(strPath); }
    // The path with ".ext" of the default extension added when its file name
    // has no extension (and there is a default extension).
    std::string AddDefaultExtension(const std::string& strPath) const;

    // "A|*.a|B|*.b||" -> {A,*.a},{B,*.b}; a name without a pattern is dropped.
    static std::vector<CFileFilter> ParseFilter(const std::string& strFilter);

private:
    bool m_bOpen;
    std::string m_strDefExt;
    std::string m_strFileName;
    unsigned m_nFlags;
    std::string m_strFilter;
    std::vector<CFileFilter> m_filters;
    std::string m_strPathName;
    int m_nFilterIndex = 1;
};
