#pragma once
// Dialog and menu templates as plain data: every host builds its window from
// the same description. Positions and sizes are in dialog units.
#include <string>
#include <vector>

enum class EControlKind {
    Static,       // text label
    GroupBox,     // labelled frame around a group of controls
    EtchedFrame,  // plain etched rectangle
    Picture,      // bitmap (built-in id in m_nBitmapId, or one set by the program)
    Edit,
    PushButton,
    CheckBox,     // ticks and clears itself when clicked
    RadioButton,  // selects itself and clears the others of its group when clicked
    DropDownList, // drop-down list without typing
    ListBox,
    ReportList,   // list control in report view: columns and rows
    UpDown,       // up-down arrows reporting signed steps
};

// Control style flags (our own values; the names follow the familiar ones).
inline constexpr unsigned WS_TABSTOP = 0x0001;      // reached with the Tab key
inline constexpr unsigned WS_GROUP = 0x0002;        // starts a group (radio groups, tab groups)
inline constexpr unsigned WS_DISABLED = 0x0004;     // disabled when the dialog opens
inline constexpr unsigned WS_INVISIBLE = 0x0008;    // hidden when the dialog opens
inline constexpr unsigned WS_VSCROLL = 0x0010;
inline constexpr unsigned WS_HSCROLL = 0x0020;
inline constexpr unsigned WS_BORDER = 0x0040;
inline constexpr unsigned BS_DEFPUSHBUTTON = 0x0100; // the button Enter presses
inline constexpr unsigned BS_MULTILINE = 0x0200;     // button or box label wraps
inline constexpr unsigned ES_MULTILINE = 0x0400;
inline constexpr unsigned ES_AUTOHSCROLL = 0x0800;   // one-line edit scrolling sideways as typed
inline constexpr unsigned ES_READONLY = 0x1000;
inline constexpr unsigned ES_WANTRETURN = 0x2000;    // Enter starts a new line (multi-line edit)
inline constexpr unsigned SS_CENTER = 0x4000;        // centred text, or centred image for pictures
inline constexpr unsigned SS_RIGHT = 0x8000;
inline constexpr unsigned LBS_NOTIFY = 0x10000;      // list box reports selection and double-clicks
inline constexpr unsigned LVS_SINGLESEL = 0x20000;
inline constexpr unsigned UDS_ARROWKEYS = 0x40000;

struct CControlTemplate {
    EControlKind m_eKind = EControlKind::Static;
    int m_nId = -1;          // -1 for labels the program never addresses
    std::string m_strText;   // label, initial text; for list boxes and drop-downs the initial
                             // entries, one per line; for a report list its accessible name
    int x = 0, y = 0, cx = 0, cy = 0;
    unsigned m_nStyle = 0;
    int m_nBitmapId = 0;     // pictures: the built-in bitmap shown first (0: none)
};

// Menu item flags.
inline constexpr unsigned MF_SEPARATOR = 0x0001;
inline constexpr unsigned MF_GRAYED = 0x0002; // never enabled

struct CMenuItem {
    std::string m_strText;
    int m_nId = 0;                    // command id; 0 for separators and pop-ups
    unsigned m_nFlags = 0;
    std::vector<CMenuItem> m_items;   // a pop-up's items (empty for a command)
};

struct CMenuTemplate {
    int m_nId = 0;
    std::vector<CMenuItem> m_items;   // the menu bar: one pop-up per entry
};

// Dialog style flags.
inline constexpr unsigned DS_CAPTION = 0x0001;
inline constexpr unsigned DS_SYSMENU = 0x0002;     // close box
inline constexpr unsigned DS_MINIMIZEBOX = 0x0004;
inline constexpr unsigned DS_CENTER = 0x0008;      // centred on the screen
inline constexpr unsigned DS_APPWINDOW = 0x0010;   // shown in the taskbar

struct CDialogTemplate {
    int m_nId = 0;
    std::string m_strCaption;
    int cx = 0, cy = 0;
    std::string m_strFont = "MS Sans Serif";
    int m_nFontSize = 8;
    unsigned m_nStyle = DS_CAPTION | DS_SYSMENU;
    const CMenuTemplate* m_pMenu = nullptr;   // menu bar, if any
    std::vector<CControlTemplate> m_controls; // in tab order

    const CControlTemplate* FindControl(int nId) const;
};

// The id of a menu command in the menu, or nullptr.
const CMenuItem* FindMenuItem(const CMenuTemplate& menu, int nId);
