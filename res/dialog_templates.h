#pragma once
// The dialog templates and the menu of the program, as data.
#include "platform/dialog_template.h"

// The template with that id; nullptr when there is none.
const CDialogTemplate* FindDialogTemplate(int nId);
// Like FindDialogTemplate, for ids the program knows exist: an unknown id is
// reported as a program error and gives an empty template.
const CDialogTemplate& GetDialogTemplate(int nId);

const CDialogTemplate& GetAboutTemplate();
const CDialogTemplate& GetDebriefViewTemplate();
const CDialogTemplate& GetKillTemplate();
const CDialogTemplate& GetMissionTemplate();
const CDialogTemplate& GetLogDlgTemplate();
const CDialogTemplate& GetPreferencesTemplate();

// The main window's menu bar.
const CMenuTemplate& GetMainMenu();
