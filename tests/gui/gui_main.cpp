// The GUI tests' main: the window host starts with the first test that needs
// it, so listing the tests needs no display, and stops before the program's
// statics go.
#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/gui/gui_driver.h"
#include "tests/gui/toolkit_messages.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ::setenv("GSETTINGS_BACKEND", "memory", 0); // no settings daemon on a virtual display
    CaptureToolkitMessages();
    const int nResult = RUN_ALL_TESTS();
    StopGuiHost();
    return nResult;
}
