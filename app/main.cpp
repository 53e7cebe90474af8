// Picks the host (real windows when a display can be opened, else the
// terminal) and runs start-up, which is the whole life of the program.
#include <memory>
#include <string>
#include <vector>

#include "app/log_app.h"
#include "platform/host.h"
#include "platform/terminal/terminal_host.h"
#include "res/artwork.h"
#ifdef SORTAVEL_WITH_WX
#include "platform/wx/window_host.h"
#endif

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);

    std::unique_ptr<CHost> pHost;
#ifdef SORTAVEL_WITH_WX
    pHost = CreateWindowHost(argc, argv, GetBuiltInImages());
#endif
    const bool bCanShowWindows = pHost != nullptr;
    if (!pHost)
        pHost = CreateTerminalHost();
    CHostScope hostScope(*pHost);

    CLogApp app(std::move(args), bCanShowWindows);
    app.InitInstance();
    return app.GetExitCode();
}
