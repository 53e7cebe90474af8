// The names screen readers announce controls by.
#include <gtest/gtest.h>

#include "platform/control_name.h"
#include "platform/dialog.h"
#include "platform/template_builders.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

namespace {

TEST(ControlName, OwnTextOrTheLabelJustBeforeWithMnemonicsDropped)
{
    using namespace rc;
    const CDialogTemplate tmpl{
        .m_nId = 900,
        .m_strCaption = "Names",
        .cx = 100,
        .cy = 120,
        .m_controls =
            {
                Label("&Title:", {0, 0, 10, 8}), Edit(1, {0, 10, 10, 12}),
                DropDownList(2, {0, 30, 10, 40}, "a\nb"), // after an edit: no label
                GroupBox("R&&D", {0, 50, 50, 40}), ListBox(3, {0, 60, 10, 20}), Button("&Add", 4, {0, 80, 10, 14}),
                Picture(-1, 0, {0, 95, 10, 10}), Edit(5, {20, 95, 10, 12}), // after a picture: no label
            },
    };
    CDialog dlg(tmpl);
    dlg.OpenModel();
    const char* const names[] = {"Title:", "Title:", "", "R&D", "R&D", "Add", "", ""};
    for (std::size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(GetControlName(dlg.GetControls(), i), names[i]) << i;
    EXPECT_EQ(GetControlName(dlg.GetControls(), 99), "");
}

TEST(ControlName, UpDownArrowsAreNamedByTheTemplateOrUpAndDown)
{
    CControlTemplate spin = rc::UpDown(7, {0, 0, 10, 14});
    EXPECT_EQ(GetUpDownNames(spin), (std::pair<std::string, std::string>{"Up", "Down"}));
    spin.m_strText = "Next career\nPrevious career";
    EXPECT_EQ(GetUpDownNames(spin), (std::pair<std::string, std::string>{"Next career", "Previous career"}));
    spin.m_strText = "\nPrevious career"; // half a pair names nothing
    EXPECT_EQ(GetUpDownNames(spin), (std::pair<std::string, std::string>{"Up", "Down"}));
}

// Every edit, list and drop-down of the program's templates has a label
// before it, so that a screen reader can say what it is for.
TEST(ControlName, EveryInputOfTheProgramsDialogsHasALabel)
{
    for (int nId : {IDD_ABOUTBOX, IDD_LOG_DIALOG, IDD_MISSION, IDD_KILL, IDD_PREFERENCES, IDD_DEBRIEF_VIEW}) {
        const CDialogTemplate* pTemplate = FindDialogTemplate(nId);
        if (!pTemplate)
            continue; // not made yet
        CDialog dlg(*pTemplate);
        dlg.OpenModel();
        const auto& controls = dlg.GetControls();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const EControlKind eKind = controls[i]->GetKind();
            if (eKind == EControlKind::Edit || controls[i]->IsList()) {
                EXPECT_NE(GetControlName(controls, i), "") << "dialog " << nId << ", control " << controls[i]->GetId();
            }
        }
    }
}

} // namespace
