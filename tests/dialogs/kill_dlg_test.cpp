#include "dialogs/kill_dlg.h"

#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "tests/dialogs/record_fixtures.h"
#include "tests/support/test_host.h"

namespace {

using namespace KillIds;

// Runs the dialog on the record with the script; the dialog's result.
int RunKillDlg(CTestHost& host, CKill& kill, CTestHost::Script script)
{
    CKillDlg dlg;
    dlg.m_pKill = &kill;
    host.ExpectDialog(IDD_KILL, std::move(script));
    return dlg.DoModal();
}

TEST(KillDlg, NewRecordShowsItsDefaultsAndTheFullNameLists)
{
    CTestHost host;
    CKill kill;
    RunKillDlg(host, kill, [](CDialogDriver& d) {
        EXPECT_EQ(d.Caption(), "Kill Details");
        EXPECT_EQ(d.RowCount(IDC_WEAPON), 55);
        const std::vector<std::string> weapons = d.Items(IDC_WEAPON);
        EXPECT_EQ(std::vector<std::string>(weapons.begin(), weapons.begin() + 3),
                  (std::vector<std::string>{"FAB-1500", "FAB-500", "KAB-500"}));
        EXPECT_EQ(d.RowCount(IDC_TARGET), 362);
        EXPECT_EQ(d.Items(IDC_TARGET).back(), "Missile (361)");
        EXPECT_EQ(d.Items(IDC_KILL_SIDE),
                  (std::vector<std::string>{"Unknown", "Russian", "Ukrainian", "NATO", "Turkey"}));

        EXPECT_EQ(d.Selection(IDC_WEAPON), -1); // shape 0 is no weapon
        EXPECT_EQ(d.SelectedText(IDC_TARGET), "Unknown 0");
        EXPECT_EQ(d.SelectedText(IDC_KILL_SIDE), "Unknown");
        EXPECT_FALSE(d.IsChecked(IDC_PRIMARY_TARGET));
        EXPECT_FALSE(d.IsChecked(IDC_AIRBORNE_TARGET));
        for (int nId : {IDC_FIRED_DAYS, IDC_HIT_DAYS})
            EXPECT_EQ(d.Text(nId), "0");
        for (int nId : {IDC_FIRED_TIME, IDC_HIT_TIME})
            EXPECT_EQ(d.Text(nId), "00:00:00");
        EXPECT_EQ(d.Text(IDC_KILL_FLIGHT_TIME), "0s");
        d.Click(IDOK);
    });
    EXPECT_FALSE(kill.IsModified());
}

// Filling the controls writes nothing back: a record opened and closed is
// as it was, its modified flag clear.
TEST(KillDlg, OpenedAndClosedLeavesTheRecordUnmodified)
{
    CTestHost host;
    CKill kill;
    SetKill(kill, {86400 + 1205, 86400 + 1212, 3, 18, 60, 2, 1, 0});
    SaveToScratch(kill);
    const std::string strBefore = DescribeAll(kill);
    EXPECT_EQ(RunKillDlg(host, kill, [](CDialogDriver& d) { d.Enter(); }), IDOK);
    EXPECT_EQ(DescribeAll(kill), strBefore);
}

TEST(KillDlg, ShowsTheFieldsOfTheRecord)
{
    CTestHost host;
    CKill kill;
    SetKill(kill, {86400 + 1205, 86400 + 1212, 3, 18, 60, 2, 1, 0});
    RunKillDlg(host, kill, [](CDialogDriver& d) {
        EXPECT_EQ(d.SelectedText(IDC_WEAPON), "R-27r");
        EXPECT_EQ(d.SelectedText(IDC_TARGET), "F-15");
        EXPECT_EQ(d.SelectedText(IDC_KILL_SIDE), "NATO");
        EXPECT_FALSE(d.IsChecked(IDC_PRIMARY_TARGET));
        EXPECT_TRUE(d.IsChecked(IDC_AIRBORNE_TARGET));
        EXPECT_EQ(d.Text(IDC_FIRED_DAYS), "1");
        EXPECT_EQ(d.Text(IDC_FIRED_TIME), "00:20:05");
        EXPECT_EQ(d.Text(IDC_HIT_DAYS), "1");
        EXPECT_EQ(d.Text(IDC_HIT_TIME), "00:20:12");
        EXPECT_EQ(d.Text(IDC_KILL_FLIGHT_TIME), "7s");
        d.Click(IDOK);
    });
}

// The lists select by name: the first entry the record's name begins, which
// may stand for another shape; the record keeps its own number.
TEST(KillDlg, ShapesAreSelectedByTheFirstEntryOfTheirName)
{
    const struct {
        int nWeapon, nTarget;
        int nWeaponRow, nTargetRow;
    } cases[] = {
        {239, 0, 7, 0},      // "FAB-25" shows "FAB-250"
        {208, 304, 16, 303}, // "R-27t" shows "R-27te"; the second "Cloud" shows the first
        {60, 362, 14, -1},   // the target list stops at 361
        {0, 18, -1, 18},     // shape 0 is no weapon
        {9999, 9999, -1, -1},
    };
    for (const auto& c : cases) {
        CTestHost host;
        CKill kill;
        kill.SetWeapon(static_cast<std::uint16_t>(c.nWeapon));
        kill.SetTarget(static_cast<std::uint16_t>(c.nTarget));
        RunKillDlg(host, kill, [&](CDialogDriver& d) {
            EXPECT_EQ(d.Selection(IDC_WEAPON), c.nWeaponRow) << c.nWeapon;
            EXPECT_EQ(d.Selection(IDC_TARGET), c.nTargetRow) << c.nTarget;
            d.Click(IDOK);
        });
        EXPECT_EQ(kill.GetWeapon(), c.nWeapon);
        EXPECT_EQ(kill.GetTarget(), c.nTarget);
    }
}

TEST(KillDlg, ChoicesStoreTheShapeAndSideNumbers)
{
    CTestHost host;
    CKill kill;
    EXPECT_EQ(RunKillDlg(host, kill,
                         [](CDialogDriver& d) {
                             d.Select(IDC_WEAPON, 16);
                             d.Select(IDC_TARGET, 18);
                             d.Select(IDC_KILL_SIDE, 4);
                             d.Click(IDOK);
                         }),
              IDOK);
    EXPECT_EQ(kill.GetWeapon(), 362); // "R-27te"
    EXPECT_EQ(kill.GetTarget(), 18);
    EXPECT_EQ(kill.GetSide(), 4);
}

TEST(KillDlg, TheCheckBoxesExcludeEachOther)
{
    CTestHost host;
    CKill kill;
    RunKillDlg(host, kill, [&](CDialogDriver& d) {
        d.Click(IDC_PRIMARY_TARGET);
        EXPECT_EQ(kill.GetTargetKill(), 1);
        d.Click(IDC_AIRBORNE_TARGET);
        EXPECT_FALSE(d.IsChecked(IDC_PRIMARY_TARGET));
        EXPECT_EQ(kill.GetTargetKill(), 0);
        EXPECT_EQ(kill.GetAirKill(), 1);
        d.Click(IDC_AIRBORNE_TARGET); // clearing one leaves the other clear
        EXPECT_FALSE(d.IsChecked(IDC_PRIMARY_TARGET));
        EXPECT_EQ(kill.GetAirKill(), 0);
        EXPECT_EQ(kill.GetTargetKill(), 0);
        d.Click(IDC_AIRBORNE_TARGET);
        d.Click(IDC_PRIMARY_TARGET);
        EXPECT_FALSE(d.IsChecked(IDC_AIRBORNE_TARGET));
        EXPECT_EQ(kill.GetAirKill(), 0);
        EXPECT_EQ(kill.GetTargetKill(), 1);
        d.Click(IDOK);
    });
}

// Each key stores a value at once; a text without a number shows the
// field's message and keeps the value; the flight time stays as opened.
TEST(KillDlg, TimesAreStoredKeyByKey)
{
    const struct {
        int nDaysId, nTimeId;
        CTimeSpan (CKill::*pGet)() const;
        const char* pszMessage;
    } fields[] = {
        {IDC_FIRED_DAYS, IDC_FIRED_TIME, &CKill::GetFired, "Invalid Time Fired; use hh:mm:ss, hh:mm or hhmm"},
        {IDC_HIT_DAYS, IDC_HIT_TIME, &CKill::GetHit, "Invalid Time Hit; use hh:mm:ss, hh:mm or hhmm"},
    };
    for (const auto& f : fields) {
        CTestHost host;
        CKill kill;
        RunKillDlg(host, kill, [&](CDialogDriver& d) {
            d.Replace(f.nDaysId, "1");
            EXPECT_EQ((kill.*f.pGet)(), CTimeSpan(86400));
            host.ExpectMessageBox(f.pszMessage, MB_OK | MB_ICONSTOP);
            d.Backspace(f.nTimeId, 8);
            // Emptied: the message once, the value kept.
            EXPECT_EQ(host.GetMessageTexts(), std::vector<std::string>{f.pszMessage});
            EXPECT_EQ((kill.*f.pGet)(), CTimeSpan(86400));
            for (const auto& [pszKey, nSeconds] : {std::pair{"0", 0}, {":", 0}, {"3", 180}, {"0", 1800}}) {
                d.Type(f.nTimeId, pszKey);
                EXPECT_EQ((kill.*f.pGet)(), CTimeSpan(86400 + nSeconds)) << pszKey;
            }
            EXPECT_EQ(d.Text(f.nTimeId), "0:30");
            EXPECT_EQ(d.Text(IDC_KILL_FLIGHT_TIME), "0s");
            d.Click(IDOK);
        });
    }
}

TEST(KillDlg, FlightTimeIsHitMinusFiredInSeconds)
{
    const struct {
        int nFired, nHit;
        const char* pszText;
    } cases[] = {{1205, 1212, "7s"}, {1217, 1212, "-5s"}, {0, 86400 + 1, "86401s"}};
    for (const auto& c : cases) {
        CTestHost host;
        CKill kill;
        kill.SetFired(c.nFired);
        kill.SetHit(c.nHit);
        RunKillDlg(host, kill, [&](CDialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_KILL_FLIGHT_TIME), c.pszText);
            d.Click(IDOK);
        });
    }
}

// Cancel, Escape and the close box put back every field and the modified
// flag, whatever the user changed.
TEST(KillDlg, CancelRestoresTheRecordAsItWasOpened)
{
    for (bool bEscape : {false, true}) {
        CTestHost host;
        CKill kill;
        SetKill(kill, {1205, 1212, 3, 18, 60, 2, 0, 1});
        SaveToScratch(kill);
        const std::string strBefore = DescribeAll(kill);
        const int nResult = RunKillDlg(host, kill, [&](CDialogDriver& d) {
            d.Select(IDC_WEAPON, 0);
            d.Select(IDC_TARGET, 40);
            d.Select(IDC_KILL_SIDE, 1);
            d.Click(IDC_AIRBORNE_TARGET);
            d.Replace(IDC_FIRED_DAYS, "2");
            d.Replace(IDC_FIRED_TIME, "1:00:00");
            d.Replace(IDC_HIT_DAYS, "3");
            d.Replace(IDC_HIT_TIME, "2:00");
            ASSERT_NE(DescribeAll(kill), strBefore);
            if (bEscape)
                d.Escape();
            else
                d.Click(IDCANCEL);
        });
        EXPECT_EQ(nResult, IDCANCEL);
        EXPECT_EQ(DescribeAll(kill), strBefore) << (bEscape ? "Escape" : "Cancel");
    }
}

} // namespace
