#include "log/log_doc.h"

#include "log/log_file.h"
#include "log/settings.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/wait_cursor.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

constexpr const char* kFileSection = "File";
constexpr const char* kLastFile = "Last_File";
constexpr const char* kLastFilter = "Last_Filter";
constexpr const char* kDefaultFile = "pilot.log";
constexpr const char* kFilter = "Log Files|*.log|All Files|*.*||";
constexpr unsigned kDialogFlags =
    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_NOREADONLYRETURN;

CLogDoc* g_pCurrentLogDoc = nullptr; // owned by the application object

constexpr const char* kChangedElsewhere = " has been changed by another program since it was read here. "
                                          "Save over those changes?";

bool FileIsMissing(const std::string& strPath)
{
    struct stat info;
    return stat(strPath.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

} // namespace

CLogDoc* GetCurrentLogDoc() { return g_pCurrentLogDoc; }

void SetCurrentLogDoc(CLogDoc* pDoc) { g_pCurrentLogDoc = pDoc; }

CLogDoc::CLogDoc() : m_pPilot(std::make_unique<CPilot>()) {}

CLogDoc::~CLogDoc()
{
    if (g_pCurrentLogDoc == this)
        g_pCurrentLogDoc = nullptr;
}

bool CLogDoc::IsModified() const
{
    return m_bSaveRequested != 0 || m_pPilot->IsModified();
}

std::string CLogDoc::GetPhoto() const
{
    return m_pPilot ? m_pPilot->GetPhoto() : std::string();
}

void CLogDoc::SetPhoto(std::string_view strPath)
{
    if (m_pPilot)
        m_pPilot->SetPhoto(strPath);
}

std::optional<std::string> CLogDoc::RunFileDialog(bool bForOpening) const
{
    const CSettings settings;
    const std::string strProposed = !m_strFileName.empty()
                                        ? m_strFileName
                                        : settings.ReadString(kFileSection, kLastFile, kDefaultFile);
    CFileDialog dlg(bForOpening, "log", strProposed, kDialogFlags, kFilter);
    dlg.SetFilterIndex(settings.ReadInt(kFileSection, kLastFilter, 1));
    if (dlg.DoModal() != IDOK)
        return std::nullopt;
    std::string strPath = dlg.GetPathName();
    if (strPath.empty())
        return std::nullopt;
    settings.WriteInt(kFileSection, kLastFilter, dlg.GetFilterIndex());
    settings.WriteString(kFileSection, kLastFile, strPath);
    return strPath;
}

bool CLogDoc::ChooseFile(bool bForOpening)
{
    std::optional<std::string> strPath = RunFileDialog(bForOpening);
    if (!strPath)
        return false;
    m_strFileName = std::move(*strPath);
    return true;
}

bool CLogDoc::Open(std::optional<std::string> strPath)
{
    if (!strPath || strPath->empty())
        strPath = RunFileDialog(true);
    if (!strPath)
        strPath = m_strFileName;
    if (strPath->empty())
        return false;
    return ReadFrom(*strPath);
}

std::optional<CLogDoc::CFileStamp> CLogDoc::StampOf(const std::string& strPath)
{
    struct stat info;
    if (stat(strPath.c_str(), &info) != 0)
        return std::nullopt;
    return CFileStamp{info.st_dev, info.st_ino, static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec,
                      info.st_mtim.tv_nsec};
}

// Another run of the program (an unattended one logging the last flight,
// say) may have saved the log since this one read it: saving over it
// unasked would drop that run's missions.
bool CLogDoc::MayReplaceFile() const
{
    if (m_strStampedFile.empty() || m_strStampedFile != m_strFileName)
        return true; // a name just chosen: the save dialog asked already
    const std::optional<CFileStamp> now = StampOf(m_strFileName);
    if (!now || now == m_stamp)
        return true; // gone, or as it was
    return AfxMessageBox("The log " + m_strFileName + kChangedElsewhere, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

// Loads into a new record tree that replaces the current one only when the
// whole file was read.
bool CLogDoc::ReadFrom(const std::string& strPath)
{
    auto pPilot = std::make_unique<CPilot>();
    // Taken before reading: a change made meanwhile is then seen as one.
    const std::optional<CFileStamp> stamp = StampOf(strPath);
    if (!FileIsMissing(strPath)) {
        std::optional<std::string> strFailure;
        {
            CWaitCursor wait;
            CLogFile file(strPath);
            const bool bLoaded = pPilot->Load(file);
            // Some other file named by mistake: refused, so that a save
            // never replaces it with a log.
            const bool bForeign = file.IsForeign();
            if (!file.Close())
                strFailure = file.GetErrorText();
            else if (!bLoaded)
                strFailure = "the file is damaged";
            else if (bForeign)
                strFailure = "the file is not a pilot log";
        }
        if (strFailure) {
            AfxMessageBox("Could not read the log " + strPath + ": " + *strFailure,
                          MB_OK | MB_ICONSTOP);
            return false;
        }
    }
    m_pPilot = std::move(pPilot);
    m_strFileName = strPath;
    m_bSaveRequested = 0;
    m_stamp = stamp;
    m_strStampedFile = strPath;
    return true;
}

bool CLogDoc::Save()
{
    if (!IsModified())
        return true;
    if (m_strFileName.empty() && !ChooseFile(false))
        return false;
    if (!MayReplaceFile())
        return false;
    std::optional<std::string> strFailure;
    {
        CWaitCursor wait;
        CLogFile file(m_strFileName);
        m_pPilot->Save(file);
        if (!file.Close())
            strFailure = file.GetErrorText();
    }
    if (strFailure) {
        // Saving cleared the records' modified flags; the save-requested
        // flag keeps the log modified, so the changes are not lost unasked.
        m_bSaveRequested = 1;
        AfxMessageBox("Could not save the log to " + m_strFileName + ": " + *strFailure,
                      MB_OK | MB_ICONSTOP);
        return false;
    }
    m_bSaveRequested = 0;
    m_stamp = StampOf(m_strFileName);
    m_strStampedFile = m_strFileName;
    return true;
}

bool CLogDoc::SaveAs()
{
    if (!IsModified())
        return false;
    m_strFileName.clear();
    return Save();
}
