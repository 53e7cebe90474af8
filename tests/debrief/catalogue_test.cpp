// The object catalogue: names, sets, classes, kill categories and the kill
// record operations built on them.
#include "debrief/shape_names.h"
#include "debrief/shape_sets.h"
#include "debrief/side_names.h"
#include "log/career.h"
#include "log/kill.h"
#include "log/mission.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

std::vector<unsigned> Members(const std::uint16_t* pSet)
{
    std::vector<unsigned> members;
    for (; *pSet != 0; ++pSet)
        members.push_back(*pSet);
    return members;
}

CKill MakeKill(int nAir, int nPrimary, std::uint16_t nTarget)
{
    CKill kill;
    kill.SetAirKill(nAir);
    kill.SetTargetKill(nPrimary);
    kill.SetTarget(nTarget);
    return kill;
}

} // namespace

TEST(ShapeNames, EveryEntryIsPresent)
{
    for (std::size_t i = 0; i < kShapeCount; ++i) {
        ASSERT_NE(ShapeNames[i], nullptr) << i;
        EXPECT_STRNE(ShapeNames[i], "") << i;
    }
}

TEST(ShapeNames, FirstNameOfEveryRow)
{
    const std::vector<const char*> rowStarts = {
        "Unknown 0", "Ejection Seat", "Empty space", "1-Storey U-Shaped Bldg", "Kub Radar",
        "Open Shelter", "R-27r", "T-72 Tank", "Fabrication Building", "Girder Bridge Span",
        "IL-76", "'07'", "Insignia", "Bridge rubble", "Wrecked crane",
        "3-Storey Building with extra wing", "Zil Gas Tanker", "Kh-25", "48N6E SAM", "Large Factory",
        "9M33M3 SAM", "Fuel 800", "Kh-55", "Kh-59", "AIM-9P",
        "Tarantul 4 Missile Boat", "Bang!", "Polnochny Landing Ship", "Lg wing", "Burnt-out vehicle",
        "Wrecked SAM", "Bang!", "Wrecked AFV", "Su-27 Jupiter", "Su-27 N6",
        "Su-27 N16", "Su-27 N26"};
    ASSERT_EQ(rowStarts.size(), 37u);
    for (std::size_t row = 0; row < rowStarts.size(); ++row)
        EXPECT_STREQ(ShapeNames[row * 10], rowStarts[row]) << "shape " << row * 10;
}

TEST(ShapeNames, SpotChecksAndSharedNames)
{
    const std::vector<std::pair<unsigned, const char*>> cases = {
        {7, "Small Arched Grider Bridge"}, {59, "S-13"}, {81, "Kh-35 (81)"}, {82, "S-13"},
        {84, "S-13"}, {87, "30mm Shell"}, {104, "'01'"}, {129, "Kh-35"}, {163, "Deisel Locomotive"},
        {182, "Sinking Grozney Cruiser"}, {198, "Baikal Control_Post"}, {259, "Empty space"},
        {283, "Dome?"}, {334, "Empty space (334)"}, {361, "Missile (361)"}, {362, "R-27te"}};
    for (const auto& [nShape, pszName] : cases)
        EXPECT_STREQ(ShapeNames[nShape], pszName) << nShape;
}

TEST(ShapeNames, AccessorGivesPlaceholderOutsideTheTable)
{
    EXPECT_EQ(ShapeName(0), "Unknown 0");
    EXPECT_EQ(ShapeName(362), "R-27te");
    EXPECT_EQ(ShapeName(363), "Shape 363");
    EXPECT_EQ(ShapeName(400), "Shape 400");
    EXPECT_EQ(ShapeName(65535), "Shape 65535");
}

TEST(SideNames, TableAndAccessor)
{
    const std::vector<std::string> expected = {"Unknown", "Russian", "Ukrainian", "NATO", "Turkey"};
    for (std::size_t i = 0; i < kSideCount; ++i) {
        EXPECT_STREQ(SideNames[i], expected[i].c_str());
        EXPECT_EQ(SideName(static_cast<unsigned>(i)), expected[i]);
    }
    EXPECT_EQ(SideName(5), "Side 5");
    EXPECT_EQ(SideName(255), "Side 255");
}

TEST(ShapeSets, CountsAndWeaponOrder)
{
    EXPECT_EQ(CountShapes(AircraftShapes), 41u);
    EXPECT_EQ(CountShapes(UnitShapes), 70u);
    EXPECT_EQ(CountShapes(ShipShapes), 14u);
    EXPECT_EQ(CountShapes(SamShapes), 15u);
    EXPECT_EQ(CountShapes(RadarShapes), 9u);
    EXPECT_EQ(CountShapes(WeaponShapes), kWeaponCount);
    const std::vector<unsigned> weapons = {
        1,   3,   93,  235, 236, 237, 257, 2,   212, 239, 234, 240, 232, 233,
        60,  126, 362, 208, 61,  332, 62,  63,  171, 5,   86,  84,  85,  205,
        124, 231, 230, 122, 220, 129, 81,  92,  88,  170, 209, 219, 87,  91,
        179, 99,  173, 178, 180, 200, 213, 229, 238, 256, 207, 210, 211};
    EXPECT_EQ(Members(WeaponShapes), weapons);
}

TEST(ShapeSets, OverlapsAsDesigned)
{
    const std::vector<const std::uint16_t*> others = {AircraftShapes, UnitShapes, SamShapes, RadarShapes};
    for (unsigned nShape : Members(WeaponShapes)) {
        EXPECT_FALSE(IsShapeInSet(ShipShapes, nShape)) << nShape;
        for (const std::uint16_t* pSet : others)
            EXPECT_FALSE(IsShapeInSet(pSet, nShape)) << nShape;
    }
    for (unsigned nShape : Members(ShipShapes))
        for (const std::uint16_t* pSet : others)
            EXPECT_FALSE(IsShapeInSet(pSet, nShape)) << nShape;
    for (const std::uint16_t* pSubset : {AircraftShapes, SamShapes})
        for (unsigned nShape : Members(pSubset))
            EXPECT_TRUE(IsShapeInSet(UnitShapes, nShape)) << nShape;
    for (unsigned nShape : {40u, 201u, 215u, 322u})
        EXPECT_TRUE(IsShapeInSet(SamShapes, nShape) && IsShapeInSet(RadarShapes, nShape)) << nShape;
    // No set lists a shape twice or one outside the name table.
    for (const std::uint16_t* pSet : {AircraftShapes, UnitShapes, ShipShapes, SamShapes, RadarShapes, WeaponShapes}) {
        const std::vector<unsigned> members = Members(pSet);
        EXPECT_EQ(std::set<unsigned>(members.begin(), members.end()).size(), members.size());
        for (unsigned nShape : members)
            EXPECT_LT(nShape, kShapeCount);
    }
}

TEST(ShapeSets, MembershipNeverMatchesZeroOrLargeNumbers)
{
    for (const std::uint16_t* pSet : {AircraftShapes, UnitShapes, ShipShapes, SamShapes, RadarShapes, WeaponShapes}) {
        EXPECT_FALSE(IsShapeInSet(pSet, 0));
        EXPECT_FALSE(IsShapeInSet(pSet, 363));
        EXPECT_FALSE(IsShapeInSet(pSet, 65536 + 18)); // does not wrap to a member
    }
}

TEST(ShapeClass, FirstMatchingSetDecides)
{
    const std::vector<std::pair<unsigned, int>> cases = {
        {68, SHAPE_CLASS_AIRCRAFT}, {360, SHAPE_CLASS_AIRCRAFT}, {40, SHAPE_CLASS_RADAR},
        {201, SHAPE_CLASS_RADAR},   {94, SHAPE_CLASS_RADAR},     {41, SHAPE_CLASS_SAM},
        {216, SHAPE_CLASS_SAM},     {103, SHAPE_CLASS_SHIP},     {70, SHAPE_CLASS_UNIT},
        {152, SHAPE_CLASS_UNIT},    {87, SHAPE_CLASS_WEAPON},    {211, SHAPE_CLASS_WEAPON},
        {0, SHAPE_CLASS_OTHER},     {12, SHAPE_CLASS_OTHER},     {363, SHAPE_CLASS_OTHER},
        {65535, SHAPE_CLASS_OTHER}};
    for (const auto& [nShape, nClass] : cases)
        EXPECT_EQ(GetShapeClass(nShape), nClass) << nShape;
}

TEST(KillCategory, FlagsFirstThenTargetShape)
{
    struct Case {
        int nAir, nPrimary;
        std::uint16_t nTarget;
        int nCategory;
    };
    const std::vector<Case> cases = {
        {1, 1, 70, KILL_AIRCRAFT},  {1, 0, 12, KILL_AIRCRAFT}, {0, 1, 18, KILL_PRIMARY},
        {0, 1, 215, KILL_PRIMARY},  {0, 0, 215, KILL_RADAR},   {0, 0, 40, KILL_RADAR},
        {0, 0, 216, KILL_SAM},      {0, 0, 18, KILL_VEHICLE},  {0, 0, 70, KILL_VEHICLE},
        {0, 0, 103, KILL_SHIP},     {0, 0, 12, KILL_OTHER},    {0, 0, 87, KILL_OTHER},
        {-1, 0, 12, KILL_AIRCRAFT}, {0, 0, 0, KILL_OTHER}};
    for (const Case& c : cases)
        EXPECT_EQ(GetKillCategory(MakeKill(c.nAir, c.nPrimary, c.nTarget)), c.nCategory)
            << c.nAir << " " << c.nPrimary << " " << c.nTarget;
}

TEST(CountRounds, OnlyThe30mmShellCountsTwice)
{
    EXPECT_EQ(CountRounds(87), 2);
    EXPECT_EQ(CountRounds(91), 1);
    EXPECT_EQ(CountRounds(0), 1);
}

TEST(KillDescribe, OneOrSeveralRounds)
{
    struct Case {
        std::int32_t nFired, nHit;
        std::uint8_t nSide;
        std::uint16_t nTarget, nWeapon;
        const char* pszText;
    };
    const std::vector<Case> cases = {
        {1, 0, 0, 18, 60, "00:00:00  F-15 (R-27r)"},
        {1, 1212, 3, 18, 60, "00:20:12 NATO F-15 (R-27r)"},
        {2, 1212, 3, 18, 60, "00:20:12 NATO F-15 (2 R-27rs)"},
        {6, 3661, 1, 70, 87, "01:01:01 Russian T-72 Tank (6 30mm Shells)"},
        {0, 0, 4, 103, 1, "00:00:00 Turkey Grozny Cruiser (FAB-1500)"},
        {-3, 0, 2, 12, 1, "00:00:00 Ukrainian Trees1 (FAB-1500)"},
        // Numbers outside the tables.
        {2, 0, 9, 400, 500, "00:00:00 Side 9 Shape 400 (2 Shape 500s)"},
        {1, 0, 0, 0, 0, "00:00:00  Unknown 0 (Unknown 0)"}};
    for (const Case& c : cases) {
        CKill kill;
        kill.SetNumFired(c.nFired);
        kill.SetHit(c.nHit);
        kill.SetSide(c.nSide);
        kill.SetTarget(c.nTarget);
        kill.SetWeapon(c.nWeapon);
        EXPECT_EQ(kill.Describe(), c.pszText);
    }
}

TEST(CountKills, MissionCountsOnlyItsKillsListAndCareerSums)
{
    CCareer career;
    CMission* pFirst = career.AddMission();
    CMission* pSecond = career.AddMission();
    ASSERT_TRUE(pFirst && pSecond);
    pFirst->AddKill()->SetAirKill(1);
    pFirst->AddKill()->SetTarget(215);
    pFirst->AddHit()->SetAirKill(1);  // hits and misses count nowhere
    pFirst->AddMiss()->SetTarget(215);
    pSecond->AddKill()->SetAirKill(1);
    pSecond->AddKill()->SetTarget(12);

    EXPECT_EQ(pFirst->CountKills(KILL_AIRCRAFT), 1);
    EXPECT_EQ(pFirst->CountKills(KILL_RADAR), 1);
    EXPECT_EQ(pFirst->CountKills(KILL_OTHER), 0);
    EXPECT_EQ(career.CountKills(KILL_AIRCRAFT), 2);
    EXPECT_EQ(career.CountKills(KILL_RADAR), 1);
    EXPECT_EQ(career.CountKills(KILL_OTHER), 1);
    EXPECT_EQ(career.CountKills(KILL_SHIP), 0);
    EXPECT_EQ(career.CountKills(99), 0);
}
