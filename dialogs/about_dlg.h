#pragma once
// The About box: the program's name between the wings badge and the
// aircraft picture. It only closes.
#include "platform/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};

// Runs the About box modally, without a parent window.
void ShowAboutBox();
