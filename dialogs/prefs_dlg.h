#pragma once
// The Preferences dialog: the simulator directory, the three options of the
// debrief analysis, the flying-time total and the date order. The caller
// sets the values, runs the dialog and takes them back on OK; the dialog
// reads and writes no file.
#include <string>

#include "platform/dialog.h"

class CPrefsDlg : public CDialog {
public:
    CPrefsDlg();

    int m_nDateFormat = 0;          // non-zero: day first
    int m_bAccumulatePilotTime = 0; // non-zero: over the pilot, else the career
    std::string m_strVortaneDir;
    int m_bIgnoreGndKills = 0;
    int m_bLogEvents = 0;
    int m_bRejectUnkKills = 0;

    // The folder holding the chosen file: the text before its last "/" ("/"
    // for a file in the root); a path without "/" is kept whole.
    static std::string DirectoryOfFile(const std::string& strPath);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    const CHandlerTable* GetHandlers() const override;

private:
    void OnBrowse();
    void OnAccumulatePilot() { m_bAccumulatePilotTime = 1; }
    void OnAccumulateCareer() { m_bAccumulatePilotTime = 0; }
    void OnDateDayFirst() { m_nDateFormat = 1; }
    void OnDateMonthFirst() { m_nDateFormat = 0; }
};
