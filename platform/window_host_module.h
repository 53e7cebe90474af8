#pragma once
// The window host as a module loaded at run time, so that a run without a
// display never maps the toolkit's libraries. The module exports one entry
// point; the program resolves every other symbol it uses (the platform).
#include <memory>
#include <string>
#include <vector>

#include "platform/built_in_images.h"
#include "platform/host.h"

// The module's entry point: the window host, or nullptr when no display can
// be opened. The caller owns the host. The name carries the interface's
// version, so a module of another build is refused rather than misused.
using WindowHostEntry = CHost* (*)(int* pArgc, char** argv, const CBuiltInImages* pImages);
inline constexpr const char kWindowHostEntryName[] = "SortavelCreateWindowHost_v1";

class CWindowHostModule {
public:
    // Loads the module from the first of the paths that exists. Only those
    // full paths are tried, never a search of the library path.
    explicit CWindowHostModule(const std::vector<std::string>& paths);
    // The module stays mapped after this (it is opened not to be unloaded):
    // the toolkit leaves exit handlers and registered types behind.
    ~CWindowHostModule();
    CWindowHostModule(const CWindowHostModule&) = delete;
    CWindowHostModule& operator=(const CWindowHostModule&) = delete;

    bool IsLoaded() const { return m_pEntry != nullptr; }
    // Why it is not loaded, for the user.
    const std::string& GetError() const { return m_strError; }

    // The window host; nullptr when the module is not loaded or no display
    // can be opened.
    std::unique_ptr<CHost> CreateHost(int& argc, char** argv, const CBuiltInImages& images) const;

private:
    void* m_pHandle = nullptr;
    WindowHostEntry m_pEntry = nullptr;
    std::string m_strError;
};
