#include "platform/message_box.h"

#include <iostream>

#include "platform/host.h"
#include "platform/message_box_text.h"

unsigned NormalizeMessageBoxType(unsigned nType)
{
    unsigned nButtons = nType & MB_TYPEMASK;
    if (nButtons != MB_OK && nButtons != MB_OKCANCEL && nButtons != MB_YESNO && nButtons != MB_YESNOCANCEL)
        nButtons = MB_OK;
    unsigned nIcon = nType & MB_ICONMASK;
    if (nIcon != MB_ICONSTOP && nIcon != MB_ICONQUESTION && nIcon != MB_ICONEXCLAMATION)
        nIcon = MB_ICONEXCLAMATION;
    return nButtons | nIcon;
}

int GetDefaultMessageBoxAnswer(unsigned nType)
{
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    default:
        return IDOK;
    }
}

int AfxMessageBox(const std::string& text, unsigned nType)
{
    const unsigned nShown = NormalizeMessageBoxType(nType);
    if (CHost* pHost = GetHost())
        return pHost->MessageBox(text, nShown);
    // No host: report like the terminal does, without asking.
    std::cerr << GetMessageBoxKindLabel(nShown) << '\n' << text << '\n';
    return GetDefaultMessageBoxAnswer(nShown);
}
