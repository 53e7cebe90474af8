#pragma once
// The main window: the pilot's identity and photograph, the status of the
// pilot, the summary of the current career, its missions and date range, and
// the commands that log, edit, move and delete missions. Everything shown
// comes from the current log document through UpdateDisplay, which every
// command that changes the log calls; nothing else refreshes the window.
#include <memory>
#include <string>
#include <string_view>

#include "log/mission.h"
#include "platform/dialog.h"

class CBitmap;
class CCareer;
class CPilot;

class CLogDlg : public CDialog {
public:
    CLogDlg();
    ~CLogDlg() override;

    // Runs the window until Exit; then the window is gone, and with it the
    // photograph and a mission still held by Cut.
    int DoModal() override;

    // Refreshes every control from the current log; does nothing while the
    // window is not open.
    void UpdateDisplay();

    // The mission taken out by Cut and not yet pasted, or nullptr.
    const CMission* GetCutMission() const { return m_pCutMission.get(); }

protected:
    bool OnInitDialog() override;
    const CHandlerTable* GetHandlers() const override;
    void OnOK() override;     // the window ends only through Exit
    void OnCancel() override; // Escape and the close box: as Exit

private:
    void OnLogLast();
    void OnLogMission();
    void OnAdd();
    void OnEdit();
    void OnDel();
    void OnCut();
    void OnPaste();
    void OnSelChangeMissions();
    void OnDeltaPosCareer(int nStep);
    void OnChangeName();
    void OnChangeCallsign();
    void OnChangeUnit();
    void OnChangeRank();
    void OnExit();
    void OnPrint() {} // printing was never built; its button stays disabled

    void ShowCareer(const CCareer& career);
    void ShowPhoto(const CPilot& pilot);
    // Copies the edit's text into the pilot when the user typed it.
    void TakeIdentityEdit(int nId, void (CPilot::*pfnSet)(std::string_view));
    // After a mission was added: the new last mission is selected.
    void ShowNewMission();
    void ReleaseWindowState();

    const int m_hIcon; // the application icon, by resource id
    std::unique_ptr<CMission> m_pCutMission;
    const CBitmap* m_hPhoto = nullptr; // shown by the picture control, which owns it
    std::string m_strPhotoFile;        // the file m_hPhoto was loaded from
};
