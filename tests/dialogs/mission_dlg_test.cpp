#include "dialogs/mission_dlg.h"

#include <gtest/gtest.h>

#include "log/app_settings.h"
#include "res/resource_ids.h"
#include "tests/dialogs/record_fixtures.h"
#include "tests/support/test_host.h"

namespace {

using namespace MissionIds;

constexpr unsigned kStop = MB_OK | MB_ICONSTOP;

class MissionDlgTest : public testing::Test {
protected:
    MissionDlgTest() { m_settings.m_nDateFormat = 1; }

    // Runs the dialog on the mission with the script; the dialog's result.
    int Run(CTestHost::Script script)
    {
        CMissionDlg dlg;
        dlg.m_pMission = &m_mission;
        m_host.ExpectDialog(IDD_MISSION, std::move(script));
        return dlg.DoModal();
    }

    // Flown 5 December 1998 21:07:33, three kills, saved.
    void FillMission()
    {
        m_mission.SetTitle("Sweep");
        m_mission.SetSide(3);
        m_mission.SetResult(0);
        m_mission.SetPilotStatus(2);
        m_mission.SetTakeoff(86400 + 90);
        m_mission.SetDuration(25 * 3600);
        m_mission.SetFlown(CTime(1998, 12, 5, 21, 7, 33));
        m_mission.SetComments("Good hunting\r\nRTB");
        SetKill(*m_mission.AddKill(), {1205, 1212, 3, 18, 60, 2, 1, 0});
        SetKill(*m_mission.AddKill(), {1480, 1490, 1, 41, 3, 1, 0, 0});
        SetKill(*m_mission.AddKill(), {1480, 1491, 0, 40, 3, 1, 0, 1});
        SaveToScratch(m_mission);
    }

    CAppSettings m_settings;
    CTestHost m_host;
    CMission m_mission;
};

TEST_F(MissionDlgTest, NewMissionShowsItsDefaults)
{
    const CTime now = m_mission.GetFlown();
    EXPECT_EQ(Run([&](CDialogDriver& d) {
                  EXPECT_EQ(d.Caption(), "Mission Details");
                  EXPECT_EQ(d.Text(IDC_MISSION_TITLE), "New Mission");
                  EXPECT_EQ(d.SelectedText(IDC_MISSION_SIDE), "Unknown");
                  EXPECT_EQ(d.SelectedText(IDC_PILOT_STATUS), "OK");
                  EXPECT_EQ(d.SelectedText(IDC_RESULT), "Undecided");
                  EXPECT_EQ(d.Text(IDC_TAKEOFF_DAYS), "0");
                  EXPECT_EQ(d.Text(IDC_TAKEOFF_TIME), "00:00:00");
                  EXPECT_EQ(d.Text(IDC_DURATION), "00:00:00");
                  EXPECT_EQ(d.Text(IDC_FLOWN_FIRST_FIELD), now.Format("%d"));
                  EXPECT_EQ(d.Text(IDC_FLOWN_YEAR), now.Format("%Y"));
                  EXPECT_EQ(d.Text(IDC_FLOWN_TIME), now.Format("%H:%M:%S"));
                  EXPECT_EQ(d.RowCount(IDC_KILL_LIST), 0);
                  EXPECT_EQ(d.Text(IDC_NOTES), "");
                  EXPECT_FALSE(d.IsEnabled(IDCANCEL));
                  d.Click(IDOK);
              }),
              IDOK);
    EXPECT_FALSE(m_mission.IsModified());
}

// Filling the controls writes nothing back, in either date order.
TEST_F(MissionDlgTest, ShowsTheMissionWithoutWritingBack)
{
    FillMission();
    for (int nDateFormat : {1, 0}) {
        m_settings.m_nDateFormat = nDateFormat;
        const bool bDayFirst = nDateFormat != 0;
        Run([&](CDialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_MISSION_TITLE), "Sweep");
            EXPECT_EQ(d.SelectedText(IDC_MISSION_SIDE), "NATO");
            EXPECT_EQ(d.SelectedText(IDC_PILOT_STATUS), "Ejected");
            EXPECT_EQ(d.SelectedText(IDC_RESULT), "Successful");
            EXPECT_EQ(d.Text(IDC_FLOWN_FIRST_FIELD), bDayFirst ? "05" : "12");
            EXPECT_EQ(d.Text(IDC_FLOWN_SECOND_FIELD), bDayFirst ? "12" : "05");
            EXPECT_EQ(d.Text(IDC_FLOWN_YEAR), "1998");
            EXPECT_EQ(d.Text(IDC_FLOWN_TIME), "21:07:33");
            EXPECT_EQ(d.Text(IDC_TAKEOFF_DAYS), "1");
            EXPECT_EQ(d.Text(IDC_TAKEOFF_TIME), "00:01:30");
            EXPECT_EQ(d.Text(IDC_DURATION), "01:00:00"); // 25 hours: the day is not shown
            EXPECT_EQ(d.Text(IDC_NOTES), "Good hunting\r\nRTB");
            EXPECT_EQ(d.Items(IDC_KILL_LIST), (std::vector<std::string>{"00:20:12 NATO F-15 (2 R-27rs)",
                                                                        "00:24:50 Russian Kub Launcher (FAB-500)",
                                                                        "00:24:51  Kub Radar (FAB-500)"}));
            d.Click(IDOK);
        });
        EXPECT_FALSE(m_mission.IsModified()) << nDateFormat;
    }
}

TEST_F(MissionDlgTest, WithoutAMissionShowsEmptyControlsAndChangesNothing)
{
    CMissionDlg dlg;
    m_host.ExpectDialog(IDD_MISSION, [](CDialogDriver& d) {
        for (int nId : {IDC_MISSION_TITLE, IDC_FLOWN_YEAR, IDC_FLOWN_TIME, IDC_TAKEOFF_DAYS, IDC_DURATION, IDC_NOTES})
            EXPECT_EQ(d.Text(nId), "");
        EXPECT_EQ(d.Selection(IDC_MISSION_SIDE), -1);
        d.Type(IDC_DURATION, "x"); // no message: there is nothing to store into
        d.Select(IDC_RESULT, 2);
        d.Click(IDC_ADD_KILL);
        EXPECT_EQ(d.RowCount(IDC_KILL_LIST), 0);
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

// One value per keystroke; an emptied field shows its message once and the
// mission keeps the value.
TEST_F(MissionDlgTest, DurationIsStoredKeyByKey)
{
    Run([&](CDialogDriver& d) {
        m_host.ExpectMessageBox("Invalid Duration; use hh:mm:ss, hh:mm or hhmm", kStop);
        d.Clear(IDC_DURATION);
        const std::pair<const char*, int> keys[] = {{"1", 60}, {"4", 14 * 60}, {"3", 3600 + 43 * 60}, {"0", 52200}};
        for (const auto& [pszKey, nSeconds] : keys) {
            d.Type(IDC_DURATION, pszKey);
            EXPECT_EQ(m_mission.GetDuration(), CTimeSpan(nSeconds)) << pszKey;
        }
        d.Backspace(IDC_DURATION, 3);
        EXPECT_EQ(m_mission.GetDuration(), CTimeSpan(60));
        m_host.ExpectMessageBox("Invalid Duration; use hh:mm:ss, hh:mm or hhmm", kStop);
        d.Backspace(IDC_DURATION);
        EXPECT_EQ(m_mission.GetDuration(), CTimeSpan(60));
        d.Type(IDC_DURATION, "25:00:00");
        EXPECT_EQ(m_mission.GetDuration(), CTimeSpan(90000));
        d.Click(IDOK);
    });
}

TEST_F(MissionDlgTest, EveryClockFieldRejectsATextWithoutANumber)
{
    FillMission();
    const struct {
        int nId;
        const char* pszMessage;
    } fields[] = {
        {IDC_DURATION, "Invalid Duration; use hh:mm:ss, hh:mm or hhmm"},
        {IDC_TAKEOFF_TIME, "Invalid Takeoff Time; use hh:mm:ss, hh:mm or hhmm"},
        {IDC_FLOWN_TIME, "Invalid Time Flown; use hh:mm:ss, hh:mm or hhmm"},
    };
    for (const auto& f : fields) {
        Run([&](CDialogDriver& d) {
            m_host.ExpectMessageBox(f.pszMessage, kStop);
            d.Replace(f.nId, ":30");
            EXPECT_EQ(d.Text(f.nId), ":30"); // the field keeps what was typed
            d.Click(IDOK);
        });
        EXPECT_FALSE(m_mission.IsModified()) << f.pszMessage;
    }
}

TEST_F(MissionDlgTest, TakeoffAddsItsDays)
{
    Run([&](CDialogDriver& d) {
        d.Replace(IDC_TAKEOFF_DAYS, "1");
        d.Replace(IDC_TAKEOFF_TIME, "00:05:00");
        d.Click(IDOK);
    });
    EXPECT_EQ(m_mission.GetTakeoff(), CTimeSpan(86700));
    Run([&](CDialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_TAKEOFF_DAYS), "1");
        EXPECT_EQ(d.Text(IDC_TAKEOFF_TIME), "00:05:00");
        d.Click(IDOK);
    });
}

// The date fields are never rejected: a year before 1970 stores the invalid
// date until the year is typed whole again.
TEST_F(MissionDlgTest, FlownFollowsTheDateOrderAndTheYearTypedDigitByDigit)
{
    FillMission();
    const CTime dec5 = CTime(1998, 12, 5, 21, 7, 33);
    const struct {
        int nDateFormat;
        int nId;
        const char* pszText;
        CTime expected;
    } cases[] = {
        {1, IDC_FLOWN_FIRST_FIELD, "07", CTime(1998, 12, 7, 21, 7, 33)},
        {1, IDC_FLOWN_SECOND_FIELD, "11", CTime(1998, 11, 5, 21, 7, 33)},
        {0, IDC_FLOWN_FIRST_FIELD, "11", CTime(1998, 11, 5, 21, 7, 33)},
        {0, IDC_FLOWN_SECOND_FIELD, "07", CTime(1998, 12, 7, 21, 7, 33)},
        {1, IDC_FLOWN_FIRST_FIELD, "32", CTime(1999, 1, 1, 21, 7, 33)}, // rolls over
        {1, IDC_FLOWN_SECOND_FIELD, "2", CTime(1998, 2, 5, 21, 7, 33)},
        {1, IDC_FLOWN_TIME, "0930", CTime(1998, 12, 5, 9, 30, 0)},
    };
    for (const auto& c : cases) {
        m_settings.m_nDateFormat = c.nDateFormat;
        m_mission.SetFlown(dec5);
        Run([&](CDialogDriver& d) {
            d.Replace(c.nId, c.pszText);
            d.Click(IDOK);
        });
        EXPECT_EQ(m_mission.GetFlown(), c.expected) << c.nDateFormat << " " << c.nId << " " << c.pszText;
    }

    m_mission.SetFlown(dec5);
    Run([&](CDialogDriver& d) {
        d.Replace(IDC_FLOWN_YEAR, "98");
        EXPECT_FALSE(m_mission.GetFlown().IsValid());
        d.Clear(IDC_FLOWN_YEAR);
        for (const char* pszKey : {"1", "9", "9"}) {
            d.Type(IDC_FLOWN_YEAR, pszKey);
            EXPECT_FALSE(m_mission.GetFlown().IsValid()) << d.Text(IDC_FLOWN_YEAR);
        }
        d.Type(IDC_FLOWN_YEAR, "8");
        EXPECT_EQ(m_mission.GetFlown(), dec5);
        d.Replace(IDC_FLOWN_YEAR, "98");
        d.Click(IDOK);
    });
    // The invalid date shows as empty date fields.
    Run([&](CDialogDriver& d) {
        for (int nId : {IDC_FLOWN_FIRST_FIELD, IDC_FLOWN_SECOND_FIELD, IDC_FLOWN_YEAR, IDC_FLOWN_TIME})
            EXPECT_EQ(d.Text(nId), "");
        d.Click(IDOK);
    });
}

// Numbers past any sensible range wrap like the 32-bit counts they fill.
TEST_F(MissionDlgTest, HugeNumbersAreTakenWithoutHarm)
{
    Run([&](CDialogDriver& d) {
        d.Replace(IDC_TAKEOFF_DAYS, "4294967297"); // wraps to 1
        d.Replace(IDC_TAKEOFF_TIME, "0:0:5");
        EXPECT_EQ(m_mission.GetTakeoff(), CTimeSpan(86405));
        d.Replace(IDC_DURATION, "99999999:99:99");
        d.Replace(IDC_FLOWN_YEAR, "-2147483648");
        EXPECT_FALSE(m_mission.GetFlown().IsValid());
        d.Replace(IDC_FLOWN_TIME, "2147483647:2147483647:2147483647");
        d.Click(IDOK);
    });
}

TEST_F(MissionDlgTest, TitleListsAndNotesAreStoredAsChanged)
{
    Run([&](CDialogDriver& d) {
        d.Clear(IDC_MISSION_TITLE);
        d.Type(IDC_MISSION_TITLE, "CAP");
        EXPECT_EQ(m_mission.GetTitle(), "CAP");
        d.Select(IDC_MISSION_SIDE, 4);
        d.Select(IDC_PILOT_STATUS, 3);
        d.Select(IDC_RESULT, 2);
        d.Type(IDC_NOTES, "Two\nlines");
        d.Click(IDOK);
    });
    EXPECT_EQ(m_mission.GetSide(), 4);
    EXPECT_EQ(m_mission.GetPilotStatus(), 3);
    EXPECT_EQ(m_mission.GetResult(), 2);
    EXPECT_EQ(m_mission.GetComments(), "Two\r\nlines");
}

// Escape does nothing and Cancel cannot be pressed: Close is the only way out.
TEST_F(MissionDlgTest, OnlyCloseEndsTheDialog)
{
    EXPECT_EQ(Run([&](CDialogDriver& d) {
                  d.Type(IDC_MISSION_TITLE, "!");
                  d.Escape();
                  EXPECT_FALSE(d.IsEnded());
                  EXPECT_FALSE(d.Dialog().UserClick(IDCANCEL));
                  EXPECT_FALSE(d.IsEnded());
                  d.Click(IDOK);
              }),
              IDOK);
    EXPECT_EQ(m_mission.GetTitle(), "New Mission!");
}

TEST_F(MissionDlgTest, AddRunsKillDetailsOnANewRecord)
{
    FillMission();
    Run([&](CDialogDriver& d) {
        m_host.ExpectDialog(IDD_KILL, [](CDialogDriver& k) {
            k.Select(KillIds::IDC_TARGET, 18);
            k.Click(IDOK);
        });
        d.Click(IDC_ADD_KILL);
        EXPECT_EQ(d.RowCount(IDC_KILL_LIST), 4);
        EXPECT_EQ(d.Selection(IDC_KILL_LIST), 3);
        EXPECT_EQ(d.SelectedText(IDC_KILL_LIST), "00:00:00  F-15 (Unknown 0)");

        m_host.ExpectDialog(IDD_KILL, [](CDialogDriver& k) {
            k.Select(KillIds::IDC_TARGET, 40);
            k.Escape();
        });
        d.Click(IDC_ADD_KILL);
        EXPECT_EQ(d.RowCount(IDC_KILL_LIST), 4);
        EXPECT_EQ(d.Selection(IDC_KILL_LIST), 3);
        d.Click(IDOK);
    });
    ASSERT_EQ(m_mission.GetKillCount(), 4);
    EXPECT_EQ(m_mission.GetKill(3)->GetTarget(), 18);
    EXPECT_TRUE(m_mission.IsModified());

    // A cancelled Add alone still leaves the mission marked modified.
    SaveToScratch(m_mission);
    Run([&](CDialogDriver& d) {
        m_host.ExpectDialog(IDD_KILL, [](CDialogDriver& k) { k.Click(IDCANCEL); });
        d.Click(IDC_ADD_KILL);
        d.Click(IDOK);
    });
    EXPECT_EQ(m_mission.GetKillCount(), 4);
    EXPECT_TRUE(m_mission.IsModified());
}

// Edit, a double-click and Del act on the selected row; the list is
// rebuilt afterwards with its selected and top rows kept by number.
TEST_F(MissionDlgTest, EditAndDelActOnTheSelectedRow)
{
    FillMission();
    Run([&](CDialogDriver& d) {
        d.Click(IDC_EDIT_KILL); // nothing selected: nothing happens
        d.Click(IDC_DEL_KILL);
        EXPECT_EQ(d.RowCount(IDC_KILL_LIST), 3);

        d.Scroll(IDC_KILL_LIST, 1);
        d.Select(IDC_KILL_LIST, 1);
        m_host.ExpectDialog(IDD_KILL, [](CDialogDriver& k) {
            EXPECT_EQ(k.SelectedText(KillIds::IDC_TARGET), "Kub Launcher");
            k.Select(KillIds::IDC_KILL_SIDE, 2);
            k.Click(IDOK);
        });
        d.Click(IDC_EDIT_KILL);
        EXPECT_EQ(d.Items(IDC_KILL_LIST)[1], "00:24:50 Ukrainian Kub Launcher (FAB-500)");
        EXPECT_EQ(d.Selection(IDC_KILL_LIST), 1);
        EXPECT_EQ(d.TopIndex(IDC_KILL_LIST), 1);

        m_host.ExpectDialog(IDD_KILL, [](CDialogDriver& k) {
            k.Select(KillIds::IDC_KILL_SIDE, 4);
            k.Click(IDCANCEL);
        });
        d.DoubleClick(IDC_KILL_LIST, 0);
        EXPECT_EQ(d.Items(IDC_KILL_LIST)[0], "00:20:12 NATO F-15 (2 R-27rs)");
        EXPECT_EQ(d.Selection(IDC_KILL_LIST), 0);

        d.Click(IDC_DEL_KILL);
        EXPECT_EQ(d.Items(IDC_KILL_LIST), (std::vector<std::string>{"00:24:50 Ukrainian Kub Launcher (FAB-500)",
                                                                    "00:24:51  Kub Radar (FAB-500)"}));
        EXPECT_EQ(d.Selection(IDC_KILL_LIST), 0);
        d.Select(IDC_KILL_LIST, 1);
        d.Click(IDC_DEL_KILL); // the last row: none selected afterwards
        EXPECT_EQ(d.RowCount(IDC_KILL_LIST), 1);
        EXPECT_EQ(d.Selection(IDC_KILL_LIST), -1);
        d.Click(IDOK);
    });
    ASSERT_EQ(m_mission.GetKillCount(), 1);
    EXPECT_EQ(m_mission.GetKill(0)->GetSide(), 2);
}

} // namespace
