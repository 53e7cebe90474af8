#pragma once
// The fixture of the GUI tests: skipped when no display can be opened.
#include <gtest/gtest.h>

#include "tests/gui/gui_driver.h"

class CGuiTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!GetGuiHost())
            GTEST_SKIP() << "no display";
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
