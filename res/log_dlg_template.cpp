#include "platform/template_builders.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

// The main window: the pilot's identity and photograph at the top; below
// them the status and summary, the kills, and the missions of the current
// career; the four large buttons bottom left.
const CDialogTemplate& GetLogDlgTemplate()
{
    using namespace rc;
    using namespace LogDlgIds;
    static const CDialogTemplate tmpl{
        .m_nId = IDD_LOG_DIALOG,
        .m_strCaption = "Sortavel Manager",
        .cx = 334,
        .cy = 242,
        .m_nStyle = DS_CAPTION | DS_SYSMENU | DS_MINIMIZEBOX | DS_CENTER | DS_APPWINDOW,
        .m_pMenu = &GetMainMenu(),
        .m_controls =
            {
                Label("Name", {7, 7, 127, 8}),
                Edit(IDC_NAME, {7, 17, 127, 12}, ES_AUTOHSCROLL | WS_GROUP),
                Label("Callsign", {141, 7, 127, 8}),
                Edit(IDC_CALLSIGN, {141, 17, 127, 12}, ES_AUTOHSCROLL),
                Label("Unit", {7, 34, 127, 8}),
                Edit(IDC_UNIT, {7, 44, 127, 12}, ES_AUTOHSCROLL),
                Label("Rank", {141, 34, 127, 8}),
                Edit(IDC_RANK, {141, 44, 127, 12}, ES_AUTOHSCROLL),
                Picture(IDC_PHOTO, IDB_PHOTO_DEFAULT, {275, 7, 52, 49}, SS_CENTER | WS_BORDER),

                GroupBox("Status", {7, 62, 88, 25}),
                CenteredLabel("OK", {13, 73, 76, 8}, IDC_STATUS),
                GroupBox("Summary", {7, 91, 88, 87}),
                Label("Flight Time", {13, 102, 76, 8}),
                RightLabel("0-00:00:00", {13, 112, 76, 8}, IDC_FLIGHT_TIME),
                Label("Missions:", {13, 125, 76, 8}),
                Label("Total", {19, 135, 42, 8}),
                RightLabel("0", {61, 135, 28, 8}, IDC_MISSIONS_TOTAL),
                Label("Successful", {19, 145, 42, 8}),
                RightLabel("0", {61, 145, 28, 8}, IDC_MISSIONS_SUCCESSFUL),
                Label("Failed", {19, 155, 42, 8}),
                RightLabel("0", {61, 155, 28, 8}, IDC_MISSIONS_FAILED),
                Label("Planes Lost", {13, 165, 48, 8}),
                RightLabel("0", {61, 165, 28, 8}, IDC_PLANES_LOST),

                GroupBox("Kills", {100, 62, 82, 116}),
                Label("Aircraft", {106, 75, 46, 8}),
                RightLabel("0", {152, 75, 24, 8}, IDC_KILLS_AIRCRAFT),
                Label("SAMs", {106, 89, 46, 8}),
                RightLabel("0", {152, 89, 24, 8}, IDC_KILLS_SAMS),
                Label("Radars", {106, 103, 46, 8}),
                RightLabel("0", {152, 103, 24, 8}, IDC_KILLS_RADARS),
                Label("Ships", {106, 117, 46, 8}),
                RightLabel("0", {152, 117, 24, 8}, IDC_KILLS_SHIPS),
                Label("Pri. Targets", {106, 131, 46, 8}),
                RightLabel("0", {152, 131, 24, 8}, IDC_KILLS_PRI_TARGETS),
                Label("Vehicles", {106, 145, 46, 8}),
                RightLabel("0", {152, 145, 24, 8}, IDC_KILLS_VEHICLES),
                Label("Other", {106, 159, 46, 8}),
                RightLabel("0", {152, 159, 24, 8}, IDC_KILLS_OTHER),

                // The list follows its group box's title, which names it.
                GroupBox("Missions", {187, 62, 140, 173}),
                ListBox(IDC_MISSION_LIST, {193, 91, 128, 116}, LBS_NOTIFY | WS_VSCROLL | WS_GROUP),
                Button("Cut", IDC_CUT, {193, 73, 24, 14}, WS_GROUP),
                Button("Paste", IDC_PASTE, {219, 73, 24, 14}, WS_DISABLED),
                Button("Add", IDC_ADD, {245, 73, 24, 14}),
                Button("Edit", IDC_EDIT, {271, 73, 24, 14}),
                Button("Del", IDC_DEL, {297, 73, 24, 14}),
                Label("Career:", {193, 211, 100, 8}),
                Label("00/00/00:0000 - 00/00/00:0000", {193, 221, 112, 8}, 0, IDC_CAREER_RANGE),
                UpDown(IDC_CAREER_SPIN, {309, 210, 12, 20}, UDS_ARROWKEYS, "Next career\nPrevious career"),

                EtchedFrame({7, 184, 175, 51}),
                DefButton("Log Last Mission", IDC_LOG_LAST, {13, 192, 78, 14}, WS_GROUP),
                Button("Log Mission...", IDC_LOG_MISSION, {98, 192, 78, 14}),
                Button("Print Career...", ID_FILE_PRINT, {13, 214, 78, 14}, WS_DISABLED),
                Button("Exit", ID_APP_EXIT, {98, 214, 78, 14}),
            },
    };
    return tmpl;
}
