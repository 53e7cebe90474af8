#pragma once
// Word wrapping for labels the toolkit does not wrap itself (check boxes and
// radio buttons whose label wraps over several lines).
#include <functional>
#include <string>

// Breaks the text at blanks into lines no wider than nWidth as measured; a
// word wider than that stands alone on its line. Existing line breaks stay.
std::string WrapLabel(const std::string& strText, int nWidth, const std::function<int(const std::string&)>& fnMeasure);
