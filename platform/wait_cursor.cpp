#include "platform/wait_cursor.h"

#include "platform/host.h"

CWaitCursor::CWaitCursor() : m_pHost(GetHost())
{
    if (m_pHost)
        m_pHost->BeginWaitCursor();
}

CWaitCursor::~CWaitCursor()
{
    if (m_pHost)
        m_pHost->EndWaitCursor();
}
