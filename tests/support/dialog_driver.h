#pragma once
// Drives an open dialog as a user would, through the dialog's User... entry
// points, and reads back every control. An action the user could not do
// (a missing, disabled or hidden control, a row that is not there) fails the
// current test.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog.h"

class CDialogDriver {
public:
    explicit CDialogDriver(CDialog& dlg) : m_dlg(dlg) {}
    CDialog& Dialog() { return m_dlg; }

    void Focus(int nId);
    // Focuses the edit and types at the end, one Changed notification per key
    // (a UTF-8 character is one key; '\n' is Enter, a new line in a
    // multi-line edit).
    void Type(int nId, const std::string& strKeys);
    void Backspace(int nId, int nKeys = 1);          // one key at a time from the end
    void Replace(int nId, const std::string& strText); // select all and paste: one change
    void Clear(int nId) { Replace(nId, ""); }
    void Select(int nId, int nIndex);
    void Select(int nId, const std::string& strRowText); // the first row with that text
    void Click(int nId);
    void Tick(int nId, bool bTicked = true);         // clicks only when the state differs
    void DoubleClick(int nId, int nIndex);
    void Step(int nId, int nStep);
    void Scroll(int nId, int nTopIndex);
    void Enter();
    void Escape();
    void CloseBox() { Escape(); }
    void Command(int nId);                           // a menu item

    std::string Text(int nId) const;
    bool IsChecked(int nId) const;
    bool IsEnabled(int nId) const;
    bool IsVisible(int nId) const;
    std::vector<std::string> Items(int nId) const; // first texts of the rows
    int Selection(int nId) const;                   // -1 none
    std::string SelectedText(int nId) const;
    int TopIndex(int nId) const;
    int RowCount(int nId) const;
    std::string Cell(int nId, int nRow, int nColumn) const;
    std::intptr_t ItemData(int nId, int nRow) const;
    std::vector<std::string> Headings(int nId) const;
    int ColumnWidth(int nId, int nColumn) const;
    int PictureResource(int nId) const;             // built-in bitmap shown, 0 none
    const CBitmap* PictureBitmap(int nId) const;
    std::string Caption() const { return m_dlg.GetWindowText(); }
    int FocusId() const { return m_dlg.GetFocusId(); }
    bool IsCommandEnabled(int nId) { return m_dlg.IsCommandEnabled(nId); }
    bool IsEnded() const { return m_dlg.IsEnded(); }

private:
    const CControlState* Find(int nId, const char* pszAction) const;
    void Check(bool bDone, int nId, const char* pszAction) const;

    CDialog& m_dlg;
};
