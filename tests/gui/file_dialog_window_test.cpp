// The toolkit's file chooser behind CFileDialog, answered with typed paths.
#include <filesystem>
#include <fstream>
#include <memory>

#include <wx/time.h>

#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "tests/gui/gui_test.h"
#include "tests/support/scratch_dir.h"

namespace {

class FileDialogWindow : public CGuiTest {
protected:
    void SetUp() override
    {
        CGuiTest::SetUp();
        std::ofstream(m_dir / "flight.stt") << "x";
    }

    static CGuiScript& WaitForChooser(CGuiScript& script)
    {
        return script
            .WaitFor("the file chooser", [] {
                wxTopLevelWindow* pChooser = FindToolkitWindow();
                return pChooser && pChooser->IsShown();
            })
            // The desktop's chooser tells nobody when it is ready for keys.
            .WaitFor("the file chooser ready", [nStart = std::make_shared<long long>(-1)] {
                const long long nNow = wxGetLocalTimeMillis().GetValue();
                if (*nStart < 0)
                    *nStart = nNow;
                return nNow - *nStart >= 500;
            });
    }

    // Replaces the save chooser's name with the path and presses Enter.
    static void Answer(CGuiScript& script, const std::string& strPath)
    {
        WaitForChooser(script).Do([strPath] {
            MovePointerInto(FindToolkitWindow()); // without a window manager the keys follow the pointer
            PressKey('A', wxMOD_CONTROL);
            TypeText(strPath.c_str());
            PressKey(WXK_RETURN); // the keys arrive in order
        });
    }

    CScratchDir m_scratch;
    const std::filesystem::path m_dir = m_scratch.Path();
};

TEST_F(FileDialogWindow, OpensTheInitialFileWithEnter)
{
    const std::string strPath = (m_dir / "flight.stt").string();
    CFileDialog dlg(true, "stt", strPath, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                    "Debriefing Files (*.stt)|*.stt|All Files|*.*||");
    dlg.SetFilterIndex(2);
    CGuiScript script;
    WaitForChooser(script).Do([] {
        MovePointerInto(FindToolkitWindow());
        PressKey(WXK_RETURN); // the initial file is selected
    });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(dlg.GetPathName(), strPath);
    EXPECT_EQ(dlg.GetFilterIndex(), 2);
}

TEST_F(FileDialogWindow, SaveAddsTheDefaultExtension)
{
    CFileDialog dlg(false, "log", "pilot.log", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, "Log Files (*.log)|*.log||");
    CGuiScript script;
    Answer(script, (m_dir / "newpilot").string());
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(dlg.GetPathName(), (m_dir / "newpilot.log").string());
}

TEST_F(FileDialogWindow, EscapeCancels)
{
    CFileDialog dlg(true, "", "VORTANE.EXE", OFN_HIDEREADONLY, "");
    CGuiScript script;
    WaitForChooser(script).Do([] {
        MovePointerInto(FindToolkitWindow());
        PressKey(WXK_ESCAPE);
    });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(dlg.GetPathName(), "");
}

} // namespace
