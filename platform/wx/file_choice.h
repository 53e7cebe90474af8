#pragma once
// What the window host does with a file the user picked in the toolkit's
// chooser, before handing it to the program: the default extension, and the
// checks and questions the file dialog flags ask for. Kept apart from the
// toolkit so that the rules can be tested on plain files.
#include <string>
#include <vector>

#include "platform/file_dialog.h"

// The toolkit's wildcard for the filters: "Name|pattern|Name|pattern".
// "*.*" means every file, as it does in the program's filters; no filters
// give "*".
std::string MakeWildcard(const std::vector<CFileFilter>& filters);

// The initial name split into the folder to open and the name to show.
struct CInitialName {
    std::string m_strFolder; // empty: the toolkit's default folder
    std::string m_strName;
};
CInitialName SplitInitialName(const std::string& strFileName);

// The picked path with the default extension added to a name typed without
// one; an open dialog adds it only when the bare name names no file.
std::string CompleteChosenPath(const CFileDialog& dlg, const std::string& strChosen);

struct CFileChoiceCheck {
    enum EKind {
        Accept,  // hand the path to the program
        Refuse,  // show m_strMessage with OK, then let the user choose again
        Ask,     // ask m_strMessage with Yes and No; No lets the user choose again
    };
    EKind m_eKind = Accept;
    std::string m_strMessage;
    unsigned m_nType = 0; // message box buttons and icon
};

// The checks of the dialog's flags on the completed path. bExtensionAdded:
// CompleteChosenPath added the extension, so the chooser's own overwrite
// question saw another name and the question is asked here.
CFileChoiceCheck CheckChosenPath(const CFileDialog& dlg, const std::string& strPath, bool bExtensionAdded);
