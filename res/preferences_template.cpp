#include "res/dialog_templates.h"
#include "res/resource_ids.h"

const CDialogTemplate& GetPreferencesTemplate()
{
    using K = EControlKind;
    constexpr unsigned kCheck = BS_MULTILINE | WS_TABSTOP;
    static const CDialogTemplate tmpl{
        IDD_PREFERENCES,
        "Sortavel Preferences",
        238,
        127,
        "MS Sans Serif",
        8,
        DS_CAPTION | DS_SYSMENU,
        nullptr,
        {
            {K::Static, IDC_STATIC, "Vortane Program Directory", 7, 7, 170, 8, 0, 0},
            {K::Edit, IDC_VORTANE_DIR, "", 7, 17, 170, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 0},
            {K::PushButton, IDC_BROWSE, "Browse...", 182, 16, 50, 14, WS_TABSTOP, 0},
            {K::GroupBox, IDC_STATIC, "Debrief Analysis", 7, 36, 130, 84, 0, 0},
            {K::CheckBox, IDC_LOG_EVENTS, "Log Events in the Notes Section", 14, 48, 116, 20, kCheck | WS_GROUP, 0},
            {K::CheckBox, IDC_IGNORE_GND_KILLS, "Dont Count Suspicious Kills of Ground Objects", 14, 71, 116, 20,
             kCheck, 0},
            {K::CheckBox, IDC_REJECT_UNK_KILLS, "Ignore All Kills of \"Unknown\" Objects", 14, 94, 116, 20, kCheck,
             0},
            {K::GroupBox, IDC_STATIC, "Flying Time", 144, 36, 88, 38, 0, 0},
            {K::Static, IDC_STATIC, "Accumulates for", 150, 46, 76, 8, 0, 0},
            {K::RadioButton, IDC_ACCUMULATE_PILOT, "Pilot", 150, 57, 36, 10, WS_TABSTOP | WS_GROUP, 0},
            {K::RadioButton, IDC_ACCUMULATE_CAREER, "Career", 188, 57, 40, 10, 0, 0},
            {K::GroupBox, IDC_STATIC, "Date Format", 144, 76, 88, 26, 0, 0},
            {K::RadioButton, IDC_DATE_DMY, "dd/mm/yy", 150, 87, 40, 10, WS_TABSTOP | WS_GROUP, 0},
            {K::RadioButton, IDC_DATE_MDY, "mm/dd/yy", 190, 87, 40, 10, 0, 0},
            {K::PushButton, IDCANCEL, "Cancel", 144, 106, 42, 14, WS_TABSTOP | WS_GROUP, 0},
            {K::PushButton, IDOK, "OK", 190, 106, 42, 14, BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        },
    };
    return tmpl;
}
