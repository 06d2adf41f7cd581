// The program: the Qt application around the main window's logic.
#include <QApplication>
#include <QStringList>

#include "app/CMarlockApp.h"
#include "platform/qt/DBusAutomation.h"
#include "platform/qt/QtToolkit.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wavepost"));
    // The modal run of the main window alone decides when the program ends: a message box
    // closed over a window hidden for an automation client must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    std::string commandLine = arguments.join(' ').toStdString();
    platform::qt::DBusAutomation automation;
    platform::qt::QtToolkit toolkit;
    return wavepost::TheApp().Run(toolkit, automation, commandLine);
}
