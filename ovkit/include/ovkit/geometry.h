// CPoint and CRect: coordinates laid out as Windows' POINT and RECT, so they
// can be handed to Windows calls as they are.
#pragma once
#include "ovkit/ovkit_base.h"

class OVKIT_API CPoint : public POINT {
  public:
    CPoint();
    CPoint(int x, int y);
    CPoint(POINT point);
    CPoint(SIZE size);
    // x from the low 16 bits, y from the high 16 bits, both unsigned.
    CPoint(unsigned long packed);

    void Offset(int dx, int dy);
    void Offset(POINT point);
    void Offset(SIZE size);
    void operator+=(SIZE size);
    void operator+=(POINT point);
    void operator-=(SIZE size);
    void operator-=(POINT point);
    CPoint operator+(SIZE size) const;
    CPoint operator+(POINT point) const;
    CPoint operator-(SIZE size) const;
    CPoint operator-(POINT point) const;
    CPoint operator-() const;
    int operator==(POINT point) const;
    int operator!=(POINT point) const;
    CPoint& operator=(const POINT& point);
    CPoint& operator=(const CPoint& point);
};

class OVKIT_API CRect : public RECT {
  public:
    CRect();
    CRect(RECT rect);
    CRect(const CRect& rect);
    // The window's rectangle in screen coordinates.
    CRect(void* window);
    // Note the order: the third argument is the height, the fourth the width.
    CRect(int left, int top, int height, int width);

    CRect& operator=(const RECT& rect);
    CRect& operator=(const CRect& rect);
    operator RECT*();
    int Width() const;
    int Height() const;
    CPoint TopLeft();

  private:
    void Init();
};

static_assert(sizeof(CPoint) == 8, "CPoint is a POINT");
static_assert(sizeof(CRect) == 16, "CRect is a RECT");
