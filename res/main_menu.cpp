#include "res/dialog_templates.h"
#include "res/resource_ids.h"

const CMenuTemplate& GetMainMenu()
{
    const CMenuItem separator{"", 0, MF_SEPARATOR, {}};
    static const CMenuTemplate menu{
        IDR_MAIN_MENU,
        {
            {"File",
             0,
             0,
             {
                 {"New Log", ID_FILE_NEW, 0, {}},
                 {"Open Log...", ID_FILE_OPEN, 0, {}},
                 {"Revert To Saved...", ID_FILE_REVERT, 0, {}},
                 separator,
                 {"Save", ID_FILE_SAVE, 0, {}},
                 {"Save As...", ID_FILE_SAVE_AS, 0, {}},
                 separator,
                 {"Print Setup...", ID_FILE_PRINT_SETUP, MF_GRAYED, {}},
                 {"Print...", ID_FILE_PRINT, MF_GRAYED, {}},
                 separator,
                 {"Exit", ID_APP_EXIT, 0, {}},
             }},
            {"Careers", 0, 0, {{"Delete Current Career...", ID_DELETE_CAREER, 0, {}}}},
            {"Settings",
             0,
             0,
             {
                 {"Photograph...", ID_PHOTOGRAPH, 0, {}},
                 {"Preferences...", ID_PREFERENCES, 0, {}},
             }},
            {"Debrief", 0, 0, {{"Examine Raw Debrief File...", ID_EXAMINE_DEBRIEF, 0, {}}}},
            {"Help", 0, 0, {{"About...", ID_APP_ABOUT, 0, {}}}},
        },
    };
    return menu;
}
