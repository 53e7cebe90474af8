#include "tests/gui/debrief_viewer_journal.h"

#include "tests/support/debrief_builder.h"

namespace {

constexpr std::uint16_t kPlayer = 101;
constexpr std::uint16_t kWingman = 102;
constexpr std::uint8_t kRussian = 1;
constexpr std::uint8_t kNato = 3;
// Shapes
constexpr std::uint16_t kF15 = 18, kF16 = 19, kMig29 = 45, kSu27 = 68, kKubRadar = 40, kKubLauncher = 41, kShilka = 66,
                        kTank = 70, kOilTank = 53, kAim120 = 5, kR73 = 63, kFab500 = 3, kShell30 = 87, kShell23 = 91,
                        kExplosion = 73, kCrater = 74;

} // namespace

void WriteStrikeJournal(const std::string& strPath)
{
    CDebriefBuilder b;
    b.SetTitle("Strike on the Kub site").SetBaseTime(Seconds(8 * 3600 + 12 * 60));
    b.AddPlayer(kPlayer, kNato, kF15);
    b.AddObject(Sixteenths(0), kWingman, kF16, kNato, EVENT_ENTRY | EVENT_AIR);
    // The target area: a radar, its launchers, guns, tanks and fuel.
    std::uint16_t nId = 200;
    for (std::uint16_t nShape : {kKubRadar, kKubLauncher, kKubLauncher, kKubLauncher, kShilka, kShilka})
        b.AddObject(Sixteenths(0), nId++, nShape, kRussian, EVENT_ENTRY | EVENT_GND | EVENT_PRI);
    for (int i = 0; i < 8; ++i)
        b.AddObject(Sixteenths(0), nId++, kTank, kRussian, EVENT_ENTRY | EVENT_GND);
    for (int i = 0; i < 4; ++i)
        b.AddObject(Sixteenths(0), nId++, kOilTank, kRussian, EVENT_ENTRY | EVENT_GND | EVENT_SEC);

    std::uint16_t nWeapon = 1000;
    std::uint32_t t = 95; // seconds after take-off
    // Fighters join in pairs; each pass, the player fires a missile at one,
    // the guns fire bursts of rounds, and bombs fall on the tanks.
    for (int nPass = 0; nPass < 12; ++nPass) {
        const std::uint16_t nFighter = static_cast<std::uint16_t>(300 + nPass);
        b.AddObject(Seconds(t), nFighter, nPass % 3 ? kMig29 : kSu27, kRussian, EVENT_ENTRY | EVENT_AIR);
        t += 17 + static_cast<std::uint32_t>(nPass * 7 % 23);
        const std::uint16_t nMissile = nWeapon++;
        b.AddRelease(Seconds(t), kPlayer, nMissile, kAim120);
        b.AddRelease(Seconds(t + 2), nFighter, nWeapon++, kR73);
        for (int nRound = 0; nRound < 8; ++nRound) {
            const std::uint16_t nShell = nWeapon++;
            b.AddRelease(Sixteenths((t + 4) * 16 + static_cast<std::uint32_t>(nRound)), kPlayer, nShell, kShell30, 15);
            if (nRound % 3 == 0)
                b.AddHit(Sixteenths((t + 5) * 16 + static_cast<std::uint32_t>(nRound)), nFighter,
                         nPass % 3 ? kMig29 : kSu27, nShell, kRussian, EVENT_AIR);
        }
        t += 6;
        if (nPass % 4 != 3) {
            b.AddKill(Seconds(t), nFighter, nPass % 3 ? kMig29 : kSu27, nMissile, kRussian, EVENT_AIR);
            b.AddExpl(Seconds(t + 1), nFighter, nPass % 3 ? kMig29 : kSu27, kRussian);
        } else {
            b.AddRem(Seconds(t + 1), nMissile, kAim120);
        }
        // The guns on the ground answer.
        const std::uint16_t nGun = static_cast<std::uint16_t>(204 + nPass % 2);
        for (int nRound = 0; nRound < 6; ++nRound)
            b.AddRelease(Sixteenths((t + 3) * 16 + static_cast<std::uint32_t>(nRound * 2)), nGun, nWeapon++, kShell23,
                         15);
        if (nPass == 7)
            b.AddHit(Seconds(t + 4), kPlayer, kF15, static_cast<std::uint16_t>(nWeapon - 1), kNato, EVENT_AIR);
        // A bomb on a tank, its crater.
        if (nPass < 8) {
            const std::uint16_t nBomb = nWeapon++;
            const std::uint16_t nTank = static_cast<std::uint16_t>(206 + nPass);
            b.AddRelease(Seconds(t + 9), nPass % 2 ? kWingman : kPlayer, nBomb, kFab500, 8);
            b.AddKill(Seconds(t + 14), nTank, kTank, nBomb, kRussian, EVENT_GND);
            b.AddObject(Seconds(t + 14), nId++, kCrater, 0, EVENT_ENTRY | EVENT_GND);
            b.AddObject(Seconds(t + 14), nId++, kExplosion, 0, EVENT_ENTRY);
        }
        t += 40 + static_cast<std::uint32_t>(nPass * 13 % 29);
    }
    b.AddRem(Seconds(t + 600), kWingman, kF16, kNato);
    b.AddRem(Seconds(t + 640), kPlayer, kF15, kNato);
    b.Write(strPath);
}
