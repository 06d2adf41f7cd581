// The program: the Qt application around the main window's logic.
#include <QApplication>
#include <QStringList>

#include "app/CMarlockApp.h"
#include "platform/Automation.h"
#include "platform/qt/QtToolkit.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wavepost"));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    std::string commandLine = arguments.join(' ').toStdString();
    platform::NoAutomationRuntime automation;
    platform::qt::QtToolkit toolkit;
    return wavepost::TheApp().Run(toolkit, automation, commandLine);
}
