// Names of the sides, indexed by country number.
#include "debrief/side_names.h"

#include <iterator>

const char* const SideNames[] = {"Unknown", "Russian", "Ukrainian", "NATO", "Turkey"};

static_assert(std::size(SideNames) == kSideCount);

std::string SideName(unsigned nCountry)
{
    if (nCountry < kSideCount)
        return SideNames[nCountry];
    return "Side " + std::to_string(nCountry);
}
