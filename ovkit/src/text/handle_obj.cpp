#include "ovkit/handle_obj.h"
#include "windows/menu_copy.h"
#include <cstdlib>

CHandleObj::CHandleObj() : m_handle(nullptr) {}

CHandleObj::CHandleObj(void* handle) : m_handle(handle) {}

CHandleObj::CHandleObj(const CHandleObj& other) : m_handle(other.m_handle) {}

CHandleObj& CHandleObj::operator=(const CHandleObj& other) {
    m_handle = other.m_handle;
    return *this;
}

CHandleObj::~CHandleObj() {}

void* CHandleObj::operator new(size_t size) {
    return malloc(size);
}

void CHandleObj::operator delete(void* block) {
    free(block);
}

CHandleObj::operator void*() const {
    return m_handle;
}

void* CHandleObj::Detach() {
    return Attach(nullptr);
}

void* CHandleObj::Attach(void* handle) {
    void* previous = m_handle;
    m_handle = handle;
    return previous;
}

int CHandleObj::IsValid() const {
    return m_handle != nullptr;
}

CMenuObj::CMenuObj() {}

CMenuObj::CMenuObj(HMENU menu) : CHandleObj(menu) {}

CMenuObj::CMenuObj(HINSTANCE module, unsigned int id) {
    Load(module, id);
}

CMenuObj::CMenuObj(const CMenuObj& other)
    : CHandleObj(static_cast<void*>(ovkit::CopyMenuTree(static_cast<HMENU>(other.m_handle)))) {}

CMenuObj& CMenuObj::operator=(const CMenuObj& other) {
    if (this != &other) {
        HMENU copy = ovkit::CopyMenuTree(static_cast<HMENU>(other.m_handle));
        if (m_handle)
            DestroyMenu(static_cast<HMENU>(m_handle));
        m_handle = copy;
    }
    return *this;
}

CMenuObj::~CMenuObj() {
    if (m_handle)
        DestroyMenu(static_cast<HMENU>(m_handle));
}

int CMenuObj::Load(HINSTANCE module, unsigned int id) {
    m_handle = LoadMenuA(module, MAKEINTRESOURCEA(LOWORD(id)));
    return m_handle != nullptr;
}

int CMenuObj::CreatePopupMenu() {
    m_handle = ::CreatePopupMenu();
    return m_handle != nullptr;
}

HMENU CMenuObj::GetSubMenu(int position) const {
    return ::GetSubMenu(static_cast<HMENU>(m_handle), position);
}

CMenuObj::operator HMENU() const {
    return static_cast<HMENU>(m_handle);
}

HMENU CMenuObj::Detach() {
    return static_cast<HMENU>(CHandleObj::Detach());
}

HMENU CMenuObj::Attach(HMENU menu) {
    return static_cast<HMENU>(CHandleObj::Attach(menu));
}

CIcon::CIcon() {}

CIcon::CIcon(HICON icon) : CHandleObj(icon) {}

CIcon::CIcon(HINSTANCE module, unsigned int id) {
    Load(module, id);
}

CIcon::CIcon(const CIcon& other)
    : CHandleObj(other.m_handle ? CopyIcon(static_cast<HICON>(other.m_handle)) : nullptr) {}

CIcon& CIcon::operator=(const CIcon& other) {
    if (this != &other) {
        HICON copy = other.m_handle ? CopyIcon(static_cast<HICON>(other.m_handle)) : nullptr;
        if (m_handle)
            DestroyIcon(static_cast<HICON>(m_handle));
        m_handle = copy;
    }
    return *this;
}

CIcon::~CIcon() {
    if (m_handle)
        DestroyIcon(static_cast<HICON>(m_handle));
}

int CIcon::Load(HINSTANCE module, unsigned int id) {
    m_handle = LoadIconA(module, MAKEINTRESOURCEA(LOWORD(id)));
    return m_handle != nullptr;
}

CIcon::operator HICON() const {
    return static_cast<HICON>(m_handle);
}

HICON CIcon::Detach() {
    return static_cast<HICON>(CHandleObj::Detach());
}

HICON CIcon::Attach(HICON icon) {
    return static_cast<HICON>(CHandleObj::Attach(icon));
}
