// The shape sets that sort debrief objects into kinds, and the class and kill
// category rules built on them.
#include "debrief/shape_sets.h"

#include "log/kill.h"

#include <array>
#include <iterator>

// Aircraft (335 to 360 are the numbered Su-27s).
const std::uint16_t AircraftShapes[] = {
    18, 19, 44, 45, 68, 72, 100, 101, 125, 128, 221, 226, 228, 255, 333, 335, 336, 337, 338,
    339, 340, 341, 342, 343, 344, 345, 346, 347, 348, 349, 350, 351, 352, 353, 354, 355, 356,
    357, 358, 359, 360, 0
};

// Combat units and vehicles, aircraft and SAM systems included.
const std::uint16_t UnitShapes[] = {
    18, 19, 21, 40, 41, 44, 45, 54, 66, 68, 70, 72, 100, 101, 125, 128, 152, 153, 154, 155, 158,
    160, 172, 177, 198, 199, 201, 214, 215, 216, 217, 218, 221, 226, 228, 245, 246, 247, 248,
    249, 255, 272, 322, 333, 335, 336, 337, 338, 339, 340, 341, 342, 343, 344, 345, 346, 347,
    348, 349, 350, 351, 352, 353, 354, 355, 356, 357, 358, 359, 360, 0
};

// Ships and boats.
const std::uint16_t ShipShapes[] = {
    34, 35, 69, 103, 175, 188, 225, 241, 242, 243, 244, 250, 264, 270, 0
};

// SAM launchers, radars and command posts.
const std::uint16_t SamShapes[] = {
    40, 41, 54, 66, 172, 177, 199, 201, 214, 215, 216, 217, 218, 272, 322, 0
};

// Radars, those of SAM systems included.
const std::uint16_t RadarShapes[] = {
    40, 94, 95, 98, 195, 201, 215, 254, 322, 0
};

// Weapons, in the order the Kill Details dialog lists them.
constexpr std::uint16_t WeaponShapes[] = {1,   3,   93,  235, 236, 237, 257, 2,   212, 239, 234, 240, 232, 233,
                                          60,  126, 362, 208, 61,  332, 62,  63,  171, 5,   86,  84,  85,  205,
                                          124, 231, 230, 122, 220, 129, 81,  92,  88,  170, 209, 219, 87,  91,
                                          179, 99,  173, 178, 180, 200, 213, 229, 238, 256, 207, 210, 211, 0};

static_assert(std::size(WeaponShapes) == kWeaponCount + 1);

constexpr std::array<bool, 512> kWeaponShapeTable = [] {
    std::array<bool, 512> table{};
    for (const std::uint16_t* p = WeaponShapes; *p != 0; ++p)
        table[*p] = true;
    return table;
}();

bool IsShapeInSet(const std::uint16_t* pSet, unsigned nShape)
{
    for (; *pSet != 0; ++pSet)
        if (*pSet == nShape)
            return true;
    return false;
}

std::size_t CountShapes(const std::uint16_t* pSet)
{
    std::size_t nCount = 0;
    while (pSet[nCount] != 0)
        ++nCount;
    return nCount;
}

namespace {

// A set and the code it gives; the first set that holds the shape decides.
struct SetRule {
    const std::uint16_t* pSet;
    int nCode;
};

template <std::size_t N>
int FirstMatch(const SetRule (&rules)[N], unsigned nShape, int nNone)
{
    for (const SetRule& rule : rules)
        if (IsShapeInSet(rule.pSet, nShape))
            return rule.nCode;
    return nNone;
}

const SetRule kClassRules[] = {
    {AircraftShapes, SHAPE_CLASS_AIRCRAFT}, {RadarShapes, SHAPE_CLASS_RADAR},
    {SamShapes, SHAPE_CLASS_SAM},           {ShipShapes, SHAPE_CLASS_SHIP},
    {UnitShapes, SHAPE_CLASS_UNIT},         {WeaponShapes, SHAPE_CLASS_WEAPON}};

const SetRule kKillTargetRules[] = {
    {RadarShapes, KILL_RADAR}, {SamShapes, KILL_SAM}, {UnitShapes, KILL_VEHICLE}, {ShipShapes, KILL_SHIP}};

} // namespace

int GetShapeClass(unsigned nShape)
{
    return FirstMatch(kClassRules, nShape, SHAPE_CLASS_OTHER);
}

int GetKillCategory(const CKill& kill)
{
    if (kill.GetAirKill() != 0)
        return KILL_AIRCRAFT;
    if (kill.GetTargetKill() != 0)
        return KILL_PRIMARY;
    return FirstMatch(kKillTargetRules, kill.GetTarget(), KILL_OTHER);
}
