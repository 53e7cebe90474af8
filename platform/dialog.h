#pragma once
// A modal dialog built from a template. The dialog owns a model of its
// controls (CControlState, one per control of the template): the program's
// setters change the model and tell the host; the host reports what the user
// did through the User... entry points, which update the model and send the
// notification to the handler table. Like the real platform, a text set by
// the program in an edit also sends the Changed notification, so a handler
// that must only react to the user checks that its control has the focus.
//
// A dialog:
//   class CPrefsDlg : public CDialog {
//   public:
//       CPrefsDlg() : CDialog(GetDialogTemplate(IDD_PREFERENCES)) {}
//   protected:
//       bool OnInitDialog() override;                 // after the controls exist
//       void DoDataExchange(CDataExchange& dx) override; // DDX_Text, DDX_Check
//       const CHandlerTable* GetHandlers() const override;
//   };
// The model works without a host: OpenModel() builds the controls and runs
// OnInitDialog, after which the entry points can be called directly.
#include <memory>
#include <string>
#include <vector>

#include "platform/cmd_target.h"
#include "platform/control_state.h"
#include "platform/dialog_template.h"
#include "platform/message_box.h"
#include "platform/size.h"

class CDialog;
class CHost;

// Values to controls (m_bSaveAndValidate false) or back (true).
struct CDataExchange {
    CDialog& m_dlg;
    bool m_bSaveAndValidate;
};
void DDX_Text(CDataExchange& dx, int nId, std::string& strValue);
void DDX_Check(CDataExchange& dx, int nId, int& nValue);

inline constexpr int LB_ERR = -1;
inline constexpr int CB_ERR = -1;

class CDialog : public CCmdTarget {
public:
    explicit CDialog(const CDialogTemplate& dlgTemplate);
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog through the current host; returns the EndDialog result,
    // IDCANCEL when the host cannot show dialogs (or there is none).
    virtual int DoModal();
    void EndDialog(int nResult);

    const CDialogTemplate& GetTemplate() const { return m_template; }
    int GetTemplateId() const { return m_template.m_nId; }
    bool IsOpen() const { return m_bOpen; } // from OnInitDialog until DoModal returns
    bool IsEnded() const { return m_bEnded; }
    int GetResult() const { return m_nResult; }

    // Menu commands and buttons the dialog's table does not handle go on to
    // this target (the application object, say). Not owned.
    void SetNextCommandTarget(CCmdTarget* pTarget) { m_pNextTarget = pTarget; }

    // --- Controls, addressed by id --------------------------------------
    void SetDlgItemText(int nId, const std::string& strText); // edits notify Changed
    std::string GetDlgItemText(int nId) const;
    void EnableDlgItem(int nId, bool bEnable = true);
    bool IsDlgItemEnabled(int nId) const;
    void ShowDlgItem(int nId, bool bShow = true);
    bool IsDlgItemVisible(int nId) const;
    void CheckDlgButton(int nId, int nCheck);      // no notification
    int IsDlgButtonChecked(int nId) const;         // 1 ticked, 0 clear
    // Ticks nCheckId and clears the other radio buttons from nFirstId to nLastId
    // (ids in that range, in template order).
    void CheckRadioButton(int nFirstId, int nLastId, int nCheckId);
    int GetCheckedRadioButton(int nFirstId, int nLastId) const; // 0: none

    // Lists: drop-down lists, list boxes and report lists share these.
    // Selection changes made by the program do not notify.
    void ResetContent(int nId);
    // Replaces every row in one change, so that a long list fills at once; no
    // row is selected afterwards and the top row is the first.
    void SetItems(int nId, const std::vector<std::string>& texts);
    // A report list whose rows the dialog keeps (owner data): nRows rows whose
    // texts and item data pSource gives when asked (not owned; it must live
    // while the list shows them). Replaces every row in one change; no row is
    // selected afterwards. Rows cannot then be added, changed or removed one
    // by one; ResetContent makes the list one of stored rows again.
    void SetVirtualRows(int nId, int nRows, const CListRowSource* pSource);
    int AddString(int nId, const std::string& strText);           // index of the new row
    int InsertString(int nId, int nIndex, const std::string& strText); // -1: at the end
    int DeleteString(int nId, int nIndex);                         // rows left, or LB_ERR
    int GetCount(int nId) const;
    std::string GetItemText(int nId, int nIndex, int nColumn = 0) const; // "" out of range
    bool SetItemText(int nId, int nIndex, int nColumn, const std::string& strText);
    std::intptr_t GetItemData(int nId, int nIndex) const;          // 0 out of range
    bool SetItemData(int nId, int nIndex, std::intptr_t nData);
    // Selects row nIndex; -1 or a row out of range leaves no row selected
    // (and returns LB_ERR).
    int SetCurSel(int nId, int nIndex);
    int GetCurSel(int nId) const; // LB_ERR when none
    // First row after nStartAfter (-1: from the top, wrapping round) whose
    // first text begins with strPrefix, letter case ignored; LB_ERR if none.
    int FindString(int nId, int nStartAfter, const std::string& strPrefix) const;
    // FindString, then select the row found; with none, the selection stays.
    int SelectString(int nId, int nStartAfter, const std::string& strPrefix);
    void SetTopIndex(int nId, int nIndex); // list box; limited to the rows there are
    int GetTopIndex(int nId) const;

    // Report lists.
    int InsertColumn(int nId, int nColumn, const std::string& strHeading, int nFormat = LVCFMT_LEFT,
                     int nWidth = -1);
    int GetColumnCount(int nId) const;
    bool SetColumnWidth(int nId, int nColumn, int nWidth);
    int GetColumnWidth(int nId, int nColumn) const; // -1 when unset or absent
    // Width in pixels of the text as the list would draw it.
    int GetStringWidth(int nId, const std::string& strText) const;
    // The same for many texts at once (one width per text, in order).
    std::vector<int> GetStringWidths(int nId, const std::vector<std::string>& texts) const;

    // Pictures: a built-in bitmap, or a loaded one the control then owns
    // (nullptr shows nothing).
    void SetPictureResource(int nId, int nBitmapId);
    void SetPictureBitmap(int nId, std::unique_ptr<CBitmap> pBitmap);
    const CBitmap* GetPictureBitmap(int nId) const;
    // Size of a control's inside, in pixels.
    CSize GetClientSize(int nId) const;

    // Keyboard focus (0: no control has it).
    int GetFocusId() const { return m_nFocusId; }
    bool HasFocus(int nId) const { return nId != 0 && m_nFocusId == nId; }
    // While an edit's Changed handler runs: true when the user changed the
    // text, false when the program did (SetDlgItemText), even with the focus
    // in that edit.
    bool IsUserEdit() const { return m_bUserEdit; }
    void GotoDlgCtrl(int nId);

    // Caption and icon.
    void SetWindowText(const std::string& strCaption);
    const std::string& GetWindowText() const { return m_strCaption; }
    void SetIcon(int nIconId);
    int GetIconId() const { return m_nIconId; }

    bool UpdateData(bool bSaveAndValidate = true);

    // Whether a command (menu item) can run now: grayed items never, else the
    // dialog's handler table, then the next command target.
    bool IsCommandEnabled(int nId);

    // --- For hosts ------------------------------------------------------
    const std::vector<std::unique_ptr<CControlState>>& GetControls() const { return m_controls; }
    const CControlState* FindControl(int nId) const;
    CHost* GetRunningHost() const { return m_pHost; }

    // Builds the controls and runs OnInitDialog (DoModal does this itself).
    void OpenModel();

    // What the user did. Each updates the model and sends the notification;
    // false (and nothing happens) when the dialog is not open, the control
    // does not exist, is disabled or hidden, or cannot do that.
    bool UserFocus(int nId);
    bool UserClick(int nId);                         // button, check box, radio, report list
    bool UserEditText(int nId, const std::string& strText); // the edit's whole new text
    bool UserSelect(int nId, int nIndex);            // a list row (report list: also Clicked)
    bool UserDoubleClick(int nId, int nIndex);
    bool UserScroll(int nId, int nTopIndex);         // list box scrolled; no notification
    bool UserStep(int nId, int nStep);               // up-down arrows: +1 up, -1 down
    bool UserEnter();                                // Enter key
    bool UserCancel();                               // Escape key or close box
    bool UserCommand(int nId);                       // menu item

protected:
    // Runs the exchange to the controls and returns true (the platform then
    // gives the focus to the first tab stop); false when the dialog set the
    // focus itself.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange&) {}
    virtual void OnOK();     // UpdateData(true), then EndDialog(IDOK)
    virtual void OnCancel(); // EndDialog(IDCANCEL)

private:
    CControlState* Control(int nId, const char* pszUse);
    const CControlState* Control(int nId, const char* pszUse) const;
    CControlState* ListControl(int nId, const char* pszUse);
    const CControlState* ListControl(int nId, const char* pszUse) const;
    // A list whose rows are stored here (not kept by the dialog).
    CControlState* StoredRowsControl(int nId, const char* pszUse);
    const CControlState* StoredRowsControl(int nId, const char* pszUse) const;
    CControlState* UserControl(int nId);
    void BuildControls();
    void InitModel();
    void ToggleButton(CControlState& ctl);
    void CheckTemplate();
    void ReportError(const std::string& strProblem) const;
    void Changed(const CControlState& ctl, EChange eWhat, int nIndex = -1);
    void DialogChanged(EDialogChange eWhat);
    void Notify(int nId, ENotify eNotify, int nParam = 0);
    void Command(int nId);
    int FindDefaultButton() const;
    int FirstTabStop() const;

    const CDialogTemplate& m_template;
    std::vector<std::unique_ptr<CControlState>> m_controls;
    std::string m_strCaption;
    int m_nIconId = 0;
    int m_nFocusId = 0;
    bool m_bOpen = false;
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
    int m_nNotifyDepth = 0;
    bool m_bUserEdit = false;
    CHost* m_pHost = nullptr;
    CCmdTarget* m_pNextTarget = nullptr;
};
