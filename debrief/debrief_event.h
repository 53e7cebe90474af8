#pragma once
// One 16-byte record of a debrief journal, and the flags of its status word.
#include <cstddef>
#include <cstdint>

struct DebriefEvent {
    std::uint32_t time = 0;   // sixteenths of a second; 0: no time of its own
    std::uint16_t status = 0; // EVENT_* flags
    std::uint8_t country = 0; // side of the object
    std::uint8_t byte1 = 0;
    std::uint8_t byte2 = 0;   // kind of object or release (BYTE2_* below)
    std::uint8_t byte3 = 0;
    std::uint16_t shape = 0;  // object type
    std::uint16_t object = 0; // the object the event is about
    std::uint16_t parent = 0; // the related object (releaser, cause, or itself)

    friend bool operator==(const DebriefEvent&, const DebriefEvent&) = default;
};

inline constexpr std::size_t kDebriefEventSize = 16;

// Object identifier meaning "no object".
inline constexpr std::uint16_t kNoObject = 65535;

// Status flags.
inline constexpr std::uint16_t EVENT_AIR = 0x0001;  // air object
inline constexpr std::uint16_t EVENT_GND = 0x0002;  // ground object
inline constexpr std::uint16_t EVENT_DYN = 0x0004;  // dynamic object
inline constexpr std::uint16_t EVENT_HIT = 0x0008;  // hit by parent
inline constexpr std::uint16_t EVENT_DIE = 0x0010;  // destroyed by parent
inline constexpr std::uint16_t EVENT_KILL = 0x0020; // killed by parent
inline constexpr std::uint16_t EVENT_ADD = 0x0040;  // added to the scene
inline constexpr std::uint16_t EVENT_REM = 0x0080;  // removed from the scene
inline constexpr std::uint16_t EVENT_EXPL = 0x0100; // exploded
inline constexpr std::uint16_t EVENT_PRI = 0x0200;  // primary target
inline constexpr std::uint16_t EVENT_SEC = 0x0400;  // secondary target

// Masks the analysis tests with.
inline constexpr std::uint16_t EVENT_ENTRY = EVENT_DYN | EVENT_ADD;                 // 68: entry or release
inline constexpr std::uint16_t EVENT_STRUCK = EVENT_HIT | EVENT_DIE | EVENT_KILL;   // 56
inline constexpr std::uint16_t EVENT_DAMAGED = EVENT_HIT | EVENT_DIE;               // 24
inline constexpr std::uint16_t EVENT_DESTROYED = EVENT_DIE | EVENT_KILL;            // 48
inline constexpr std::uint16_t EVENT_LOST = EVENT_DIE | EVENT_EXPL;                 // 272
inline constexpr std::uint16_t EVENT_FATAL = EVENT_DIE | EVENT_KILL | EVENT_EXPL;   // 304

// Values of byte2.
inline constexpr std::uint8_t BYTE2_PLAYER = 5;  // the record adding the player's aircraft
inline constexpr std::uint8_t BYTE2_DROPPED = 8; // a dropped weapon
inline constexpr std::uint8_t BYTE2_ROUND = 15;  // a gun round

// Every bit of the mask is set.
constexpr bool HasAllFlags(const DebriefEvent& event, std::uint16_t mask)
{
    return (event.status & mask) == mask;
}

// At least one bit of the mask is set.
constexpr bool HasAnyFlag(const DebriefEvent& event, std::uint16_t mask)
{
    return (event.status & mask) != 0;
}

// The status bits with the keyword the viewer shows and their long name.
struct EventFlagName {
    std::uint16_t nFlag;
    const char* pszKeyword;
    const char* pszName;
};
inline constexpr EventFlagName kEventFlagNames[] = {
    {EVENT_AIR, "Air ", "Air Object"},    {EVENT_GND, "Gnd ", "Ground Object"},
    {EVENT_DYN, "Dyn ", "Dynamic Object"}, {EVENT_HIT, "Hit ", "Hit"},
    {EVENT_DIE, "Die ", "Destroy"},       {EVENT_KILL, "Kill ", "Kill"},
    {EVENT_ADD, "Add ", "Appear"},        {EVENT_REM, "Rem ", "Remove"},
    {EVENT_EXPL, "Expl ", "Explosion"},   {EVENT_PRI, "Pri ", "Primary Target"},
    {EVENT_SEC, "Sec", "Secondary Target"},
};
