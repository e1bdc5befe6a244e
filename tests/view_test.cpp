#include "app/WaveViewU.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <vector>

namespace {

QImage WhitePicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool Painted(const QImage& img, int x, int y) { return img.pixel(x, y) == ToQRgb(clRed); }

TEST(Canvas, FillRectCoversLeftAndTopAndMirrorsInvertedEdges)
{
    struct Case { TRect r; int x0, x1, y0, y1; };  // covered columns and rows; x1 < x0: none
    const Case cases[] = {
        {{2, 3, 6, 5}, 2, 5, 3, 4},      // ordinary: right and bottom left out
        {{2, 96, 9, 95}, 2, 8, 96, 96},  // bottom one above top: the top row only
        {{2, 96, 9, 10}, 2, 8, 11, 96},  // bottom + 1 .. top
        {{2, 96, 9, 96}, 0, -1, 0, -1},  // empty
        {{2, 96, 9, 97}, 2, 8, 96, 96},
        {{6, 3, 2, 5}, 3, 6, 3, 4},      // right left of left: mirrored too
        {{-5, -5, 3, 200}, 0, 2, 0, 99}, // clipped to the picture
    };
    for (const Case& c : cases) {
        QImage img = WhitePicture(20, 100);
        TCanvas canvas(img);
        canvas.Brush.Color = clRed;
        canvas.FillRect(c.r);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool want = x >= c.x0 && x <= c.x1 && y >= c.y0 && y <= c.y1;
                ASSERT_EQ(Painted(img, x, y), want)
                    << "rect " << c.r.Left << "," << c.r.Top << "," << c.r.Right << "," << c.r.Bottom
                    << " at " << x << "," << y;
            }
    }
}

TEST(Canvas, LineLeavesOutItsEndPoint)
{
    QImage img = WhitePicture(20, 10);
    TCanvas canvas(img);
    canvas.Pen.Color = clRed;
    canvas.MoveTo(0, 4);
    canvas.LineTo(12, 4);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(Painted(img, x, 4), x < 12) << x;
    canvas.MoveTo(3, 0);
    canvas.LineTo(3, 3);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(Painted(img, 3, y), y < 3) << y;
}

// What the wave view must show, pixel by pixel, from the rules alone.
QRgb ExpectedViewPixel(const std::int16_t* wave, int P, int x, int y)
{
    const QRgb white = ToQRgb(clWhite), red = ToQRgb(clRed), blue = ToQRgb(clBlue);
    if (x >= 512 || y >= 255) return white;
    const int v = wave[P + x / 4];
    if (v < 0 && y >= 127 && y <= 126 - v) return blue;
    if (v > 0 && y >= 128 - v && y <= 128) return blue;
    return y == 127 ? red : white;
}

void ExpectView(const std::vector<std::int16_t>& wave, int P)
{
    QImage img = WhitePicture(513, 257);
    TCanvas canvas(img);
    // Something stale underneath, to show the redraw is a full one.
    canvas.Brush.Color = clBlue;
    canvas.FillRect({0, 0, 513, 257});
    canvas.Brush.Color = clWhite;
    canvas.FillRect({512, 0, 513, 257});
    canvas.FillRect({0, 255, 513, 257});
    waveview::Draw(canvas, wave.data(), P);
    for (int y = 0; y < 257; ++y)
        for (int x = 0; x < 513; ++x)
            ASSERT_EQ(img.pixel(x, y), ExpectedViewPixel(wave.data(), P, x, y))
                << "P " << P << " at " << x << "," << y;
}

TEST(WaveView, PicturesFollowTheBarRules)
{
    std::vector<std::int16_t> wave(256, 0);
    ExpectView(wave, 0);  // white with the red line on row 127
    wave[0] = -128;
    wave[1] = 127;
    wave[2] = -1;
    wave[3] = 1;
    wave[127] = 127;
    wave[128] = -128;
    wave[200] = 55;
    wave[255] = -77;
    ExpectView(wave, 0);
    ExpectView(wave, 128);
    ExpectView(wave, 57);
}

TEST(WaveView, ExtremeBarsCoverTheirDocumentedRows)
{
    std::vector<std::int16_t> wave(256, 0);
    wave[0] = 127;
    wave[1] = -128;
    QImage img = WhitePicture(513, 257);
    TCanvas canvas(img);
    waveview::Draw(canvas, wave.data(), 0);
    const QRgb blue = ToQRgb(clBlue);
    EXPECT_NE(img.pixel(0, 0), blue);
    EXPECT_EQ(img.pixel(0, 1), blue);
    EXPECT_EQ(img.pixel(3, 128), blue);
    EXPECT_NE(img.pixel(0, 129), blue);
    EXPECT_NE(img.pixel(4, 126), blue);
    EXPECT_EQ(img.pixel(4, 127), blue);
    EXPECT_EQ(img.pixel(7, 254), blue);
    EXPECT_NE(img.pixel(7, 255), blue);
}

TEST(WavePen, PointerMapsToIndexAndValue)
{
    struct Case { int P, X; bool limitX; int index; };
    const Case cases[] = {
        {0, 0, false, 0},    {0, 1, false, 0},     {0, 4, false, 0},    {0, 5, false, 1},
        {0, 8, false, 1},    {0, 512, false, 127}, {0, 512, true, 127}, {128, 512, true, 255},
        {128, 0, true, 128}, {50, -100, false, 25}, {50, -100, true, 50}, {0, -100, false, 0},
        {50, 600, false, 199}, {50, 600, true, 177}, {128, 600, false, 255}, {0, -3, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(waveview::IndexAt(c.X, c.P, c.limitX), c.index)
            << "P " << c.P << " X " << c.X << (c.limitX ? " (move)" : " (press)");
    const std::pair<int, int> values[] = {{0, 127}, {127, 0}, {255, -128}, {256, -128},
                                          {-50, 127}, {1, 126}, {254, -127}, {1000, -128}};
    for (auto [Y, value] : values) EXPECT_EQ(waveview::ValueAt(Y), value) << "Y " << Y;
}

}  // namespace
