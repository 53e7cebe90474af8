// Picks the host (real windows when a display can be opened, else the
// terminal) and runs start-up, which is the whole life of the program.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/log_app.h"
#include "platform/host.h"
#include "platform/terminal/terminal_host.h"
#include "platform/window_host_module.h"
#include "res/artwork.h"

namespace {

#ifdef SORTAVEL_WITH_WX
bool DisplayMayBeThere()
{
    auto set = [](const char* pszName) {
        const char* pszValue = std::getenv(pszName);
        return pszValue && *pszValue;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// Where the window host module may be: beside the program (the build tree),
// then where it is installed. Both from the program's own path, never from
// the current folder or a library search path.
std::vector<std::string> WindowHostModulePaths()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    const std::filesystem::path folder = program.parent_path();
    return {folder / SORTAVEL_MODULE_NAME, (folder / SORTAVEL_MODULE_DIR / SORTAVEL_MODULE_NAME).lexically_normal()};
}
#endif

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);

    // Declared before the host, so that it outlives it.
    std::optional<CWindowHostModule> windowModule;
    std::unique_ptr<CHost> pHost;
#ifdef SORTAVEL_WITH_WX
    // Without a display the toolkit is never loaded: a run that logs a
    // flight unattended carries none of its memory.
    if (DisplayMayBeThere()) {
        windowModule.emplace(WindowHostModulePaths());
        if (windowModule->IsLoaded())
            pHost = windowModule->CreateHost(argc, argv, GetBuiltInImages());
        else
            std::cerr << "Sortavel Manager cannot show windows: " << windowModule->GetError() << ".\n";
    }
#endif
    const bool bCanShowWindows = pHost != nullptr;
    if (!pHost)
        pHost = CreateTerminalHost();
    CHostScope hostScope(*pHost);

    CLogApp app(std::move(args), bCanShowWindows);
    app.InitInstance();
    return app.GetExitCode();
}
