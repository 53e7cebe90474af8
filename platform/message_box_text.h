#pragma once
// Helpers shared by the hosts for message boxes.
#include <string>

// Keeps the button set (OK, OK/Cancel, Yes/No, Yes/No/Cancel; anything else
// becomes OK) and the icon (stop, question, exclamation; none or any other
// becomes exclamation). AfxMessageBox hands hosts only normalised types.
unsigned NormalizeMessageBoxType(unsigned nType);

// The answer a box gives when nobody can answer: Cancel where offered,
// else No, else OK.
int GetDefaultMessageBoxAnswer(unsigned nType);

// "Error:" for the stop icon, "Question:" for the question icon,
// "Warning:" for the exclamation icon.
const char* GetMessageBoxKindLabel(unsigned nType);

// True when the box offers that answer.
bool MessageBoxOffers(unsigned nType, int nAnswer);
