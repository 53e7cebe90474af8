#include "dialogs/about_dlg.h"

#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "tests/support/test_host.h"

namespace {

// The texts of the static labels, top to bottom.
std::vector<std::string> Labels(const CDialog& dlg)
{
    std::vector<std::string> labels;
    for (const auto& pCtl : dlg.GetControls())
        if (pCtl->GetKind() == EControlKind::Static)
            labels.push_back(pCtl->m_strText);
    return labels;
}

TEST(AboutDlg, ShowsTheNameBetweenBothPicturesAndClosesWithOk)
{
    CTestHost host;
    CAboutDlg dlg;
    host.ExpectDialog(IDD_ABOUTBOX, [&](CDialogDriver& d) {
        EXPECT_EQ(d.Caption(), "About the Sortavel Manager");
        EXPECT_EQ(Labels(dlg), (std::vector<std::string>{"Sortavel", "Manager", "for", "Vortane"}));
        std::vector<int> pictures;
        for (const auto& pCtl : dlg.GetControls())
            if (pCtl->GetKind() == EControlKind::Picture)
                pictures.push_back(pCtl->m_nBitmapId);
        EXPECT_EQ(pictures, (std::vector<int>{IDB_ABOUT_LEFT, IDB_PHOTO_DEFAULT}));
        EXPECT_EQ(d.FocusId(), IDOK);
        d.Enter();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(AboutDlg, EscapeAndTheCloseBoxCancel)
{
    CTestHost host;
    host.ExpectDialog(IDD_ABOUTBOX, [](CDialogDriver& d) { d.Escape(); });
    CAboutDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(AboutDlg, TheNameIsCentredInsideTheFrameBetweenThePictures)
{
    const CDialogTemplate& tmpl = CAboutDlg().GetTemplate();
    const CControlTemplate* pFrame = nullptr;
    std::vector<const CControlTemplate*> pictures, labels;
    for (const CControlTemplate& ctl : tmpl.m_controls) {
        if (ctl.m_eKind == EControlKind::EtchedFrame)
            pFrame = &ctl;
        else if (ctl.m_eKind == EControlKind::Picture)
            pictures.push_back(&ctl);
        else if (ctl.m_eKind == EControlKind::Static)
            labels.push_back(&ctl);
    }
    ASSERT_NE(pFrame, nullptr);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_LE(pictures[0]->x + pictures[0]->cx, pFrame->x);
    EXPECT_GE(pictures[1]->x, pFrame->x + pFrame->cx);
    for (const CControlTemplate* pLabel : labels) {
        EXPECT_TRUE(pLabel->m_nStyle & SS_CENTER) << pLabel->m_strText;
        EXPECT_GE(pLabel->x, pFrame->x);
        EXPECT_LE(pLabel->x + pLabel->cx, pFrame->x + pFrame->cx);
        EXPECT_GE(pLabel->y, pFrame->y);
        EXPECT_LE(pLabel->y + pLabel->cy, pFrame->y + pFrame->cy);
    }
    for (const CControlTemplate* pPicture : pictures)
        EXPECT_TRUE(pPicture->m_nStyle & SS_CENTER);
}

} // namespace
