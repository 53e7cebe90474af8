#include "platform/wx/label_wrap.h"

#include <sstream>

std::string WrapLabel(const std::string& strText, int nWidth, const std::function<int(const std::string&)>& fnMeasure)
{
    std::string out;
    std::istringstream lines(strText);
    std::string strLine;
    bool bFirstLine = true;
    while (std::getline(lines, strLine)) {
        if (!bFirstLine)
            out += '\n';
        bFirstLine = false;
        std::istringstream words(strLine);
        std::string strWord;
        std::string strCurrent;
        while (words >> strWord) {
            std::string strTry = strCurrent.empty() ? strWord : strCurrent + ' ' + strWord;
            if (strCurrent.empty() || fnMeasure(strTry) <= nWidth) {
                strCurrent = std::move(strTry);
                continue;
            }
            out += strCurrent + '\n';
            strCurrent = strWord;
        }
        out += strCurrent;
    }
    return out;
}
