// The application object: the hint that follows the pointer, the message
// box, and the default error report for exceptions that leave a handler.
#pragma once

#include "UserInterface.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

// Hints are kept in this property, never as Qt tool tips, so nothing pops up.
void SetHint(QWidget* control, const QString& hint);
QString GetHint(const QWidget* control);

class TApplication : public QObject {
public:
    // Needs a QApplication; installs itself as its event filter.
    TApplication();
    ~TApplication() override;

    // The hint of the control under the pointer, or of its nearest parent
    // that has one; empty over controls without.
    const QString& Hint() const { return FHint; }
    // Called whenever Hint() changes.
    std::function<void()> OnHint;

    void MessageBox(const QString& text, const QString& caption) { UI().MessageBox(text, caption); }

    // Runs an event handler: the silent abort is dropped, any other exception
    // goes to the default error report, and the program goes on.
    void Guard(const std::function<void()>& handler);
    void ShowException(const std::exception& e);

    TUserInterface& UI() { return *FUI; }
    // Tests put a scripted interface here; returns the one it replaces.
    std::unique_ptr<TUserInterface> SetUI(std::unique_ptr<TUserInterface> ui);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HoverChanged(QWidget* control);

    std::unique_ptr<TUserInterface> FUI;
    QPointer<QWidget> FHovered;
    QString FHint;
};

// The one application object, set while a TApplication exists.
extern TApplication* Application;
