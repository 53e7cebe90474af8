#include "tests/gui/toolkit_messages.h"

#include <utility>

#include <glib.h>

namespace {

std::vector<std::string>& Messages()
{
    static std::vector<std::string> messages;
    return messages;
}

void OnMessage(const gchar* pszDomain, GLogLevelFlags eLevel, const gchar* pszMessage, gpointer pData)
{
    if (eLevel & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) {
        const char* pszLevel = (eLevel & G_LOG_LEVEL_WARNING) ? "WARNING" : "CRITICAL";
        Messages().push_back(std::string(pszDomain ? pszDomain : "") + "-" + pszLevel + ": " +
                             (pszMessage ? pszMessage : ""));
    }
    g_log_default_handler(pszDomain, eLevel, pszMessage, pData);
}

} // namespace

void CaptureToolkitMessages() { g_log_set_default_handler(OnMessage, nullptr); }

std::vector<std::string> TakeToolkitMessages() { return std::exchange(Messages(), {}); }
