// An image control: a picture that keeps what was drawn on it, shown at the
// control's place, with press / move / release reported in picture pixels.
//
// Pointer delivery: only a left press holds the pointer. While the left
// button is not held, events outside the control are not reported (Qt grabs
// the pointer for any button, so they would be); once it is held, everything
// is reported, outside positions included, until the left release. Events
// that Qt hands to another control because a right or middle press there
// grabbed the pointer are reported here when the pointer is over this one.
#pragma once

#include "Canvas.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Buttons and keys held after the event, as a set of bits.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32;

class TImage : public QWidget {
public:
    TImage(QWidget* parent, int left, int top, int width, int height);

    // The picture's canvas; the first use makes a white picture of the
    // control's size. Until then the control shows the window behind it.
    TCanvas& Canvas();
    bool HasPicture() const { return FCanvas != nullptr; }
    const QImage& Picture() const { return FPicture; }

    std::function<void(TMouseButton, TShiftState, int X, int Y)> OnMouseDown;
    std::function<void(TShiftState, int X, int Y)> OnMouseMove;
    std::function<void(TMouseButton, TShiftState, int X, int Y)> OnMouseUp;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    bool Reported(const QMouseEvent* e) const;
    void Press(const QMouseEvent* e, QPoint at);
    void Move(const QMouseEvent* e, QPoint at);
    void Release(const QMouseEvent* e, QPoint at);

    QImage FPicture;
    std::unique_ptr<TCanvas> FCanvas;
    bool FLeftHeld = false;
};
