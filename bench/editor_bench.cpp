// The window's hot paths: a full redraw of the wave view and one pen move
// from the Qt event to the redrawn picture.
#include "app/morlix_main.h"
#include "platform/Application.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

void DrawWave_FullRedraw(benchmark::State& state)
{
    TForm1 form;
    for (int i = 0; i < 256; ++i) {
        const int x = i * 4 + 2;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(x % 512, (i * 37) % 257), QPointF(), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.Image1, &press);
    }
    for (auto _ : state) form.DrawWave();
}
BENCHMARK(DrawWave_FullRedraw);

void PenMove_EndToEnd(benchmark::State& state)
{
    TForm1 form;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(form.Image1, &press);
    int n = 0;
    for (auto _ : state) {
        ++n;
        QMouseEvent move(QEvent::MouseMove, QPointF(n % 512, (n * 7) % 257), QPointF(), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.Image1, &move);
    }
}
BENCHMARK(PenMove_EndToEnd);

// Spline, FFT, spectrum drawing, preview image and export file; the sound
// goes to SDL's dummy driver.
void PlayPreview_EndToEnd(benchmark::State& state)
{
    TForm1 form;
    for (int i = 0; i < 256; ++i) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(i * 2, (i * 37) % 257), QPointF(), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.Image1, &press);
    }
    for (auto _ : state) form.PlayPreview();
}
BENCHMARK(PlayPreview_EndToEnd)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    int qtArgc = 1;
    QApplication qt(qtArgc, argv);
    TApplication application;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
