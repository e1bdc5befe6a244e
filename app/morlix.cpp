// The editor: one window, no command line, no settings.
#include "morlix_main.h"
#include "platform/Application.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSessionManager>

#include "glyphs/mainicon.xpm"

int main(int, char* argv[])
{
    // Qt gets the program name only: the editor takes no arguments.
    int qtArgc = 1;
    QApplication qt(qtArgc, argv);
    QApplication::setWindowIcon(QIcon(QPixmap(mainicon_xpm)));
    TApplication application;
    int status = 0;
    {
        TForm1 form;
        Form1 = &form;
        // Logging out asks the same question as closing the window; Cancel
        // keeps the session going.
        QObject::connect(&qt, &QGuiApplication::commitDataRequest, &form, [&form](QSessionManager& manager) {
            if (!manager.allowsInteraction()) return;
            const bool canClose = form.CloseQuery();
            manager.release();
            if (!canClose) manager.cancel();
        });
        form.CenterOnDesktop();
        form.show();
        status = QApplication::exec();
        Form1 = nullptr;
    }
    return status;
}
