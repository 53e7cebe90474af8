// The entry point of the window host module (the program loads it with
// dlopen); not part of the static library the tests link.
#include <string_view>
#include <type_traits>

#include "platform/window_host_module.h"
#include "platform/wx/window_host.h"

extern "C" __attribute__((visibility("default"))) CHost* SortavelCreateWindowHost_v1(int* pArgc, char** argv,
                                                                                     const CBuiltInImages* pImages)
{
    return CreateWindowHost(*pArgc, argv, *pImages).release();
}

// The loader looks the entry up by this name and calls it with this type.
static_assert(std::string_view(kWindowHostEntryName) == "SortavelCreateWindowHost_v1");
static_assert(std::is_same_v<decltype(&SortavelCreateWindowHost_v1), WindowHostEntry>);
