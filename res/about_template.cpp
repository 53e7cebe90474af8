#include "res/dialog_templates.h"
#include "res/resource_ids.h"

const CDialogTemplate& GetAboutTemplate()
{
    using K = EControlKind;
    static const CDialogTemplate tmpl{
        IDD_ABOUTBOX,
        "About the Sortavel Manager",
        161,
        130,
        "MS Sans Serif",
        8,
        DS_CAPTION | DS_SYSMENU | DS_CENTER,
        nullptr,
        {
            {K::Picture, IDC_STATIC, "", 7, 7, 40, 95, SS_CENTER, IDB_ABOUT_LEFT},
            {K::EtchedFrame, IDC_STATIC, "", 50, 7, 61, 95, 0, 0},
            {K::Static, IDC_STATIC, "Sortavel", 52, 30, 57, 8, SS_CENTER, 0},
            {K::Static, IDC_STATIC, "Manager", 52, 42, 57, 8, SS_CENTER, 0},
            {K::Static, IDC_STATIC, "for", 52, 54, 57, 8, SS_CENTER, 0},
            {K::Static, IDC_STATIC, "Vortane", 52, 66, 57, 8, SS_CENTER, 0},
            {K::Picture, IDC_STATIC, "", 114, 7, 40, 95, SS_CENTER, IDB_PHOTO_DEFAULT},
            {K::PushButton, IDOK, "OK", 55, 109, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0},
        },
    };
    return tmpl;
}
