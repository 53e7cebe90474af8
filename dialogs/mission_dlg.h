#pragma once
// The Mission Details dialog: edits one mission of the log in place, each
// control writing into the mission the moment the user changes it, and its
// kills list through the Kill Details dialog. There is no undo: "Cancel" is
// disabled, Escape does nothing and the window has no close box, so "Close"
// (the OK result) is the only way out.
#include "platform/dialog.h"

class CMission;

class CMissionDlg : public CDialog {
public:
    CMissionDlg();

    CMission* m_pMission = nullptr; // the mission edited; null shows empty controls

    // Fills every control from the mission; the kill list keeps its
    // selected and top rows by number.
    void ShowMission();

protected:
    bool OnInitDialog() override;
    void OnCancel() override; // Escape: nothing
    const CHandlerTable* GetHandlers() const override;

private:
    bool IsDayFirst() const;
    int DayFieldId() const;
    int MonthFieldId() const;

    void OnChangeTitle();
    void OnSelSide();
    void OnSelPilotStatus();
    void OnSelResult();
    void OnChangeNotes();
    void OnChangeDuration();
    void OnChangeTakeoffDays();
    void OnChangeTakeoffTime();
    void OnChangeFlownFirst();
    void OnChangeFlownSecond();
    void OnChangeFlownYear();
    void OnChangeFlownTime();
    void StoreTakeoff();
    void StoreFlown();

    void OnAddKill();
    void OnEditKill();
    void OnDelKill();
};
