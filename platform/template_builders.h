#pragma once
// Named builders for the controls of a dialog template, in the manner of a
// resource script: one line per control, its kind in the name, its place in
// dialog units, and the usual styles of that kind filled in.
//
//   using namespace rc;
//   Label("Vortane Program Directory", {7, 7, 170, 8}),
//   Edit(IDC_VORTANE_DIR, {7, 17, 170, 12}, ES_AUTOHSCROLL | WS_GROUP),
//   Button("Browse...", IDC_BROWSE, {182, 16, 50, 14}),
//   DefButton("OK", IDOK, {190, 106, 42, 14}),
#include <string>

#include "platform/dialog_template.h"

// A control's rectangle in dialog units: left, top, width, height.
struct CDURect {
    int x = 0, y = 0, cx = 0, cy = 0;
};

namespace rc {

inline CControlTemplate Control(EControlKind eKind, int nId, std::string strText, CDURect r, unsigned nStyle,
                                int nBitmapId = 0)
{
    return {eKind, nId, std::move(strText), r.x, r.y, r.cx, r.cy, nStyle, nBitmapId};
}

// Static texts; nId is IDC_STATIC (-1) unless the program sets the text.
inline CControlTemplate Label(std::string strText, CDURect r, unsigned nStyle = 0, int nId = -1)
{
    return Control(EControlKind::Static, nId, std::move(strText), r, nStyle);
}
inline CControlTemplate CenteredLabel(std::string strText, CDURect r, int nId = -1)
{
    return Label(std::move(strText), r, SS_CENTER, nId);
}
inline CControlTemplate RightLabel(std::string strText, CDURect r, int nId = -1)
{
    return Label(std::move(strText), r, SS_RIGHT, nId);
}

inline CControlTemplate GroupBox(std::string strText, CDURect r)
{
    return Control(EControlKind::GroupBox, -1, std::move(strText), r, 0);
}
inline CControlTemplate EtchedFrame(CDURect r) { return Control(EControlKind::EtchedFrame, -1, "", r, 0); }
inline CControlTemplate Picture(int nId, int nBitmapId, CDURect r, unsigned nStyle = SS_CENTER)
{
    return Control(EControlKind::Picture, nId, "", r, nStyle, nBitmapId);
}

// Controls the user works with are tab stops.
inline CControlTemplate Edit(int nId, CDURect r, unsigned nStyle = 0)
{
    return Control(EControlKind::Edit, nId, "", r, WS_BORDER | WS_TABSTOP | nStyle);
}
inline CControlTemplate Button(std::string strText, int nId, CDURect r, unsigned nStyle = 0)
{
    return Control(EControlKind::PushButton, nId, std::move(strText), r, WS_TABSTOP | nStyle);
}
inline CControlTemplate DefButton(std::string strText, int nId, CDURect r, unsigned nStyle = 0)
{
    return Button(std::move(strText), nId, r, BS_DEFPUSHBUTTON | nStyle);
}
inline CControlTemplate CheckBox(std::string strText, int nId, CDURect r, unsigned nStyle = 0)
{
    return Control(EControlKind::CheckBox, nId, std::move(strText), r, WS_TABSTOP | nStyle);
}
// The first button of a group carries WS_GROUP (and is the group's tab stop).
inline CControlTemplate RadioButton(std::string strText, int nId, CDURect r, unsigned nStyle = 0)
{
    return Control(EControlKind::RadioButton, nId, std::move(strText), r, nStyle);
}
// A drop-down list without typing; strEntries one per line. The height
// includes the dropped list.
inline CControlTemplate DropDownList(int nId, CDURect r, std::string strEntries = "", unsigned nStyle = 0)
{
    return Control(EControlKind::DropDownList, nId, std::move(strEntries), r, WS_VSCROLL | WS_TABSTOP | nStyle);
}
inline CControlTemplate ListBox(int nId, CDURect r, unsigned nStyle = 0)
{
    return Control(EControlKind::ListBox, nId, "", r, WS_BORDER | WS_TABSTOP | nStyle);
}
// strName: what a screen reader calls the table when no label comes right
// before it.
inline CControlTemplate ReportList(int nId, CDURect r, unsigned nStyle = 0, std::string strName = "")
{
    return Control(EControlKind::ReportList, nId, std::move(strName), r, WS_BORDER | WS_TABSTOP | nStyle);
}
// strArrowNames: what a screen reader calls the two arrows, up first, one
// per line ("Next career\nPrevious career"); "Up" and "Down" when empty.
inline CControlTemplate UpDown(int nId, CDURect r, unsigned nStyle = 0, std::string strArrowNames = "")
{
    return Control(EControlKind::UpDown, nId, std::move(strArrowNames), r, nStyle);
}

} // namespace rc
