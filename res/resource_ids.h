#pragma once
// Every resource id of the program: dialogs, controls, menu commands,
// bitmaps and the icon. Control ids are unique within their dialog only, so
// each dialog's ids live in a namespace of their own: a dialog's code opens
// its own namespace, and another dialog's id does not compile there.

#include "platform/message_box.h" // IDOK, IDCANCEL

inline constexpr int IDC_STATIC = -1; // labels the program never addresses

// Icon, menu, bitmaps
inline constexpr int IDR_MAINFRAME = 128;     // application icon
inline constexpr int IDR_MAIN_MENU = 129;
inline constexpr int IDB_ABOUT_LEFT = 151;    // left picture of the About box
inline constexpr int IDB_PHOTO_DEFAULT = 152; // right picture of the About box, first photograph

// Dialogs
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_LOG_DIALOG = 102;    // the main window
inline constexpr int IDD_MISSION = 131;
inline constexpr int IDD_KILL = 133;
inline constexpr int IDD_PREFERENCES = 135;
inline constexpr int IDD_DEBRIEF_VIEW = 137;

// Main window
namespace LogDlgIds {
inline constexpr int IDC_LOG_LAST = 1001;
inline constexpr int IDC_UNIT = 1002;
inline constexpr int IDC_RANK = 1003;
inline constexpr int IDC_NAME = 1004;
inline constexpr int IDC_CALLSIGN = 1005;
inline constexpr int IDC_MISSIONS_TOTAL = 1006;
inline constexpr int IDC_MISSIONS_SUCCESSFUL = 1007;
inline constexpr int IDC_MISSIONS_FAILED = 1008;
inline constexpr int IDC_KILLS_AIRCRAFT = 1009;
inline constexpr int IDC_KILLS_SAMS = 1010;
inline constexpr int IDC_PLANES_LOST = 1011;
inline constexpr int IDC_FLIGHT_TIME = 1012;
inline constexpr int IDC_KILLS_SHIPS = 1013;
inline constexpr int IDC_MISSION_LIST = 1014;
inline constexpr int IDC_LOG_MISSION = 1015;
inline constexpr int IDC_KILLS_PRI_TARGETS = 1016;
inline constexpr int IDC_KILLS_VEHICLES = 1017;
inline constexpr int IDC_KILLS_RADARS = 1018;
inline constexpr int IDC_KILLS_OTHER = 1019;
inline constexpr int IDC_ADD = 1027;
inline constexpr int IDC_DEL = 1028;
inline constexpr int IDC_EDIT = 1029;
inline constexpr int IDC_PASTE = 1030;
inline constexpr int IDC_CUT = 1031;
inline constexpr int IDC_STATUS = 1043;
inline constexpr int IDC_PHOTO = 1067;
inline constexpr int IDC_CAREER_SPIN = 1071;
inline constexpr int IDC_CAREER_RANGE = 1072;
// "Print Career..." and "Exit" carry the menu command ids ID_FILE_PRINT and ID_APP_EXIT.
} // namespace LogDlgIds

// Mission Details
namespace MissionIds {
inline constexpr int IDC_KILL_LIST = 1019;
inline constexpr int IDC_ADD_KILL = 1027;
inline constexpr int IDC_DEL_KILL = 1028;
inline constexpr int IDC_EDIT_KILL = 1029;
inline constexpr int IDC_MISSION_TITLE = 1030;
inline constexpr int IDC_MISSION_SIDE = 1031;
inline constexpr int IDC_FLOWN_YEAR = 1032;
inline constexpr int IDC_FLOWN_SECOND_FIELD = 1035; // month (day first) or day (month first)
inline constexpr int IDC_FLOWN_FIRST_FIELD = 1036;  // day (day first) or month (month first)
inline constexpr int IDC_FLOWN_TIME = 1037;
inline constexpr int IDC_TAKEOFF_DAYS = 1040;
inline constexpr int IDC_TAKEOFF_TIME = 1041;
inline constexpr int IDC_PILOT_STATUS = 1043;
inline constexpr int IDC_DURATION = 1045;
inline constexpr int IDC_RESULT = 1046;
inline constexpr int IDC_NOTES = 1051;
} // namespace MissionIds

// Kill Details
namespace KillIds {
inline constexpr int IDC_KILL_SIDE = 1031;
inline constexpr int IDC_WEAPON = 1034;
inline constexpr int IDC_TARGET = 1036;
inline constexpr int IDC_PRIMARY_TARGET = 1039;
inline constexpr int IDC_AIRBORNE_TARGET = 1040;
inline constexpr int IDC_FIRED_DAYS = 1041;
inline constexpr int IDC_FIRED_TIME = 1042;
inline constexpr int IDC_HIT_DAYS = 1046;
inline constexpr int IDC_HIT_TIME = 1047;
inline constexpr int IDC_KILL_FLIGHT_TIME = 1059;
} // namespace KillIds

// Preferences
namespace PrefsIds {
inline constexpr int IDC_VORTANE_DIR = 1047;
inline constexpr int IDC_BROWSE = 1048;
inline constexpr int IDC_ACCUMULATE_PILOT = 1049;
inline constexpr int IDC_ACCUMULATE_CAREER = 1050;
inline constexpr int IDC_IGNORE_GND_KILLS = 1060;
inline constexpr int IDC_LOG_EVENTS = 1061;
inline constexpr int IDC_DATE_DMY = 1062;
inline constexpr int IDC_DATE_MDY = 1063;
inline constexpr int IDC_REJECT_UNK_KILLS = 1064;
} // namespace PrefsIds

// Debrief viewer
namespace ViewerIds {
inline constexpr int IDC_EVENT_LIST = 1053;
inline constexpr int IDC_SHOW_ALL = 1054;
inline constexpr int IDC_SHOW_OBJECT = 1055;
inline constexpr int IDC_SHOW_CHILDREN = 1056;
inline constexpr int IDC_OBJECT_ID = 1057;
} // namespace ViewerIds

// Menu commands
inline constexpr int ID_PREFERENCES = 32779;
inline constexpr int ID_EXAMINE_DEBRIEF = 32781;
inline constexpr int ID_FILE_REVERT = 32782;
inline constexpr int ID_APP_ABOUT = 32784;
inline constexpr int ID_PHOTOGRAPH = 32785;
inline constexpr int ID_DELETE_CAREER = 32786;
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_APP_EXIT = 57665;
