#include "log/app_settings.h"

#include <algorithm>
#include <vector>

namespace {

// The live settings objects, oldest first; built on first use so that an
// application object made during static start-up finds it ready.
std::vector<CAppSettings*>& Registered()
{
    static std::vector<CAppSettings*> s_registered;
    return s_registered;
}

} // namespace

CAppSettings::CAppSettings()
{
    Registered().push_back(this);
}

CAppSettings::~CAppSettings()
{
    std::vector<CAppSettings*>& registered = Registered();
    const auto it = std::find(registered.rbegin(), registered.rend(), this);
    if (it != registered.rend())
        registered.erase(std::next(it).base());
}

CAppSettings& AfxGetAppSettings()
{
    std::vector<CAppSettings*>& registered = Registered();
    if (!registered.empty())
        return *registered.back();
    static CAppSettings s_fallback{CAppSettings::Unregistered{}};
    return s_fallback;
}
