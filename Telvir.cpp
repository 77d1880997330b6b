#include "ui/Application.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    PrepareEnvironment();
    QApplication application(argc, argv);
    PrepareApplication(application);
    TelvirWindows windows;
    MainForm->show();
    // Ask for the keyboard too: with no window manager nobody else gives it.
    MainForm->activateWindow();
    return application.exec();
}
