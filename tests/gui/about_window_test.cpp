#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/nativewin.h>
#include <wx/stattext.h>

#include "dialogs/about_dlg.h"
#include "res/resource_ids.h"
#include "tests/gui/gui_test.h"

namespace {

template <class T>
void Collect(wxWindow* pParent, std::vector<T*>& found)
{
    for (wxWindow* pChild : pParent->GetChildren()) {
        if (auto p = dynamic_cast<T*>(pChild))
            found.push_back(p);
        Collect(pChild, found);
    }
}

using AboutWindow = CGuiTest;

TEST_F(AboutWindow, ShowsNameAndPicturesUnclippedAndEnterClosesItWithOk)
{
    CAboutDlg dlg;
    CGuiScript script;
    WaitForWindow(script, IDD_ABOUTBOX)
        .Do([] {
            wxTopLevelWindow* pWindow = FindDialogWindow(IDD_ABOUTBOX)->GetWindow();
            EXPECT_EQ(pWindow->GetTitle(), "About the Sortavel Manager");
            const wxRect client(wxPoint(0, 0), pWindow->GetClientSize());

            std::vector<wxStaticText*> labels;
            Collect(pWindow, labels);
            std::vector<wxString> texts;
            for (wxStaticText* pLabel : labels) {
                texts.push_back(pLabel->GetLabel());
                // Nothing clipped: the text fits its control.
                EXPECT_LE(pLabel->GetTextExtent(pLabel->GetLabel()).x, pLabel->GetSize().x) << pLabel->GetLabel();
            }
            EXPECT_EQ(texts, (std::vector<wxString>{"Sortavel", "Manager", "for", "Vortane"}));

            std::vector<wxNativeWindow*> frames; // the etched frame
            Collect(pWindow, frames);
            ASSERT_EQ(frames.size(), 1u);
            const wxRect frame = frames[0]->GetRect();
            for (wxStaticText* pLabel : labels)
                EXPECT_TRUE(frame.Contains(pLabel->GetRect())) << pLabel->GetLabel();

            std::vector<wxStaticBitmap*> pictures;
            Collect(pWindow, pictures);
            ASSERT_EQ(pictures.size(), 2u);
            for (wxStaticBitmap* pPicture : pictures) {
                ASSERT_TRUE(pPicture->GetBitmap().IsOk());
                // The picture's box holds the whole bitmap, inside the window.
                EXPECT_LE(pPicture->GetBitmap().GetWidth(), pPicture->GetSize().x);
                EXPECT_LE(pPicture->GetBitmap().GetHeight(), pPicture->GetSize().y);
                EXPECT_TRUE(client.Contains(pPicture->GetRect()));
            }
            EXPECT_LT(pictures[0]->GetRect().GetRight(), frame.GetLeft());
            EXPECT_GT(pictures[1]->GetRect().GetLeft(), frame.GetRight());

            wxWindow* pOk = FindControl(IDD_ABOUTBOX, IDOK);
            ASSERT_NE(pOk, nullptr);
            EXPECT_EQ(pOk->GetLabel(), "OK");
            EXPECT_EQ(pWindow->GetDefaultItem(), pOk);
            EXPECT_TRUE(client.Contains(pOk->GetRect()));
            EXPECT_TRUE(SaveScreenshot(pWindow, "about"));
        })
        .Do([] { PressKey(WXK_RETURN); });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.IsFinished());
}

TEST_F(AboutWindow, EscapeCancelsIt)
{
    CAboutDlg dlg;
    CGuiScript script;
    WaitForWindow(script, IDD_ABOUTBOX).Do([] { PressKey(WXK_ESCAPE); });
    script.Start();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.IsFinished());
}

} // namespace
