#include "Canvas.h"

#include <algorithm>
#include <cstdlib>

QRgb ToQRgb(TColor c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

namespace {
// The half-open span an edge pair covers: a..b-1 in order, b+1..a mirrored.
void Span(int a, int b, int& first, int& last)
{
    if (a <= b) {
        first = a;
        last = b - 1;
    } else {
        first = b + 1;
        last = a;
    }
}
}  // namespace

void TCanvas::FillRect(const TRect& r)
{
    int x0, x1, y0, y1;
    Span(r.Left, r.Right, x0, x1);
    Span(r.Top, r.Bottom, y0, y1);
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, FPicture.width() - 1);
    y1 = std::min(y1, FPicture.height() - 1);
    const QRgb c = ToQRgb(Brush.Color);
    for (int y = y0; y <= y1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(FPicture.scanLine(y));
        std::fill(line + x0, line + x1 + 1, c);
    }
    Changed();
}

void TCanvas::MoveTo(int x, int y)
{
    FPenX = x;
    FPenY = y;
}

void TCanvas::Plot(int x, int y, QRgb c)
{
    if (x >= 0 && y >= 0 && x < FPicture.width() && y < FPicture.height())
        reinterpret_cast<QRgb*>(FPicture.scanLine(y))[x] = c;
}

void TCanvas::LineTo(int x, int y)
{
    // Bresenham from the pen to (x, y), end point excluded; the views only
    // draw one-pixel lines.
    const QRgb c = ToQRgb(Pen.Color);
    int px = FPenX, py = FPenY;
    const int dx = std::abs(x - px), sx = px < x ? 1 : -1;
    const int dy = -std::abs(y - py), sy = py < y ? 1 : -1;
    int err = dx + dy;
    while (px != x || py != y) {
        Plot(px, py, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
    FPenX = x;
    FPenY = y;
    Changed();
}

void TCanvas::Changed()
{
    if (OnChange) OnChange();
}
