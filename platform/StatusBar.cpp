#include "StatusBar.h"

TStatusBar::TStatusBar(QWidget* parent, int left, int top, int width, int height,
                       const std::vector<int>& panelWidths)
    : QWidget(parent)
{
    setGeometry(left, top, width, height);
    int x = 0;
    for (std::size_t i = 0; i < panelWidths.size(); ++i) {
        auto* panel = new QLabel(this);
        const bool last = i + 1 == panelWidths.size();
        panel->setGeometry(x, 0, last ? width - x : panelWidths[i], height);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(2, 0, 2, 0);
        x += panelWidths[i];
        FPanels.push_back(panel);
    }
    FSimple = new QLabel(this);
    FSimple->setGeometry(0, 0, width, height);
    FSimple->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FSimple->setContentsMargins(2, 0, 2, 0);
    FSimple->hide();
}

void TStatusBar::SetPanelText(int index, const QString& text) { FPanels.at(index)->setText(text); }

QString TStatusBar::PanelText(int index) const { return FPanels.at(index)->text(); }

void TStatusBar::SetSimplePanel(bool on)
{
    FSimplePanel = on;
    FSimple->setVisible(on);
    for (QLabel* p : FPanels) p->setVisible(!on);
}

void TStatusBar::SetSimpleText(const QString& text) { FSimple->setText(text); }

QString TStatusBar::SimpleText() const { return FSimple->text(); }

QString TStatusBar::VisibleText() const
{
    if (FSimplePanel) return FSimple->text();
    QStringList texts;
    for (const QLabel* p : FPanels) texts << p->text();
    return texts.join('|');
}
