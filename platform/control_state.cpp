#include "platform/control_state.h"

bool CControlState::IsList() const
{
    EControlKind e = GetKind();
    return e == EControlKind::DropDownList || e == EControlKind::ListBox || e == EControlKind::ReportList;
}

bool CControlState::IsButton() const
{
    EControlKind e = GetKind();
    return e == EControlKind::PushButton || e == EControlKind::CheckBox || e == EControlKind::RadioButton;
}

bool CControlState::CanTakeFocus() const
{
    EControlKind e = GetKind();
    return e != EControlKind::Static && e != EControlKind::GroupBox && e != EControlKind::EtchedFrame &&
           e != EControlKind::Picture;
}
