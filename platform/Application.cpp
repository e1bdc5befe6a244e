#include "Application.h"

#include "Exceptions.h"

#include <QApplication>
#include <QEvent>

#include <new>

TApplication* Application = nullptr;

namespace {
const char* const kHintProperty = "morlixHint";
}

void SetHint(QWidget* control, const QString& hint) { control->setProperty(kHintProperty, hint); }

QString GetHint(const QWidget* control) { return control->property(kHintProperty).toString(); }

TApplication::TApplication() : FUI(std::make_unique<TQtUserInterface>())
{
    Application = this;
    qApp->installEventFilter(this);
}

TApplication::~TApplication()
{
    qApp->removeEventFilter(this);
    if (Application == this) Application = nullptr;
}

std::unique_ptr<TUserInterface> TApplication::SetUI(std::unique_ptr<TUserInterface> ui)
{
    FUI.swap(ui);
    return ui;
}

bool TApplication::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
    case QEvent::WhatsThis:
        return true;  // hints go to the status bar only
    case QEvent::Enter:
        if (watched->isWidgetType()) HoverChanged(static_cast<QWidget*>(watched));
        break;
    case QEvent::Leave:
        // Leaving a control puts the pointer on its parent (or outside the
        // window); entering a sibling follows with its own Enter.
        if (watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (FHovered && (FHovered == w || w->isAncestorOf(FHovered)))
                HoverChanged(w->isWindow() ? nullptr : w->parentWidget());
        }
        break;
    default:
        break;
    }
    return false;
}

void TApplication::HoverChanged(QWidget* control)
{
    FHovered = control;
    QString hint;
    for (QWidget* w = control; w && hint.isEmpty(); w = w->isWindow() ? nullptr : w->parentWidget())
        hint = GetHint(w);
    if (hint == FHint) return;
    FHint = hint;
    if (OnHint) OnHint();
}

void TApplication::Guard(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const EAbort&) {
        // silent by design
    } catch (const std::exception& e) {
        ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& e)
{
    if (dynamic_cast<const std::bad_alloc*>(&e))
        UI().ShowException("メモリが不足しています");
    else
        UI().ShowException(QString::fromUtf8(e.what()));
}
