#include "FormProbe.h"
#include "platform/Application.h"

#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct Window : ::testing::Test {
    std::unique_ptr<TForm1> form;
    void SetUp() override
    {
        form = std::make_unique<TForm1>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override
    {
        TForm1Probe::Modified(*form) = false;  // nothing to ask about
        form.reset();
    }
    std::int16_t* wave() { return TForm1Probe::Wave(*form); }
    bool modified() { return TForm1Probe::Modified(*form); }
    TStatusBar& status() { return *form->StatusBar1; }
};

// --- layout and start-up ---

TEST_F(Window, StartsAsDesigned)
{
    EXPECT_EQ(form->windowTitle(), QString("MORLIX Ver.0.1b  - VORNユーザー波形エディタ -"));
    EXPECT_EQ(form->size(), QSize(536, 452));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);

    struct Place { QWidget* w; QRect r; };
    const Place places[] = {
        {form->Image2, {8, 8, 513, 97}},       {form->Image1, {8, 112, 513, 257}},
        {form->ScrollBar1, {8, 376, 512, 17}}, {form->ToolBar1, {0, 404, 536, 29}},
        {form->StatusBar1, {0, 433, 536, 19}}, {form->ButtonNew, {0, 2, 23, 22}},
        {form->Button, {23, 2, 23, 22}},       {form->ToolButton7, {46, 2, 23, 22}},
        {form->ToolButton6, {69, 2, 8, 22}},   {form->ButtonPlay, {77, 2, 23, 22}},
        {form->ToolButton3, {100, 2, 23, 22}}, {form->ToolButton4, {123, 2, 8, 22}},
        {form->ToolButton1, {131, 2, 23, 22}}, {form->ToolButton2, {154, 2, 8, 22}},
        {form->ToolButton5, {162, 2, 23, 22}}, {form->ToolButton8, {185, 2, 23, 22}},
        {form->ToolButton9, {208, 2, 8, 22}},  {form->ScrollBar2, {216, 2, 305, 22}},
    };
    for (const Place& p : places) EXPECT_EQ(p.w->geometry(), p.r) << p.w->metaObject()->className();

    EXPECT_EQ(form->ScrollBar1->minimum(), 0);
    EXPECT_EQ(form->ScrollBar1->maximum(), 128);
    EXPECT_EQ(form->ScrollBar1->value(), 0);
    EXPECT_EQ(form->ScrollBar2->minimum(), 0);
    EXPECT_EQ(form->ScrollBar2->maximum(), 100);
    EXPECT_EQ(form->ScrollBar2->value(), 80);
    EXPECT_EQ(form->ImageList1.size(), 9u);
    for (const QIcon& icon : form->ImageList1)
        EXPECT_EQ(icon.availableSizes().value(0), QSize(16, 16));

    for (int i = 0; i < 256; ++i) ASSERT_EQ(wave()[i], 0);
    EXPECT_FALSE(modified());
    EXPECT_FALSE(TForm1Probe::Drawing(*form));
    EXPECT_EQ(TForm1Probe::Volume(*form), 80);
    EXPECT_TRUE(form->ToolButton3->isChecked());
    EXPECT_FALSE(form->Image2->HasPicture());
    EXPECT_EQ(status().VisibleText(), "||");
    EXPECT_EQ(form->StatusBar1->PanelCount(), 3);
    EXPECT_NE(TForm1Probe::Spline(*form), nullptr);
    EXPECT_NE(TForm1Probe::FFT(*form), nullptr);
    EXPECT_EQ(TForm1Probe::SoundBuf(*form)->size(), 1u);
}

// --- hints ---

TEST_F(Window, HintsShowAcrossTheStatusBarAndNeverAsTooltips)
{
    QTest::mouseMove(form->Image1, QPoint(10, 10));
    EXPECT_EQ(status().PanelText(0), "X = 2");
    QTest::mouseMove(form->ButtonNew, QPoint(5, 5));
    EXPECT_TRUE(status().SimplePanel());
    EXPECT_EQ(status().VisibleText(), "データをクリアします。");
    QTest::mouseMove(form->ScrollBar2, QPoint(50, 5));
    EXPECT_EQ(status().VisibleText(), "簡易視聴音量(0-100%)");
    QTest::mouseMove(form->ToolButton3, QPoint(5, 5));
    EXPECT_EQ(status().VisibleText(), "視聴時に整数倍音構成を表示します。（FFT）");
    QTest::mouseMove(form->Image1, QPoint(30, 227));
    EXPECT_FALSE(status().SimplePanel());
    EXPECT_EQ(status().VisibleText(), "X = 7|Y = -100|");
    QTest::mouseMove(form->ToolButton9, QPoint(3, 3));  // a separator has none
    EXPECT_FALSE(status().SimplePanel());

    // A tool-tip request is swallowed before any control sees it.
    for (QWidget* w : std::initializer_list<QWidget*>{form->ButtonNew, form->ScrollBar2, form->Image1}) {
        QHelpEvent tip(QEvent::ToolTip, QPoint(3, 3), w->mapToGlobal(QPoint(3, 3)));
        EXPECT_TRUE(Application->eventFilter(w, &tip));
        EXPECT_TRUE(w->toolTip().isEmpty());
    }
}

// --- shifts ---

TEST_F(Window, ShiftsRotateAndAlwaysMarkModified)
{
    auto ramp = [&] { for (int i = 0; i < 256; ++i) wave()[i] = static_cast<std::int16_t>(i - 128); };
    ramp();
    form->ToolButton5->click();
    EXPECT_EQ(wave()[0], -127);
    EXPECT_EQ(wave()[255], -128);
    EXPECT_TRUE(modified());
    ramp();
    form->ToolButton8->click();
    EXPECT_EQ(wave()[0], 127);
    EXPECT_EQ(wave()[1], -128);

    ramp();
    for (int n = 0; n < 256; ++n) form->ToolButton5Click(form.get());
    for (int i = 0; i < 256; ++i) ASSERT_EQ(wave()[i], i - 128);
    form->ToolButton5Click(form.get());
    form->ToolButton8Click(form.get());
    for (int i = 0; i < 256; ++i) ASSERT_EQ(wave()[i], i - 128);

    for (int i = 0; i < 256; ++i) wave()[i] = 0;
    TForm1Probe::Modified(*form) = false;
    form->ScrollBar1->setValue(40);
    const QImage before = form->Image1->Picture();
    form->ToolButton8->click();
    EXPECT_TRUE(modified());  // even though no value changed
    EXPECT_EQ(form->ScrollBar1->value(), 40);
    EXPECT_EQ(form->Image1->Picture(), before);
}

// --- pen, with real Qt mouse events ---

QRgb ViewPixel(TForm1& f, int x, int y) { return f.Image1->Picture().pixel(x, y); }

TEST_F(Window, LeftDragWritesOneSamplePerMoveAndRedraws)
{
    QWidget* view = form->Image1;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(9, 27));   // column 2, value 100
    EXPECT_EQ(wave()[2], 100);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(TForm1Probe::Drawing(*form));
    EXPECT_EQ(ViewPixel(*form, 9, 28), ToQRgb(clBlue));
    QTest::mouseMove(view, QPoint(41, 200));                      // column 10, value -73
    EXPECT_EQ(wave()[10], -73);
    for (int i = 3; i < 10; ++i) EXPECT_EQ(wave()[i], 0) << "nothing joins the positions";
    EXPECT_EQ(status().VisibleText(), "X = 10|Y = -73|");
    QTest::mouseMove(view, QPoint(41, -40));                      // above the view
    EXPECT_EQ(wave()[10], 127);
    QTest::mouseMove(view, QPoint(100, 400));                     // below
    EXPECT_EQ(wave()[24], -128);
    QTest::mouseMove(view, QPoint(-30, 127));                     // past the left edge
    EXPECT_EQ(wave()[0], 0);
    EXPECT_EQ(status().PanelText(0), "X = 0");
    wave()[0] = 5;
    QTest::mouseMove(view, QPoint(-30, 100));
    EXPECT_EQ(wave()[0], 27);
    QTest::mouseMove(view, QPoint(700, 100));                     // past the right edge
    EXPECT_EQ(wave()[127], 27);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(700, 100));
    EXPECT_FALSE(TForm1Probe::Drawing(*form));
    QTest::mouseMove(view, QPoint(200, 10));                      // no button: readout only
    EXPECT_EQ(wave()[49], 0);
    EXPECT_EQ(status().VisibleText(), "X = 49|Y = 117|");
}

TEST_F(Window, DragPastTheEdgesWritesTheLastVisibleSamples)
{
    form->ScrollBar1->setValue(128);
    EXPECT_EQ(status().PanelText(0), "X += 128");
    QWidget* view = form->Image1;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(512, 100));
    EXPECT_EQ(wave()[255], 27);
    QTest::mouseMove(view, QPoint(-50, 0));
    EXPECT_EQ(wave()[128], 127);
    QTest::mouseMove(view, QPoint(900, 256));
    EXPECT_EQ(wave()[255], -128);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(900, 256));
    form->ScrollBar1->setValue(0);
    EXPECT_EQ(status().PanelText(0), "X += 0");
    // The view shows samples 0..127 again, all zero.
    EXPECT_EQ(ViewPixel(*form, 0, 0), ToQRgb(clWhite));
    EXPECT_EQ(ViewPixel(*form, 0, 127), ToQRgb(clRed));
}

TEST_F(Window, RightButtonErasesEvenWhenPressedElsewhere)
{
    for (int i = 0; i < 256; ++i) wave()[i] = 50;
    QTest::mouseClick(form->Image1, Qt::RightButton, {}, QPoint(21, 10));
    EXPECT_EQ(wave()[5], 0);
    EXPECT_EQ(wave()[4], 50);
    TForm1Probe::Modified(*form) = false;
    QTest::mouseClick(form->Image1, Qt::RightButton, {}, QPoint(21, 10));  // already zero
    EXPECT_TRUE(modified());

    // Pressed on the spectrum strip, dragged across the view.
    QTest::mousePress(form->Image2, Qt::RightButton, {}, QPoint(40, 40));
    EXPECT_EQ(wave()[9], 50);
    QTest::mouseMove(form->Image1, QPoint(41, 60));
    EXPECT_EQ(wave()[10], 0);
    QTest::mouseMove(form->Image1, QPoint(81, 60));
    EXPECT_EQ(wave()[20], 0);
    EXPECT_EQ(wave()[15], 50);
    QTest::mouseRelease(form->Image1, Qt::RightButton, {}, QPoint(81, 60));

    // Pressed on the view, dragged off it: nothing outside is reported.
    QTest::mousePress(form->Image1, Qt::RightButton, {}, QPoint(121, 60));
    EXPECT_EQ(wave()[30], 0);
    QTest::mouseMove(form->Image1, QPoint(161, 300));
    EXPECT_EQ(wave()[40], 50);
    EXPECT_EQ(status().PanelText(0), "X = 20") << "neither the press nor the outside move writes it";
    QTest::mouseRelease(form->Image1, Qt::RightButton, {}, QPoint(161, 300));
    EXPECT_TRUE(TForm1Probe::Drawing(*form)) << "a release outside is not reported";
}

TEST_F(Window, DrawingFlagQuirks)
{
    QWidget* view = form->Image1;
    // A press of another button during a left drag: left wins; its release
    // stops the drag from drawing.
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(5, 100));
    EXPECT_EQ(wave()[1], 27);
    QTest::mousePress(view, Qt::RightButton, {}, QPoint(9, 90));
    EXPECT_EQ(wave()[2], 37);
    QTest::mouseRelease(view, Qt::RightButton, {}, QPoint(9, 90));
    EXPECT_FALSE(TForm1Probe::Drawing(*form));
    QTest::mouseMove(view, QPoint(13, 80));
    EXPECT_EQ(wave()[3], 0);
    EXPECT_EQ(status().PanelText(0), "X = 3");
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(13, 80));

    // A press reported outside the view is not limited before dividing.
    form->ScrollBar1->setValue(50);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(300, 100));
    QMouseEvent outside(QEvent::MouseButtonPress, QPointF(-100, 20), view->mapToGlobal(QPointF(-100, 20)),
                        Qt::MiddleButton, Qt::LeftButton | Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(view, &outside);
    EXPECT_EQ(wave()[25], 107);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(300, 100));

    // A left move over the view whose press was elsewhere draws nothing.
    form->ScrollBar1->setValue(0);
    TForm1Probe::Drawing(*form) = false;
    QMouseEvent move(QEvent::MouseMove, QPointF(61, 20), view->mapToGlobal(QPointF(61, 20)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    EXPECT_EQ(wave()[15], 0);
    EXPECT_EQ(status().PanelText(0), "X = 15");

    // The left edge: X = 0 addresses column 0.
    QMouseEvent edge(QEvent::MouseButtonPress, QPointF(0, 0), view->mapToGlobal(QPointF(0, 0)),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &edge);
    EXPECT_EQ(wave()[0], 127);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(0, 0), view->mapToGlobal(QPointF(0, 0)),
                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &up);
}

TEST_F(Window, ClickWithoutMovingChangesExactlyOneSample)
{
    QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(300, 60));
    int changed = 0;
    for (int i = 0; i < 256; ++i) changed += wave()[i] != 0;
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(wave()[74], 67);
}

}  // namespace
