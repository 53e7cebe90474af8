#pragma once
// Kinds of objects: six sets of shape numbers, and the classes and kill
// categories built on them.
#include <array>
#include <cstddef>
#include <cstdint>

class CKill;

// Each set is a list of shape numbers ended by 0 (so 0 is never a member).
extern const std::uint16_t AircraftShapes[];
extern const std::uint16_t UnitShapes[];
extern const std::uint16_t ShipShapes[];
extern const std::uint16_t SamShapes[];
extern const std::uint16_t RadarShapes[];
// In the order the Kill Details dialog lists the weapons.
extern const std::uint16_t WeaponShapes[];

inline constexpr std::size_t kWeaponCount = 55;

bool IsShapeInSet(const std::uint16_t* pSet, unsigned nShape);
// Whether each shape number below the table's size is a weapon.
extern const std::array<bool, 512> kWeaponShapeTable;
// IsShapeInSet(WeaponShapes, nShape), by table.
inline bool IsWeaponShape(unsigned nShape) { return nShape < kWeaponShapeTable.size() && kWeaponShapeTable[nShape]; }
// Number of members of a set.
std::size_t CountShapes(const std::uint16_t* pSet);

// Shape classes.
inline constexpr int SHAPE_CLASS_AIRCRAFT = 0;
inline constexpr int SHAPE_CLASS_UNIT = 1;
inline constexpr int SHAPE_CLASS_SHIP = 2;
inline constexpr int SHAPE_CLASS_SAM = 3;
inline constexpr int SHAPE_CLASS_RADAR = 4;
inline constexpr int SHAPE_CLASS_WEAPON = 5;
inline constexpr int SHAPE_CLASS_OTHER = 6;

// The class of the first set holding the shape, tested in the order
// aircraft, radar, SAM, ship, unit, weapon; SHAPE_CLASS_OTHER otherwise.
int GetShapeClass(unsigned nShape);

// Kill categories, as the main window counts them.
inline constexpr int KILL_OTHER = 0;
inline constexpr int KILL_AIRCRAFT = 1;
inline constexpr int KILL_VEHICLE = 2;
inline constexpr int KILL_PRIMARY = 3;
inline constexpr int KILL_SHIP = 4;
inline constexpr int KILL_SAM = 5;
inline constexpr int KILL_RADAR = 6;
inline constexpr int kKillCategoryCount = 7;

// Airborne first, then primary target, then by the target shape: radar,
// SAM, unit, ship; KILL_OTHER otherwise.
int GetKillCategory(const CKill& kill);

// The 30mm shell counts as two rounds wherever rounds are counted.
inline constexpr std::uint16_t kDoubleRoundShape = 87;
constexpr int CountRounds(unsigned nShape) { return nShape == kDoubleRoundShape ? 2 : 1; }
