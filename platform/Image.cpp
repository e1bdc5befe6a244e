#include "Image.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {
TShiftState Shift(const QMouseEvent* e)
{
    TShiftState s = 0;
    const Qt::MouseButtons b = e->buttons();
    if (b & Qt::LeftButton) s |= ssLeft;
    if (b & Qt::RightButton) s |= ssRight;
    if (b & Qt::MiddleButton) s |= ssMiddle;
    const Qt::KeyboardModifiers m = e->modifiers();
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    return s;
}

TMouseButton Button(const QMouseEvent* e)
{
    switch (e->button()) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    default: return TMouseButton::mbMiddle;
    }
}

// The picture pixel a position falls in.
QPoint Pixel(QPointF p) { return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))}; }

QPoint PixelAt(const QMouseEvent* e) { return Pixel(e->position()); }

}  // namespace

TImage::TImage(QWidget* parent, int left, int top, int width, int height) : QWidget(parent)
{
    setGeometry(left, top, width, height);
    setMouseTracking(true);  // moves without a button feed the readout
    qApp->installEventFilter(this);
}

TCanvas& TImage::Canvas()
{
    if (!FCanvas) {
        FPicture = QImage(width(), height(), QImage::Format_RGB32);
        FPicture.fill(Qt::white);
        FCanvas = std::make_unique<TCanvas>(FPicture);
        FCanvas->OnChange = [this] { update(); };
    }
    return *FCanvas;
}

void TImage::paintEvent(QPaintEvent*)
{
    if (!FCanvas) return;
    QPainter painter(this);
    painter.drawImage(0, 0, FPicture);
}


bool TImage::Reported(const QMouseEvent* e) const
{
    return FLeftHeld || rect().contains(PixelAt(e));
}

void TImage::Press(const QMouseEvent* e, QPoint at)
{
    if (e->button() == Qt::LeftButton) FLeftHeld = true;
    if (OnMouseDown) OnMouseDown(Button(e), Shift(e), at.x(), at.y());
}

void TImage::Move(const QMouseEvent* e, QPoint at)
{
    if (OnMouseMove) OnMouseMove(Shift(e), at.x(), at.y());
}

void TImage::Release(const QMouseEvent* e, QPoint at)
{
    if (e->button() == Qt::LeftButton) FLeftHeld = false;
    if (OnMouseUp) OnMouseUp(Button(e), Shift(e), at.x(), at.y());
}

void TImage::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    if (Reported(e)) Press(e, PixelAt(e));
}

void TImage::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    if (FLeftHeld && !(e->buttons() & Qt::LeftButton)) FLeftHeld = false;  // a release we missed
    if (Reported(e)) Move(e, PixelAt(e));
}

void TImage::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (Reported(e)) Release(e, PixelAt(e));
}

// Qt delivers a press before every double click; one press is all we report.
void TImage::mouseDoubleClickEvent(QMouseEvent* e) { e->accept(); }

bool TImage::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    if (watched == this || !watched->isWidgetType() || !(OnMouseDown || OnMouseMove || OnMouseUp))
        return false;
    auto* other = static_cast<QWidget*>(watched);
    if (other->window() != window() || !isVisible()) return false;
    const auto* e = static_cast<const QMouseEvent*>(event);
    const QPoint at = Pixel(mapFromGlobal(e->globalPosition()));
    // A left button held for another control keeps the pointer there.
    Qt::MouseButtons others = e->buttons();
    if (type == QEvent::MouseButtonPress) others &= ~e->button();
    const bool forUs = FLeftHeld || (rect().contains(at) && !(others & Qt::LeftButton));
    if (!forUs) return false;
    if (type == QEvent::MouseButtonPress)
        Press(e, at);
    else if (type == QEvent::MouseMove)
        Move(e, at);
    else
        Release(e, at);
    return true;
}
