// Message boxes of the window host. The toolkit's own message dialog (not the
// desktop's) shows the stop, question and exclamation icons and centres
// itself even without a window manager.
#include <utility>

#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>

#include "platform/message_box.h"
#include "platform/message_box_text.h"
#include "platform/wx/window_host.h"
#include "platform/wx/wx_text.h"

namespace {

long MessageBoxStyle(unsigned nType)
{
    long nStyle = wxCENTRE;
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        nStyle |= wxOK | wxCANCEL;
        break;
    case MB_YESNO:
        nStyle |= wxYES_NO;
        break;
    case MB_YESNOCANCEL:
        nStyle |= wxYES_NO | wxCANCEL;
        break;
    default:
        nStyle |= wxOK;
        break;
    }
    switch (nType & MB_ICONMASK) {
    case MB_ICONSTOP:
        nStyle |= wxICON_ERROR;
        break;
    case MB_ICONQUESTION:
        nStyle |= wxICON_QUESTION;
        break;
    default:
        nStyle |= wxICON_EXCLAMATION;
        break;
    }
    return nStyle;
}

} // namespace

int CWindowHost::MessageBox(const std::string& strText, unsigned nType)
{
    nType = NormalizeMessageBoxType(nType);
    wxGenericMessageDialog box(GetParentWindow(), ToWx(strText), "Sortavel Manager", MessageBoxStyle(nType));
    // Brought to the front when shown, so that it has the keyboard even
    // where no window manager gives it.
    box.Bind(wxEVT_INIT_DIALOG, [&box](wxInitDialogEvent& event) {
        event.Skip();
        box.CallAfter([&box] { box.Raise(); });
    });
    wxWindow* pOuter = std::exchange(m_pQuestion, &box);
    const int nResult = box.ShowModal();
    m_pQuestion = pOuter;
    ReactivateTopWindow();
    int nAnswer;
    switch (nResult) {
    case wxID_OK:
        nAnswer = IDOK;
        break;
    case wxID_YES:
        nAnswer = IDYES;
        break;
    case wxID_NO:
        nAnswer = IDNO;
        break;
    default:
        nAnswer = IDCANCEL;
        break;
    }
    // Closing a box that offers no Cancel gives the answer it falls back on.
    return MessageBoxOffers(nType, nAnswer) ? nAnswer : GetDefaultMessageBoxAnswer(nType);
}
