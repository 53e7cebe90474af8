#include "platform/cmd_target.h"

const char* GetNotifyName(ENotify eNotify)
{
    switch (eNotify) {
    case ENotify::Clicked:
        return "clicked";
    case ENotify::Changed:
        return "changed";
    case ENotify::SelChange:
        return "selection changed";
    case ENotify::DoubleClicked:
        return "double-clicked";
    case ENotify::DeltaPos:
        return "up-down step";
    case ENotify::UpdateCommand:
        return "command state";
    }
    return "?";
}

bool CCmdTarget::OnNotify(int nId, ENotify eNotify, int nParam)
{
    const CHandlerTable* pTable = GetHandlers();
    return pTable && pTable->Dispatch(*this, nId, eNotify, nParam, nullptr);
}

bool CCmdTarget::IsCommandHandled(int nId, bool& bEnabled)
{
    const CHandlerTable* pTable = GetHandlers();
    if (!pTable)
        return false;
    bool bAnswer = true;
    if (pTable->Dispatch(*this, nId, ENotify::UpdateCommand, 0, &bAnswer)) {
        bEnabled = bAnswer;
        return true;
    }
    for (const CHandlerKey& key : pTable->GetKeys())
        if (key.m_nId == nId && key.m_eNotify == ENotify::Clicked) {
            bEnabled = true;
            return true;
        }
    return false;
}
