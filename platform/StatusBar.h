// A status bar of fixed-width panels, or one text across its whole width
// while SimplePanel is on. Panel texts survive the simple mode.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <vector>

class TStatusBar : public QWidget {
public:
    // The last panel reaches to the right edge whatever its width says.
    TStatusBar(QWidget* parent, int left, int top, int width, int height,
               const std::vector<int>& panelWidths);

    void SetPanelText(int index, const QString& text);
    QString PanelText(int index) const;
    int PanelCount() const { return static_cast<int>(FPanels.size()); }

    void SetSimplePanel(bool on);
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimpleText(const QString& text);
    QString SimpleText() const;

    // What a user reads there now.
    QString VisibleText() const;

private:
    std::vector<QLabel*> FPanels;
    QLabel* FSimple;
    bool FSimplePanel = false;
};
