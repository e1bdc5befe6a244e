// A top-level window of fixed client size whose close requests go through
// OnCloseQuery first: the window closes only if CanClose is still true.
#pragma once

#include <QWidget>

#include <functional>

class TForm : public QWidget {
public:
    TForm(int clientWidth, int clientHeight);

    std::function<void(bool& CanClose)> OnCloseQuery;

    // Asks OnCloseQuery as a close request would; true when it allows it.
    bool CloseQuery();

    // Centres the window's frame on the desktop.
    void CenterOnDesktop();

protected:
    void closeEvent(QCloseEvent* event) override;
};
