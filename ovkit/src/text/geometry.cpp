#include "ovkit/geometry.h"

CPoint::CPoint() {
    x = y = 0;
}

CPoint::CPoint(int cx, int cy) {
    x = cx;
    y = cy;
}

CPoint::CPoint(POINT point) {
    *this = point;
}

CPoint::CPoint(SIZE size) {
    x = size.cx;
    y = size.cy;
}

CPoint::CPoint(unsigned long packed) {
    x = LOWORD(packed);
    y = HIWORD(packed);
}

void CPoint::Offset(int dx, int dy) {
    x += dx;
    y += dy;
}

void CPoint::Offset(POINT point) {
    Offset(point.x, point.y);
}
void CPoint::Offset(SIZE size) {
    Offset(size.cx, size.cy);
}
void CPoint::operator+=(SIZE size) {
    Offset(size.cx, size.cy);
}
void CPoint::operator+=(POINT point) {
    Offset(point.x, point.y);
}
void CPoint::operator-=(SIZE size) {
    Offset(-size.cx, -size.cy);
}
void CPoint::operator-=(POINT point) {
    Offset(-point.x, -point.y);
}
CPoint CPoint::operator+(SIZE size) const {
    return CPoint(x + size.cx, y + size.cy);
}
CPoint CPoint::operator+(POINT point) const {
    return CPoint(x + point.x, y + point.y);
}
CPoint CPoint::operator-(SIZE size) const {
    return CPoint(x - size.cx, y - size.cy);
}
CPoint CPoint::operator-(POINT point) const {
    return CPoint(x - point.x, y - point.y);
}
CPoint CPoint::operator-() const {
    return CPoint(-x, -y);
}
int CPoint::operator==(POINT point) const {
    return x == point.x && y == point.y;
}
int CPoint::operator!=(POINT point) const {
    return !(*this == point);
}

CPoint& CPoint::operator=(const POINT& point) {
    x = point.x;
    y = point.y;
    return *this;
}

CPoint& CPoint::operator=(const CPoint& point) {
    return *this = static_cast<const POINT&>(point);
}

void CRect::Init() {
    left = top = right = bottom = 0;
}

CRect::CRect() {
    Init();
}

CRect::CRect(RECT rect) {
    *this = rect;
}

CRect::CRect(const CRect& rect) : RECT() {
    *this = rect;
}

CRect::CRect(void* window) {
    Init();
    GetWindowRect(static_cast<HWND>(window), this);
}

CRect::CRect(int l, int t, int height, int width) {
    left = l;
    top = t;
    right = l + width;
    bottom = t + height;
}

CRect& CRect::operator=(const RECT& rect) {
    left = rect.left;
    top = rect.top;
    right = rect.right;
    bottom = rect.bottom;
    return *this;
}

CRect& CRect::operator=(const CRect& rect) {
    return *this = static_cast<const RECT&>(rect);
}

CRect::operator RECT*() {
    return this;
}

int CRect::Width() const {
    return right - left;
}

int CRect::Height() const {
    return bottom - top;
}

CPoint CRect::TopLeft() {
    return CPoint(left, top);
}
