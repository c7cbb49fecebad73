// CBandolet: the container of toolbar bands and their layout.
#include "ovkit/ctoolbar.h"
#include <cstdlib>

ATOM CBandolet::atomRegisteredClass = 0;
int CBandolet::nUsageCount = 0;

CBandolet::CBandolet(CWindow* parent) : CWindow(parent, nullptr), m_pBands(nullptr) {
    RegisterKind(OVKIT_CBANDOLET_CLASS, &atomRegisteredClass);
    ++nUsageCount;
    CreateBoundChild(OVKIT_CBANDOLET_CLASS, "CBandolet", WS_CHILD | WS_VISIBLE, CW_USEDEFAULT,
                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                     parent ? parent->GetHandle() : nullptr);
}

CBandolet::~CBandolet() {
    while (m_pBands) {
        Band* band = m_pBands;
        m_pBands = band->next;
        free(band->title);
        delete band;
    }
    DestroyOwnWindow();
    ReleaseKind(OVKIT_CBANDOLET_CLASS, &atomRegisteredClass, &nUsageCount);
}

int CBandolet::AddBand(CToolbar* toolbar, const char* title) {
    char* copy = _strdup(title ? title : "");
    if (!copy)
        return 0;
    Band** tail = &m_pBands;
    while (*tail)
        tail = &(*tail)->next;
    *tail = new Band{toolbar, copy, nullptr};
    return 1;
}

int CBandolet::GetBandCount() const {
    int count = 0;
    for (Band* band = m_pBands; band; band = band->next)
        ++count;
    return count;
}

CToolbar* CBandolet::GetBand(int index) const {
    Band* band = m_pBands;
    for (; band && index > 0; --index)
        band = band->next;
    return band && index == 0 ? band->toolbar : nullptr;
}

void CBandolet::Layout() {
    if (!m_hWnd)
        return;
    // The bands are the parent's children: place them in its coordinates.
    RECT area;
    GetClientRect(m_hWnd, &area);
    MapWindowPoints(m_hWnd, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&area), 2);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    int offset = 0;
    int after = GetBandCount();
    for (Band* band = m_pBands; band; band = band->next) {
        --after;
        int bandWidth;
        if (!band->next) {
            bandWidth = width - offset;
        } else {
            int drop = band->toolbar->GetDropPosition().x;
            if (drop < offset)
                bandWidth = CToolbar::kGripperWidth;
            else if (drop > width)
                bandWidth = width - offset - CToolbar::kGripperWidth * after;
            else
                bandWidth = drop - offset;
        }
        MoveWindow(band->toolbar->GetHandle(), area.left + offset, area.top, bandWidth, height,
                   TRUE);
        offset += bandWidth;
    }
}
