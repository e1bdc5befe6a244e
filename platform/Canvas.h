// A drawing surface with the fill and line rules the views are written for.
//
// Colours are TColor values, $BBGGRR (red in the low byte).
// FillRect covers the left and top edges and leaves out the right and bottom
// ones. A rectangle given with its bottom above its top (or its right left of
// its left) is mirrored about its starting corner: rows bottom + 1 .. top.
// Both views draw bars that way and rely on the bar standing on `top`.
#pragma once

#include <QImage>

#include <cstdint>
#include <functional>

using TColor = std::uint32_t;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clBlack = 0x000000;

QRgb ToQRgb(TColor c);

struct TRect {
    int Left, Top, Right, Bottom;
};

class TCanvas {
public:
    struct TBrush { TColor Color = clWhite; };
    struct TPen { TColor Color = clBlack; int Width = 1; };

    // Draws on `picture`, which must outlive the canvas.
    explicit TCanvas(QImage& picture) : FPicture(picture) {}

    TBrush Brush;
    TPen Pen;
    std::function<void()> OnChange;  // after every drawing operation

    void FillRect(const TRect& r);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);  // leaves out the end point

private:
    void Plot(int x, int y, QRgb c);
    void Changed();

    QImage& FPicture;
    int FPenX = 0, FPenY = 0;
};
