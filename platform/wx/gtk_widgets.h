#pragma once
// What wx does not reach of the toolkit's own widgets beneath its controls:
// the compact look of the template windows, minimum sizes, the names that
// assistive tools announce, and the arrow images of the up-down buttons.
#include <string>

#include <wx/gdicmn.h>

class wxButton;
class wxWindow;

// Once, after the toolkit has started: a style sheet that gives the controls
// of template windows the small paddings and margins of the classic controls
// the templates were drawn for (the toolkit's own are twice as large).
void InstallTemplateWindowStyle();
// The window and every control in it take that style.
void UseTemplateWindowStyle(wxWindow* pTopLevel);

// The smallest size the toolkit draws the control at without complaint: its
// minimum width, and its minimum height at the larger of that and nWidth.
wxSize GetMinimumSize(wxWindow* pControl, int nWidth);

// Lets an edit or a drop-down list be narrower than the toolkit's default
// minimum (a drop-down then shortens long entries with an ellipsis).
void AllowNarrow(wxWindow* pControl);

// A frame of the toolkit's own around a group of controls, with its label
// (none when empty). wx's static box leaves dead objects behind with the
// accessibility bridge when its window closes; this one does not.
wxWindow* CreateFrame(wxWindow* pParent, const std::string& strLabel);
void SetFrameLabel(wxWindow* pFrame, const std::string& strLabel);

// The name a screen reader announces the control by (for a control inside a
// scrolled window, such as a list or a multi-line edit, the inner one).
void SetAccessibleName(wxWindow* pControl, const std::string& strName);
// The window is announced as a dialog (the toolkit says "frame").
void AnnounceAsDialog(wxWindow* pTopLevel);

// Shows an arrow pointing up or down, sized for a small button.
void SetArrowImage(wxButton* pButton, bool bUp);
