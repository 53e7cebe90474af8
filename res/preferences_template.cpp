#include "platform/template_builders.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

const CDialogTemplate& GetPreferencesTemplate()
{
    using namespace rc;
    using namespace PrefsIds;
    constexpr unsigned kWrap = BS_MULTILINE;
    static const CDialogTemplate tmpl{
        .m_nId = IDD_PREFERENCES,
        .m_strCaption = "Sortavel Preferences",
        .cx = 238,
        .cy = 127,
        .m_nStyle = DS_CAPTION | DS_SYSMENU,
        .m_controls =
            {
                Label("Vortane Program Directory", {7, 7, 170, 8}),
                Edit(IDC_VORTANE_DIR, {7, 17, 170, 12}, ES_AUTOHSCROLL | WS_GROUP),
                Button("Browse...", IDC_BROWSE, {182, 16, 50, 14}),
                GroupBox("Debrief Analysis", {7, 36, 130, 84}),
                CheckBox("Log Events in the Notes Section", IDC_LOG_EVENTS, {14, 48, 116, 20}, kWrap | WS_GROUP),
                CheckBox("Dont Count Suspicious Kills of Ground Objects", IDC_IGNORE_GND_KILLS, {14, 71, 116, 20},
                         kWrap),
                CheckBox("Ignore All Kills of \"Unknown\" Objects", IDC_REJECT_UNK_KILLS, {14, 94, 116, 20}, kWrap),
                GroupBox("Flying Time", {144, 36, 88, 38}),
                Label("Accumulates for", {150, 46, 76, 8}),
                RadioButton("Pilot", IDC_ACCUMULATE_PILOT, {150, 57, 36, 10}, WS_TABSTOP | WS_GROUP),
                RadioButton("Career", IDC_ACCUMULATE_CAREER, {188, 57, 40, 10}),
                GroupBox("Date Format", {144, 76, 88, 26}),
                RadioButton("dd/mm/yy", IDC_DATE_DMY, {150, 87, 40, 10}, WS_TABSTOP | WS_GROUP),
                RadioButton("mm/dd/yy", IDC_DATE_MDY, {190, 87, 40, 10}),
                Button("Cancel", IDCANCEL, {144, 106, 42, 14}, WS_GROUP),
                DefButton("OK", IDOK, {190, 106, 42, 14}),
            },
    };
    return tmpl;
}
