#include "platform/host.h"

namespace {
CHost* g_pHost = nullptr; // the one current host; installed by CHostScope
}

CHost* GetHost() { return g_pHost; }

CHostScope::CHostScope(CHost& host) : m_pPrevious(g_pHost) { g_pHost = &host; }

CHostScope::~CHostScope() { g_pHost = m_pPrevious; }
