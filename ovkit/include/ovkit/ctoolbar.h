// CBandolet, a container of toolbar bands, and CToolbar, one band with a
// gripper by which the user drags its border.
#pragma once
#include "ovkit/cwindow.h"

#define OVKIT_CBANDOLET_CLASS "WinAWTCBandolet"

class CToolbar;

class OVKIT_API CBandolet : public CWindow {
  public:
    // A visible child window "CBandolet" in the parent's window, with the
    // next child id; registers its class with the first object.
    explicit CBandolet(CWindow* parent);
    // Unregisters the class when the last CBandolet goes.
    ~CBandolet() override;

    // Appends a band; the title is copied. Returns 1, 0 when out of memory.
    int AddBand(CToolbar* band, const char* title);
    int GetBandCount() const;
    CToolbar* GetBand(int index) const; // null outside the list

    // Places the bands side by side over the container's rectangle, each
    // reaching to its drop position (see ctoolbar.cpp).
    void Layout() override;

    static ATOM atomRegisteredClass;
    static int nUsageCount;

  protected:
    struct Band {
        CToolbar* toolbar;
        char* title;
        Band* next;
    };
    Band* m_pBands;
};

class OVKIT_API CToolbar : public CWindow {
  public:
    // Width of the gripper at the band's left edge.
    static const int kGripperWidth = 15;

    // A visible child window "CToolbar" (WS_CHILD | WS_VISIBLE) in the
    // parent's window, belonging to the container.
    CToolbar(CWindow* parent, CBandolet* container);
    // Deletes the cached composite bitmap.
    ~CToolbar() override;

    // Places the child objects' windows in one row (a column when vertical).
    void Layout() override;
    ULONG_PTR OnLButtonDown(unsigned short keys, int x, int y) override;
    ULONG_PTR OnLButtonUp(unsigned short keys, int x, int y) override;
    ULONG_PTR OnMouseMove(unsigned short keys, int x, int y) override;
    // Draw, then Layout.
    ULONG_PTR OnPaint(void* dc) override;
    // Draws the band's background, grippers and edge into the DC.
    virtual void Draw(void* dc);

    // The background picture (not owned; null for none).
    void SetBackground(HBITMAP bitmap);
    void SetMovable(bool movable) { m_bMovable = movable; }
    void SetVertical(bool vertical) { m_bVertical = vertical; }
    bool IsMovable() const { return m_bMovable; }
    bool IsVertical() const { return m_bVertical; }
    bool IsDragging() const { return m_bDragging; }
    // Where the last drag ended, in the container's coordinates (-1, -1 at first).
    POINT GetDropPosition() const { return m_ptDrop; }
    CBandolet* GetContainer() const { return m_pContainer; }

  protected:
    // Draws or erases (the same XOR rectangle) the drag mark at x.
    void DrawDragMark(int x);
    // Rebuilds the composite of the background for the given client size.
    void BuildComposite(HDC dc, int width, int height);

    HBITMAP m_hBackground;
    HBITMAP m_hComposite;
    SIZE m_sizeComposite;
    bool m_bDragging;
    bool m_bMovable;
    bool m_bVertical;
    CBandolet* m_pContainer;
    POINT m_ptDrop;
    int m_nMarkX; // the drag mark now drawn, in the container's client coordinates
};
