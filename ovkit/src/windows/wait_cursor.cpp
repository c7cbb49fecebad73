#include "ovkit/wait_cursor.h"

CWaitCursor::CWaitCursor() : m_hOldCursor(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}

CWaitCursor::~CWaitCursor() {
    SetCursor(m_hOldCursor);
}

void CWaitCursor::Restore() {
    m_hOldCursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

CWaitCursor& CWaitCursor::operator=(const CWaitCursor& other) {
    m_hOldCursor = other.m_hOldCursor;
    return *this;
}
