#pragma once
// Busy cursor while it lives (nests).
class CHost;

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    CHost* m_pHost; // the host it was shown on
};
