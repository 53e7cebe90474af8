#pragma once
// The names screen readers announce controls by, as the classic dialogs give
// them: a control that shows a text of its own (a label, a button, a box) is
// named by it; an edit, a list or a drop-down, which show none, by the text
// of the label just before it in the template (a report list that has no
// such label, by the name its template gives it). Mnemonic marks ("&Add") are
// dropped, "&&" stands for "&".
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/control_state.h"

// The name of controls[nIndex] (empty: it has none).
std::string GetControlName(const std::vector<std::unique_ptr<CControlState>>& controls, std::size_t nIndex);

// The names of an up-down control's two arrows, up first: the two lines of
// its template text, else "Up" and "Down".
std::pair<std::string, std::string> GetUpDownNames(const CControlTemplate& tmpl);

std::string StripMnemonics(const std::string& strText);
