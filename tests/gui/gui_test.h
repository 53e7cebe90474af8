#pragma once
// The fixture of the GUI tests: skipped when no display can be opened, and
// failed when the toolkit complains (a warning or a critical) during a test.
#include <gtest/gtest.h>

#include "tests/gui/gui_driver.h"
#include "tests/gui/toolkit_messages.h"

class CGuiTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!GetGuiHost())
            GTEST_SKIP() << "no display";
    }
    void TearDown() override
    {
        for (const std::string& strMessage : TakeToolkitMessages())
            ADD_FAILURE() << "the toolkit complained: " << strMessage;
    }
};

// Waits until the host's window for the template is shown and active, so
// that simulated keys reach it.
inline CGuiScript& WaitForWindow(CGuiScript& script, int nTemplateId)
{
    return script.WaitFor("window " + std::to_string(nTemplateId), [nTemplateId] {
        CDialogWindow* pWindow = FindDialogWindow(nTemplateId);
        return pWindow && pWindow->GetWindow()->IsActive();
    });
}
