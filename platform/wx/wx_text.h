#pragma once
// Program texts to toolkit strings and back (see text_codec.h).
#include <string>

#include <wx/string.h>

#include "platform/wx/text_codec.h"

inline wxString ToWx(const std::string& strText) { return wxString::FromUTF8(ToDisplayUtf8(strText)); }

inline std::string FromWx(const wxString& str) { return str.utf8_string(); }
