#include "dialogs/debrief_view_dlg.h"

#include <gtest/gtest.h>

#include "debrief/debrief.h"
#include "res/resource_ids.h"
#include "tests/support/debrief_builder.h"
#include "tests/support/test_host.h"

namespace {

using namespace ViewerIds;

// A short flight: the player (12) fires a missile (40) that kills a tank (17);
// a ground unit (0) appears; the tank's gun fires a round (41) at 12.
class DebriefViewDlg : public testing::Test {
protected:
    void SetUp() override
    {
        CDebriefBuilder builder;
        builder.AddPlayer(12, 3, 18);                                                                       // 0
        builder.AddObject(Seconds(5), 17, 70, 1, EVENT_ENTRY | EVENT_GND);                                  // 1
        builder.AddObject(Seconds(6), 0, 70, 1);                                                            // 2
        builder.AddRelease(Seconds(20), 12, 40, 60);                                                        // 3
        builder.AddKill(Seconds(29), 17, 70, 40, 1, EVENT_GND);                                             // 4
        builder.AddRelease(Seconds(30), 17, 41, 91, 15);                                                    // 5
        builder.AddHit(Seconds(31), 12, 18, 41, 3, EVENT_AIR);                                              // 6
        builder.Add({.time = Seconds(29560).nSixteenths + 15, .status = 1024, .object = 12, .parent = 12}); // 7
        builder.Write(m_file.GetPath());
        ASSERT_TRUE(m_debrief.Open(m_file.GetPath()));
        m_dlg.m_pDebrief = &m_debrief;
    }

    // The item data of every row: the event numbers shown.
    static std::vector<std::intptr_t> Rows(CDialogDriver& d)
    {
        std::vector<std::intptr_t> rows;
        for (int i = 0; i < d.RowCount(IDC_EVENT_LIST); ++i)
            rows.push_back(d.ItemData(IDC_EVENT_LIST, i));
        return rows;
    }

    void Run(CTestHost::Script script)
    {
        m_host.ExpectDialog(IDD_DEBRIEF_VIEW, std::move(script));
        m_dlg.DoModal();
    }

    CTestHost m_host;
    CTempDebrief m_file;
    CDebrief m_debrief;
    CDebriefViewDlg m_dlg;
};

TEST_F(DebriefViewDlg, ShowsEveryEventInFileOrderWithNoFilterTicked)
{
    Run([](CDialogDriver& d) {
        EXPECT_EQ(d.Caption(), "STT File Contents");
        EXPECT_EQ(d.Headings(IDC_EVENT_LIST), (std::vector<std::string>{"Time", "Status", "Country", "Byte1", "Byte2",
                                                                        "Byte3", "Shape", "Object", "Parent"}));
        EXPECT_EQ(Rows(d), (std::vector<std::intptr_t>{0, 1, 2, 3, 4, 5, 6, 7}));
        for (int nRadio : {IDC_SHOW_ALL, IDC_SHOW_OBJECT, IDC_SHOW_CHILDREN})
            EXPECT_FALSE(d.IsChecked(nRadio)) << nRadio;
        EXPECT_EQ(d.Text(IDC_OBJECT_ID), "");
        EXPECT_EQ(d.FocusId(), IDC_EVENT_LIST);
        auto row = [&](int nRow) {
            std::vector<std::string> cells;
            for (int c = 0; c < 9; ++c)
                cells.push_back(d.Cell(IDC_EVENT_LIST, nRow, c));
            return cells;
        };
        // Time 0 stays 0 although the journal would give it a time; 68 is Dyn and Add.
        EXPECT_EQ(row(0),
                  (std::vector<std::string>{"0-00:00:00", "Dyn Add ", "NATO", "0", "5", "0", "F-15", "12", "12"}));
        EXPECT_EQ(row(4), (std::vector<std::string>{"0-00:00:29", "Gnd Kill ", "Russian", "0", "0", "0", "T-72 Tank",
                                                    "17", "40"}));
        // Sixteenths truncate; Sec alone has no blank after it.
        EXPECT_EQ(row(7),
                  (std::vector<std::string>{"0-08:12:40", "Sec", "Unknown", "0", "0", "0", "Unknown 0", "12", "12"}));
        d.Escape();
    });
}

TEST_F(DebriefViewDlg, FiltersByTheIdentifierTypedAsA16BitNumber)
{
    struct Case {
        const char* pszTyped;
        int nRadio;
        std::vector<std::intptr_t> rows;
    };
    const std::vector<Case> cases{
        {"", IDC_SHOW_OBJECT, {2}},     // empty reads as 0
        {"", IDC_SHOW_CHILDREN, {}},    // parent 0, object not 0: none here
        {"12", IDC_SHOW_CHILDREN, {3}}, // what 12 released, not 12's own records
        {"12", IDC_SHOW_OBJECT, {0, 6, 7}},
        {" +17abc", IDC_SHOW_OBJECT, {1, 4}}, // blanks, a sign, digits up to the first other character
        {"40", IDC_SHOW_CHILDREN, {4}},       // what the missile struck
        {"-1", IDC_SHOW_OBJECT, {}},          // 65535: no such object
        {"65553", IDC_SHOW_OBJECT, {1, 4}},   // 65553 is 17 in 16 bits
        {"x12", IDC_SHOW_OBJECT, {2}},        // no digits first: 0
        {"12", IDC_SHOW_ALL, {0, 1, 2, 3, 4, 5, 6, 7}},
    };
    Run([&](CDialogDriver& d) {
        for (const Case& c : cases) {
            d.Replace(IDC_OBJECT_ID, c.pszTyped);
            d.Click(c.nRadio);
            EXPECT_EQ(Rows(d), c.rows) << '"' << c.pszTyped << "\" " << c.nRadio;
            EXPECT_TRUE(d.IsChecked(c.nRadio));
        }
        d.Escape();
    });
    EXPECT_EQ(CDebriefViewDlg::ParseObjectId("-1"), 65535);
    EXPECT_EQ(CDebriefViewDlg::ParseObjectId("\t\n 42 7"), 42);
    EXPECT_EQ(CDebriefViewDlg::ParseObjectId("-"), 0);
    EXPECT_EQ(CDebriefViewDlg::ParseObjectId("4294967313"), 17); // 2^32 + 17: no overflow, 16 bits kept
}

TEST_F(DebriefViewDlg, ARowClickedCopiesItsObjectWithoutRefilling)
{
    Run([](CDialogDriver& d) {
        d.Replace(IDC_OBJECT_ID, "12");
        d.Click(IDC_SHOW_OBJECT);
        ASSERT_EQ(Rows(d), (std::vector<std::intptr_t>{0, 6, 7}));
        d.Click(IDC_SHOW_ALL);
        d.Select(IDC_EVENT_LIST, 4); // the tank's kill
        EXPECT_EQ(d.Text(IDC_OBJECT_ID), "17");
        EXPECT_EQ(d.RowCount(IDC_EVENT_LIST), 8);
        EXPECT_EQ(d.Selection(IDC_EVENT_LIST), 4);
        d.Click(IDC_SHOW_OBJECT);
        EXPECT_EQ(Rows(d), (std::vector<std::intptr_t>{1, 4}));
        d.Escape();
    });
}

TEST_F(DebriefViewDlg, ColumnsAreTheirWidestTextPlus16)
{
    // The test host measures 6 pixels a character; the headings do not count.
    Run([](CDialogDriver& d) {
        auto widths = [&] {
            std::vector<int> w;
            for (int c = 0; c < 9; ++c)
                w.push_back(d.ColumnWidth(IDC_EVENT_LIST, c));
            return w;
        };
        EXPECT_EQ(widths(), (std::vector<int>{76, 88, 58, 22, 28, 22, 76, 28, 28}));
        d.Replace(IDC_OBJECT_ID, "0");
        d.Click(IDC_SHOW_CHILDREN);
        EXPECT_EQ(d.RowCount(IDC_EVENT_LIST), 0);
        EXPECT_EQ(widths(), std::vector<int>(9, 16));
        d.Escape();
    });
}

TEST(DebriefViewDlgWithoutDebrief, ShowsAnEmptyTable)
{
    CTestHost host;
    CDebriefViewDlg dlg;
    host.ExpectDialog(IDD_DEBRIEF_VIEW, [](CDialogDriver& d) {
        EXPECT_EQ(d.RowCount(IDC_EVENT_LIST), 0);
        EXPECT_EQ(d.ColumnWidth(IDC_EVENT_LIST, 0), -1); // never set
        d.Click(IDC_SHOW_OBJECT);
        EXPECT_EQ(d.RowCount(IDC_EVENT_LIST), 0);
        d.Enter(); // no default button: Enter closes it
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

} // namespace
