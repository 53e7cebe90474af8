// Writes the debrief seeds of the fuzz corpus: flights built with the test
// debrief builder, each behind the fuzz target's option and answer bytes.
//   make_fuzz_seeds <folder>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/debrief_builder.h"

namespace {

constexpr std::uint16_t kPlayer = 1;
constexpr std::uint16_t kR73 = 63, k30mm = 87, kFab500 = 3, kF15 = 18, kT72 = 70, kSu27 = 68;

void WriteSeed(const std::string& strDir, const std::string& strName, std::uint8_t nOptions,
               const CDebriefBuilder& builder)
{
    std::vector<std::uint8_t> bytes{nOptions, 0, 1, 2, 3};
    const std::vector<std::uint8_t> file = builder.Bytes();
    bytes.insert(bytes.end(), file.begin(), file.end());
    std::ofstream out(strDir + "/" + strName, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string strDir = argv[1];
    constexpr std::uint8_t kNotes = 1, kIgnoreGnd = 2, kRejectUnknown = 4, kTwice = 8, kEjection3 = 3 << 4;

    CDebriefBuilder plain;
    plain.SetTitle("Patrol").SetBaseTime(Seconds(10));
    plain.AddPlayer(kPlayer);
    plain.AddRem(Seconds(900), kPlayer, kSu27);
    WriteSeed(strDir, "patrol", kNotes | kTwice, plain);

    CDebriefBuilder strike;
    strike.SetTitle("Harbour Strike");
    strike.AddPlayer(kPlayer, 1);
    strike.AddObject(Seconds(5), 20, kF15, 3, EVENT_ENTRY | EVENT_AIR);
    strike.AddObject(Seconds(5), 30, kT72, 3, EVENT_ADD | EVENT_GND | EVENT_PRI);
    strike.AddObject(Seconds(5), 31, kT72, 0, EVENT_ADD | EVENT_GND);
    strike.AddRelease(Seconds(95), kPlayer, 40, kR73);
    strike.AddKill(Seconds(100), 20, kF15, 40, 3, EVENT_AIR | EVENT_PRI);
    strike.AddRelease(Seconds(200), kPlayer, 41, kFab500, BYTE2_DROPPED);
    strike.AddDie(Seconds(210), 30, kT72, 41, 3, EVENT_GND | EVENT_PRI);
    strike.AddDie(Seconds(212), 31, kT72, 41, 0, EVENT_GND);
    strike.AddRelease(Seconds(300), kPlayer, 42, k30mm, BYTE2_ROUND);
    strike.AddHit(Seconds(301), 31, kT72, 42, 0, EVENT_GND);
    strike.AddRelease(Seconds(400), kPlayer, 43, kR73);
    strike.AddRem(Seconds(1500), kPlayer, kSu27, 1);
    WriteSeed(strDir, "strike", kNotes | kIgnoreGnd, strike);
    WriteSeed(strDir, "strike-filters", kRejectUnknown, strike);

    CDebriefBuilder ejected;
    ejected.SetTitle("Sweep");
    ejected.AddPlayer(kPlayer);
    ejected.AddObject(Seconds(600), kPlayer, kSu27, 3, EVENT_ADD);
    ejected.AddRelease(Seconds(850), 20, 50, kR73);
    ejected.AddHit(Seconds(900), kPlayer, kSu27, 50, 3);
    ejected.AddKill(Seconds(905), kPlayer, kSu27, 50, 3);
    ejected.AddExpl(Seconds(906), kPlayer, kSu27, 3);
    WriteSeed(strDir, "ejected", kNotes | kTwice | kEjection3, ejected);

    CDebriefBuilder lost;
    lost.SetTitle(" ");
    lost.AddPlayer(kPlayer, 2, 340);
    lost.Add({.time = 0, .status = EVENT_ADD, .country = 2, .shape = 340, .object = kPlayer, .parent = kPlayer});
    lost.AddDie(Seconds(700), kPlayer, 340, kPlayer, 2);
    WriteSeed(strDir, "lost", kTwice, lost);
    return 0;
}
