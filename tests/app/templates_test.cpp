// Every dialog template of the program, with the handler table of the class
// built on it, keeps the rules of a sound template.
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "app/log_dlg.h"
#include "dialogs/about_dlg.h"
#include "dialogs/debrief_view_dlg.h"
#include "dialogs/kill_dlg.h"
#include "dialogs/mission_dlg.h"
#include "dialogs/prefs_dlg.h"
#include "platform/template_check.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

namespace {

struct CDialogClass {
    const char* m_pszName;
    int m_nTemplateId;
    std::function<std::unique_ptr<CDialog>()> m_fnMake;
};

template <class T>
CDialogClass Entry(const char* pszName, int nTemplateId)
{
    return {pszName, nTemplateId, [] { return std::make_unique<T>(); }};
}

const std::vector<CDialogClass>& DialogClasses()
{
    static const std::vector<CDialogClass> classes{
        Entry<CAboutDlg>("About", IDD_ABOUTBOX),
        Entry<CMissionDlg>("MissionDetails", IDD_MISSION),
        Entry<CKillDlg>("KillDetails", IDD_KILL),
        Entry<CLogDlg>("MainWindow", IDD_LOG_DIALOG), // the program's one top-level window
        Entry<CPrefsDlg>("Preferences", IDD_PREFERENCES),
        Entry<CDebriefViewDlg>("DebriefViewer", IDD_DEBRIEF_VIEW),
    };
    return classes;
}

class EveryDialog : public testing::TestWithParam<CDialogClass> {};

TEST_P(EveryDialog, KeepsTheTemplateRules)
{
    const std::unique_ptr<CDialog> pDlg = GetParam().m_fnMake();
    EXPECT_EQ(pDlg->GetTemplateId(), GetParam().m_nTemplateId);
    const CCmdTarget& target = *pDlg;
    EXPECT_EQ(FindTemplateProblems(pDlg->GetTemplate(), target.GetHandlers()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Templates, EveryDialog, testing::ValuesIn(DialogClasses()),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

TEST(EveryTemplate, HasItsDialogClassAbove)
{
    for (int nId : {IDD_ABOUTBOX, IDD_LOG_DIALOG, IDD_MISSION, IDD_KILL, IDD_PREFERENCES, IDD_DEBRIEF_VIEW}) {
        if (!FindDialogTemplate(nId))
            continue;
        const auto& classes = DialogClasses();
        EXPECT_TRUE(std::any_of(classes.begin(), classes.end(),
                                [nId](const CDialogClass& c) { return c.m_nTemplateId == nId; }))
            << "template " << nId;
    }
}

// The rules themselves, each broken once.
TEST(TemplateRules, EachBrokenRuleIsNamed)
{
    using K = EControlKind;
    CDialogTemplate tmpl{.m_nId = 1, .m_strCaption = "", .cx = 100, .cy = 50, .m_controls = {}};
    auto with = [&](std::vector<CControlTemplate> controls) {
        tmpl.m_controls = std::move(controls);
        const std::vector<std::string> problems = FindTemplateProblems(tmpl, nullptr);
        return problems.size() == 1 ? problems[0] : "(" + std::to_string(problems.size()) + " problems)";
    };
    EXPECT_EQ(with({{K::Edit, 7, "", 0, 0, 10, 10, 0}, {K::Edit, 7, "", 0, 20, 10, 10, 0}}),
              "the template holds control 7 twice");
    EXPECT_EQ(with({{K::Edit, 7, "", 95, 0, 10, 10, 0}}), "control 7 lies outside the dialog");
    EXPECT_EQ(with({{K::DropDownList, 7, "", 0, 30, 10, 100, 0}}), "(0 problems)"); // the list may drop below
    EXPECT_EQ(with({{K::PushButton, 1, "", 0, 0, 10, 10, BS_DEFPUSHBUTTON},
                    {K::PushButton, 2, "", 20, 0, 10, 10, BS_DEFPUSHBUTTON}}),
              "the template has more than one default button");
    EXPECT_EQ(with({{K::RadioButton, 3, "", 0, 0, 10, 10, WS_GROUP},
                    {K::Static, -1, "gap", 0, 12, 10, 10, 0},
                    {K::RadioButton, 4, "", 0, 24, 10, 10, 0}}),
              "radio button 4 starts a group without the group mark");
}

} // namespace
