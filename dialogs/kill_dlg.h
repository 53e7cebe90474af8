#pragma once
// The Kill Details dialog: edits one weapon-release record in place, each
// control writing into the record as the user changes it. It keeps a copy of
// the record as it was when the dialog opened and puts it back on Cancel.
#include "log/kill.h"
#include "platform/dialog.h"

class CKillDlg : public CDialog {
public:
    CKillDlg();

    CKill m_killSaved;        // the record as it was when the dialog opened
    CKill* m_pKill = nullptr; // the record edited; set before the dialog runs

    // Fills every control from the record.
    void ShowKill();

protected:
    bool OnInitDialog() override;
    void OnCancel() override; // also Escape and the close box
    const CHandlerTable* GetHandlers() const override;

private:
    void FillNameLists();
    void OnChangeFiredDays();
    void OnChangeFiredTime();
    void OnChangeHitDays();
    void OnChangeHitTime();
    void StoreFired();
    void StoreHit();
    void OnSelWeapon();
    void OnSelTarget();
    void OnSelSide();
    void OnPrimaryTarget();
    void OnAirborneTarget();
};
