// The menu commands of the application object, run from the main window's
// menu as the user runs them.
#include "app/log_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "log/log_doc.h"
#include "log/settings.h"
#include "res/resource_ids.h"
#include "tests/app/app_test_env.h"
#include "tests/support/debrief_builder.h"
#include "tests/support/test_host.h"

namespace {

using namespace LogDlgIds;

const char* const kSaveQuestion = "Save changes to the current log?";
const unsigned kYesNo = MB_YESNO | MB_ICONEXCLAMATION;

class AppCommands : public ::testing::Test {
protected:
    AppCommands() { m_env.WriteSettings(kSetUpSettings); }

    // A log of the given careers, named after their missions' titles.
    std::string WriteLog(const std::vector<std::vector<std::string>>& careers, const std::string& strName = "pilot.log",
                         const std::string& strPilot = "Ace")
    {
        CPilot pilot;
        pilot.SetName(strPilot);
        for (std::size_t c = 0; c < careers.size(); ++c) {
            CCareer& career = c == 0 ? *pilot.GetCareer(0) : *pilot.AddCareer();
            for (const std::string& strTitle : careers[c])
                career.AddMission()->SetTitle(strTitle);
        }
        return m_env.WriteLog(pilot, strName);
    }

    // Starts the program on the log (none: untitled) and runs the script in
    // its main window; the script leaves through Exit, answering No to a
    // question about unsaved changes.
    void Run(const std::string& strLog, std::function<void(CDialogDriver&)> fnScript)
    {
        std::vector<std::string> args;
        if (!strLog.empty())
            args = {"/LOG", strLog};
        CLogApp app(args);
        m_host.ExpectDialog(IDD_LOG_DIALOG, [&](CDialogDriver& d) {
            fnScript(d);
            m_host.Verify();
            if (GetCurrentLogDoc()->IsModified())
                m_host.ExpectMessageBox(kSaveQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDNO);
            d.Command(ID_APP_EXIT);
        });
        app.InitInstance();
    }

    static CLogDoc& Doc() { return *GetCurrentLogDoc(); }
    static CPilot& Pilot() { return *Doc().GetPilot(); }

    CAppTestEnv m_env;
    CTestHost m_host;
};

TEST_F(AppCommands, NewLogReplacesTheLogUnlessAYesFindsNoSave)
{
    Run("", [&](CDialogDriver& d) {
        const CLogDoc* pFirst = GetCurrentLogDoc();
        d.Command(ID_FILE_NEW); // unchanged: no question
        EXPECT_NE(GetCurrentLogDoc(), pFirst);

        d.Type(IDC_NAME, "Ace");
        m_host.ExpectMessageBox(kSaveQuestion, kYesNo, IDYES);
        m_host.ExpectFileDialogCancel().AsOpen(false);
        d.Command(ID_FILE_NEW);
        EXPECT_EQ(Pilot().GetName(), "Ace") << "the save was cancelled: the changes stay";

        m_host.ExpectMessageBox(kSaveQuestion, kYesNo, IDNO);
        d.Command(ID_FILE_NEW);
        EXPECT_EQ(Pilot().GetName(), "");
        EXPECT_EQ(d.Text(IDC_NAME), "");

        d.Type(IDC_NAME, "Bo");
        const std::string strSaved = m_env.Path("bo.log");
        m_host.ExpectMessageBox(kSaveQuestion, kYesNo, IDYES);
        m_host.ExpectFileDialog(strSaved).AsOpen(false);
        d.Command(ID_FILE_NEW);
        EXPECT_EQ(Pilot().GetName(), "");
        EXPECT_EQ(Doc().GetFileName(), "");
        EXPECT_EQ(d.Caption(), "Untitled");
        EXPECT_TRUE(CAppTestEnv::Exists(strSaved));
    });
}

TEST_F(AppCommands, OpenLogAsksFirstAndStopsWhenTheSaveFails)
{
    const std::string strOther = WriteLog({{"Other"}}, "other.log", "Other");
    const std::string strLog = WriteLog({{"A"}});
    Run(strLog, [&](CDialogDriver& d) {
        d.Type(IDC_NAME, "s");
        m_host.ExpectFileDialogCancel().AsOpen(false);
        d.Command(ID_FILE_SAVE_AS);
        m_host.Verify();
        EXPECT_EQ(Doc().GetFileName(), "") << "Save As cancelled leaves the log untitled";
        m_host.ExpectFileDialogCancel().AsOpen(false);
        d.Command(ID_FILE_SAVE); // and Save asks for a name

        // Yes, and the save dialog cancelled: the open dialog never comes.
        m_host.ExpectMessageBox(kSaveQuestion, kYesNo, IDYES);
        m_host.ExpectFileDialogCancel().AsOpen(false);
        d.Command(ID_FILE_OPEN);
        EXPECT_EQ(Pilot().GetName(), "Aces");

        m_host.ExpectMessageBox(kSaveQuestion, kYesNo, IDNO);
        m_host.ExpectFileDialog(strOther).AsOpen(true);
        d.Command(ID_FILE_OPEN);
        EXPECT_EQ(Pilot().GetName(), "Other");
        EXPECT_EQ(d.Caption(), strOther);
    });
}

TEST_F(AppCommands, SaveWritesAnUnchangedLogAgain)
{
    const std::string strLog = WriteLog({{"A"}});
    Run(strLog, [&](CDialogDriver& d) {
        std::filesystem::remove(strLog);
        d.Command(ID_FILE_SAVE);
        EXPECT_EQ(CAppTestEnv::MissionTitles(strLog), std::vector<std::string>{"A"});
        EXPECT_FALSE(Doc().IsModified());
    });
}

TEST_F(AppCommands, ASaveCancelledInItsDialogLeavesAnUnchangedLogUnchanged)
{
    Run(WriteLog({{"A"}}), [&](CDialogDriver& d) {
        for (int nCommand : {ID_FILE_SAVE_AS, ID_FILE_SAVE}) { // Save: the log is untitled by now
            m_host.ExpectFileDialogCancel().AsOpen(false);
            d.Command(nCommand);
            m_host.Verify();
            EXPECT_FALSE(Doc().IsModified()) << nCommand;
        }
        d.Command(ID_FILE_NEW); // asks nothing
    });
}

TEST_F(AppCommands, RevertReloadsTheFileAndAsksOnlyAboutChanges)
{
    const std::string strLog = WriteLog({{"A"}});
    Run(strLog, [&](CDialogDriver& d) {
        EXPECT_TRUE(d.IsCommandEnabled(ID_FILE_REVERT));
        EXPECT_FALSE(d.IsCommandEnabled(ID_FILE_PRINT_SETUP));
        WriteLog({{"A", "B"}}, "pilot.log", "Changed on disk");
        d.Command(ID_FILE_REVERT); // unchanged: no question
        EXPECT_EQ(d.Text(IDC_NAME), "Changed on disk");

        d.Type(IDC_NAME, "!");
        for (int nAnswer : {IDNO, IDCANCEL}) {
            m_host.ExpectMessageBox("Discard changes to the current log?", MB_YESNOCANCEL | MB_ICONEXCLAMATION,
                                    nAnswer);
            d.Command(ID_FILE_REVERT);
            EXPECT_EQ(Pilot().GetName(), "Changed on disk!") << nAnswer;
        }
        m_host.ExpectMessageBox("Discard changes to the current log?", MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDYES);
        d.Command(ID_FILE_REVERT);
        EXPECT_EQ(d.Text(IDC_NAME), "Changed on disk");
        EXPECT_FALSE(Doc().IsModified());
    });
}

TEST_F(AppCommands, DeleteCareerNeedsTwoCareersAndAYes)
{
    Run(WriteLog({{"A"}}), [&](CDialogDriver& d) {
        d.Command(ID_DELETE_CAREER); // the only career: nothing asked, nothing done
        EXPECT_EQ(Pilot().GetCareerCount(), 1);
    });
    Run(WriteLog({{"A"}, {"B"}, {"C"}}), [&](CDialogDriver& d) {
        const std::string strQuestion = "Are you sure you want to delete this career and any missions it contains?";
        ASSERT_EQ(Pilot().GetCurrentCareerIndex(), 2);
        m_host.ExpectMessageBox(strQuestion, kYesNo, IDNO);
        d.Command(ID_DELETE_CAREER);
        EXPECT_EQ(Pilot().GetCareerCount(), 3);
        m_host.ExpectMessageBox(strQuestion, kYesNo, IDYES);
        d.Command(ID_DELETE_CAREER);
        EXPECT_EQ(Pilot().GetCareerCount(), 2);
        EXPECT_EQ(Pilot().GetCurrentCareerIndex(), 1);
        EXPECT_EQ(d.Items(IDC_MISSION_LIST).size(), 1u);
    });
}

TEST_F(AppCommands, PhotographStoresTheChosenNameUnread)
{
    Run(WriteLog({{"A"}}), [&](CDialogDriver& d) {
        const std::string strFilter = "Windows Bitmaps|*.bmp|All Files|*.*||";
        m_host.ExpectFileDialogCancel().AsOpen(true).WithFileName("").WithDefExt("bmp").WithFilter(strFilter).WithFlags(
            OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
        d.Command(ID_PHOTOGRAPH);
        EXPECT_FALSE(Doc().IsModified());

        const std::string strText = m_env.Path("notes.txt");
        CAppTestEnv::WriteFile(strText, "not a bitmap");
        m_host.ExpectFileDialog(strText);
        d.Command(ID_PHOTOGRAPH);
        m_host.Verify();
        EXPECT_EQ(Doc().GetPhoto(), strText);
        m_host.ExpectFileDialogCancel().WithFileName(strText);
        d.Command(ID_PHOTOGRAPH);
    });
}

TEST_F(AppCommands, ExamineDebriefRemembersEveryFileChosen)
{
    const CTempDebrief good("good.stt");
    CDebriefBuilder builder;
    builder.AddPlayer(1);
    builder.Write(good.GetPath());
    const std::string strCut = m_env.Path("cut.stt");
    WriteBytes(strCut, std::vector<std::uint8_t>(60, 0)); // a header and no complete record
    const std::string strFilter = "Debriefing Files (*.stt)|*.stt|All Files|*.*||";
    Run(WriteLog({{"A"}}), [&](CDialogDriver& d) {
        m_host.ExpectFileDialogCancel()
            .AsOpen(true)
            .WithFileName("debrf.tmp")
            .WithDefExt("stt")
            .WithFilter(strFilter)
            .WithFlags(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
        d.Command(ID_EXAMINE_DEBRIEF);
        EXPECT_EQ(CSettings().ReadString("File", "Last_STT", "none"), "none");

        m_host.ExpectFileDialog(strCut);
        m_host.ExpectMessageBox("Could Not Open " + strCut, MB_OK | MB_ICONSTOP);
        d.Command(ID_EXAMINE_DEBRIEF);
        m_host.Verify();
        EXPECT_EQ(CSettings().ReadString("File", "Last_STT", ""), strCut);

        m_host.ExpectFileDialog(good.GetPath()).WithFileName(strCut);
        m_host.ExpectDialog(IDD_DEBRIEF_VIEW, [](CDialogDriver& viewer) {
            EXPECT_EQ(viewer.RowCount(ViewerIds::IDC_EVENT_LIST), 1);
            viewer.Escape();
        });
        d.Command(ID_EXAMINE_DEBRIEF);
        m_host.Verify();
        EXPECT_EQ(CSettings().ReadString("File", "Last_STT", ""), good.GetPath());
        EXPECT_FALSE(Doc().IsModified());
    });
}

} // namespace
