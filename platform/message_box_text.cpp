#include "platform/message_box_text.h"

#include "platform/message_box.h"

const char* GetMessageBoxKindLabel(unsigned nType)
{
    switch (nType & MB_ICONMASK) {
    case MB_ICONSTOP:
        return "Error:";
    case MB_ICONQUESTION:
        return "Question:";
    default:
        return "Warning:";
    }
}

bool MessageBoxOffers(unsigned nType, int nAnswer)
{
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return nAnswer == IDOK || nAnswer == IDCANCEL;
    case MB_YESNOCANCEL:
        return nAnswer == IDYES || nAnswer == IDNO || nAnswer == IDCANCEL;
    case MB_YESNO:
        return nAnswer == IDYES || nAnswer == IDNO;
    default:
        return nAnswer == IDOK;
    }
}
