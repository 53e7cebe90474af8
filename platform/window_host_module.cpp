#include "platform/window_host_module.h"

#include <dlfcn.h>

#include <filesystem>

CWindowHostModule::CWindowHostModule(const std::vector<std::string>& paths)
{
    std::string strTried;
    for (const std::string& strPath : paths) {
        std::error_code error;
        if (!std::filesystem::exists(strPath, error)) {
            strTried += (strTried.empty() ? "" : ", ") + strPath;
            continue;
        }
        // Every symbol bound now, so that a module of another build fails
        // here and not halfway through a window.
        m_pHandle = dlopen(strPath.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (!m_pHandle) {
            const char* pszWhy = dlerror();
            m_strError = "its window module could not be loaded: " + std::string(pszWhy ? pszWhy : strPath);
            return;
        }
        m_pEntry = reinterpret_cast<WindowHostEntry>(dlsym(m_pHandle, kWindowHostEntryName));
        if (!m_pEntry)
            m_strError = "its window module " + strPath + " is of another version";
        return;
    }
    m_strError = "its window module is missing (looked for " + (strTried.empty() ? "nothing" : strTried) + ")";
}

CWindowHostModule::~CWindowHostModule()
{
    if (m_pHandle)
        dlclose(m_pHandle);
}

std::unique_ptr<CHost> CWindowHostModule::CreateHost(int& argc, char** argv, const CBuiltInImages& images) const
{
    return std::unique_ptr<CHost>(m_pEntry ? m_pEntry(&argc, argv, &images) : nullptr);
}
