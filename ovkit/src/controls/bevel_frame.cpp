#include "ovkit/bevel_frame.h"

namespace {

void Quad(HDC dc, HBRUSH brush, POINT a, POINT b, POINT c, POINT d) {
    if (brush)
        SelectObject(dc, brush);
    const POINT points[4] = {a, b, c, d};
    Polygon(dc, points, 4);
}

} // namespace

OVKIT_EXPORT(void)
OVKIT_DrawKarstPolygons(HDC dc, const RECT* rect, int kind, int width, COLORREF first,
                        COLORREF second) {
    if (!dc || !rect)
        return;
    HBRUSH firstBrush = CreateSolidBrush(first);
    HBRUSH secondBrush = CreateSolidBrush(second);
    HBRUSH leftTop = kind == 0 ? firstBrush : kind == 1 ? secondBrush : nullptr;
    HBRUSH rightBottom = kind == 0 ? secondBrush : kind == 1 ? firstBrush : nullptr;
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = GetCurrentObject(dc, OBJ_BRUSH);
    int oldMode = SetPolyFillMode(dc, WINDING);
    const LONG l = rect->left, t = rect->top, r = rect->right, b = rect->bottom, w = width;
    Quad(dc, leftTop, {l, t}, {l + w, t + w}, {l + w, b - w}, {l, b});
    Quad(dc, leftTop, {l, t}, {l + w, t + w}, {r - w, t + w}, {r, t});
    Quad(dc, rightBottom, {r, t}, {r - w, t + w}, {r - w, b - w}, {r, b});
    Quad(dc, rightBottom, {r, b}, {r - w, b - w}, {l + w, b - w}, {l, b});
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SetPolyFillMode(dc, oldMode);
    DeleteObject(firstBrush);
    DeleteObject(secondBrush);
}
