#include "platform/template_builders.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

const CDialogTemplate& GetMissionTemplate()
{
    using namespace rc;
    using namespace MissionIds;
    constexpr unsigned kHidden = WS_INVISIBLE;
    // No close box: "Close" is the only way out, so that a stray Escape or
    // click never ends the dialog on a mission typed by hand. A field after
    // a "/" or "_" separator, and the kill list after its buttons, are named
    // for screen readers by the hidden label just before them.
    static const CDialogTemplate tmpl{
        .m_nId = IDD_MISSION,
        .m_strCaption = "Mission Details",
        .cx = 320,
        .cy = 242,
        .m_nStyle = DS_CAPTION,
        .m_controls =
            {
                Label("Mission", {7, 9, 36, 8}),
                Edit(IDC_MISSION_TITLE, {46, 7, 126, 12}, ES_AUTOHSCROLL | WS_GROUP),
                Label("Side", {7, 25, 36, 8}),
                DropDownList(IDC_MISSION_SIDE, {46, 23, 80, 60}, "Unknown\nRussian\nUkrainian\nNATO\nTurkey"),

                GroupBox("Timing", {7, 40, 165, 61}),
                Label("Flown", {14, 53, 30, 8}),
                Edit(IDC_FLOWN_FIRST_FIELD, {46, 51, 18, 12}, ES_AUTOHSCROLL),
                CenteredLabel("/", {64, 53, 5, 8}),
                Label("Flown, second field", {46, 53, 90, 8}, kHidden),
                Edit(IDC_FLOWN_SECOND_FIELD, {69, 51, 18, 12}, ES_AUTOHSCROLL),
                CenteredLabel("/", {87, 53, 5, 8}),
                Label("Flown, year", {46, 53, 60, 8}, kHidden),
                Edit(IDC_FLOWN_YEAR, {92, 51, 26, 12}, ES_AUTOHSCROLL),
                CenteredLabel("_", {118, 53, 5, 8}),
                Label("Flown, time", {46, 53, 60, 8}, kHidden),
                Edit(IDC_FLOWN_TIME, {123, 51, 42, 12}, ES_AUTOHSCROLL),
                Label("Takeoff", {14, 69, 30, 8}),
                Edit(IDC_TAKEOFF_DAYS, {46, 67, 18, 12}, ES_AUTOHSCROLL),
                CenteredLabel("_", {64, 69, 5, 8}),
                Label("Takeoff, time", {46, 69, 70, 8}, kHidden),
                Edit(IDC_TAKEOFF_TIME, {69, 67, 42, 12}, ES_AUTOHSCROLL),
                Label("Duration", {14, 85, 30, 8}),
                Edit(IDC_DURATION, {46, 83, 42, 12}, ES_AUTOHSCROLL),

                GroupBox("Outcome", {7, 105, 165, 45}),
                Label("Status", {14, 118, 30, 8}),
                DropDownList(IDC_PILOT_STATUS, {46, 116, 80, 50}, "OK\nA/c Damaged\nEjected\nKIA"),
                Label("Result", {14, 134, 30, 8}),
                DropDownList(IDC_RESULT, {46, 132, 80, 50}, "Successful\nUndecided\nFailure"),

                GroupBox("Kills", {178, 7, 135, 143}),
                Button("Add", IDC_ADD_KILL, {185, 19, 30, 14}),
                Button("Edit", IDC_EDIT_KILL, {219, 19, 30, 14}),
                Button("Del", IDC_DEL_KILL, {253, 19, 30, 14}),
                Label("Kills", {185, 37, 121, 8}, kHidden),
                ListBox(IDC_KILL_LIST, {185, 37, 121, 106}, LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL),

                GroupBox("Notes", {7, 155, 249, 80}),
                Edit(IDC_NOTES, {14, 167, 235, 61}, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL),

                Button("Cancel", IDCANCEL, {263, 200, 50, 14}, WS_DISABLED | WS_GROUP),
                DefButton("Close", IDOK, {263, 221, 50, 14}),
            },
    };
    return tmpl;
}
