#include "platform/template_builders.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

const CDialogTemplate& GetKillTemplate()
{
    using namespace rc;
    using namespace KillIds;
    // A field after a "_" separator is named for screen readers by the
    // hidden label just before it.
    static const CDialogTemplate tmpl{
        .m_nId = IDD_KILL,
        .m_strCaption = "Kill Details",
        .cx = 172,
        .cy = 141,
        .m_nStyle = DS_CAPTION | DS_SYSMENU,
        .m_controls =
            {
                Label("Weapon", {7, 9, 44, 8}),
                DropDownList(IDC_WEAPON, {54, 7, 111, 120}, "", WS_GROUP),
                Label("Launched At", {7, 25, 44, 8}),
                Edit(IDC_FIRED_DAYS, {54, 23, 18, 12}, ES_AUTOHSCROLL),
                CenteredLabel("_", {72, 25, 5, 8}),
                Label("Launched At, time", {54, 25, 90, 8}, WS_INVISIBLE),
                Edit(IDC_FIRED_TIME, {77, 23, 42, 12}, ES_AUTOHSCROLL),
                Label("Flight Time", {124, 25, 41, 8}),
                Label("0:00", {124, 41, 41, 8}, 0, IDC_KILL_FLIGHT_TIME),
                Label("Hit At", {7, 41, 44, 8}),
                Edit(IDC_HIT_DAYS, {54, 39, 18, 12}, ES_AUTOHSCROLL),
                CenteredLabel("_", {72, 41, 5, 8}),
                Label("Hit At, time", {54, 41, 70, 8}, WS_INVISIBLE),
                Edit(IDC_HIT_TIME, {77, 39, 42, 12}, ES_AUTOHSCROLL),
                Label("Target", {7, 59, 44, 8}),
                DropDownList(IDC_TARGET, {54, 57, 111, 120}),
                Label("Side", {7, 75, 44, 8}),
                DropDownList(IDC_KILL_SIDE, {54, 73, 70, 60}, "Unknown\nRussian\nUkrainian\nNATO\nTurkey"),
                CheckBox("Primary target", IDC_PRIMARY_TARGET, {54, 89, 100, 12}),
                CheckBox("Airborne Target", IDC_AIRBORNE_TARGET, {54, 103, 100, 12}),
                DefButton("OK", IDOK, {61, 120, 50, 14}, WS_GROUP),
                Button("Cancel", IDCANCEL, {115, 120, 50, 14}),
            },
    };
    return tmpl;
}
