#pragma once
// Message boxes with the framework's button and icon flags and results.
// Every host (windows, terminal, tests) answers them.
#include <string>

// Buttons
inline constexpr unsigned MB_OK = 0x0000;
inline constexpr unsigned MB_OKCANCEL = 0x0001;
inline constexpr unsigned MB_YESNOCANCEL = 0x0003;
inline constexpr unsigned MB_YESNO = 0x0004;
inline constexpr unsigned MB_TYPEMASK = 0x000F;
// Icons; a box without one shows the exclamation icon.
inline constexpr unsigned MB_ICONSTOP = 0x0010;
inline constexpr unsigned MB_ICONQUESTION = 0x0020;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x0030;
inline constexpr unsigned MB_ICONMASK = 0x00F0;

// Results
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows a modal message box through the current host and returns the answer.
// The text is shown verbatim (it is never a format).
int AfxMessageBox(const std::string& text, unsigned nType = MB_OK);
