#pragma once
// The rules every dialog template and its handler table keep; a dialog
// reports a broken rule as a program error when it opens, and the tests
// check every template of the program at once.
#include <string>
#include <vector>

#include "platform/dialog_template.h"

class CHandlerTable;

// One line per broken rule; empty when the template is sound:
// - control ids are unique within the dialog;
// - every control lies inside the dialog (a drop-down list counts with its
//   closed height);
// - at most one default button;
// - a radio button that does not follow another one starts a group (WS_GROUP),
//   so each group is one unbroken run;
// - every handler is bound to a control of the template, or to a menu command
//   or OK/Cancel, with a member function of the right kind for that control.
std::vector<std::string> FindTemplateProblems(const CDialogTemplate& tmpl, const CHandlerTable* pHandlers);
