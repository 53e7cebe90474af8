// Names of the sides, indexed by country number.
#include "debrief/side_names.h"

#include <array>
#include <iterator>
#include <string_view>

constexpr const char* SideNames[] = {"Unknown", "Russian", "Ukrainian", "NATO", "Turkey"};

static_assert(std::size(SideNames) == kSideCount);

namespace {

// The names with their lengths, for appending them.
constexpr auto kSideNameViews = [] {
    std::array<std::string_view, kSideCount> views{};
    for (std::size_t i = 0; i < kSideCount; ++i)
        views[i] = SideNames[i];
    return views;
}();

} // namespace

void AppendSideName(std::string& strText, unsigned nCountry)
{
    if (nCountry < kSideCount)
        strText += kSideNameViews[nCountry];
    else
        strText += SideName(nCountry);
}

std::string SideName(unsigned nCountry)
{
    if (nCountry < kSideCount)
        return SideNames[nCountry];
    return "Side " + std::to_string(nCountry);
}
