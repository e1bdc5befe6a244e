#include "Form.h"

#include "Application.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

TForm::TForm(int clientWidth, int clientHeight)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint)
{
    setFixedSize(clientWidth, clientHeight);
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) Application->Guard([&] { OnCloseQuery(canClose); });
    return canClose;
}

void TForm::closeEvent(QCloseEvent* event) { event->setAccepted(CloseQuery()); }

void TForm::CenterOnDesktop()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect desk = screen->geometry();
    const QRect frame = frameGeometry();
    move(desk.center() - QPoint(frame.width() / 2, frame.height() / 2) +
         (pos() - frame.topLeft()));
}
