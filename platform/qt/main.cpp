// SPDX-License-Identifier: GPL-3.0-or-later
// The program: the Qt application around the main window's logic.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QStringList>
#include <cstdio>

#include "app/CMarlockApp.h"
#include "app/Version.h"
#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "catalogue/CatalogueUpgrade.h"
#include "platform/qt/DBusAutomation.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/Translation.h"

namespace {

// The options of the command line. "-Automation" is a word after one dash, as the
// automation runtime writes it ("/Automation" too, which the parser leaves as an argument):
// single-dash words are read as long options.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption upgrade{
        QStringLiteral("upgrade-catalogue"),
        platform::qt::Shown(wavepost::LoadString(wavepost::IDS_OPTION_UPGRADE)),
        platform::qt::Shown(wavepost::LoadString(wavepost::IDS_OPTION_UPGRADE_VALUE))};

    CommandLine() {
        parser.setApplicationDescription(
            platform::qt::Shown(wavepost::LoadString(wavepost::IDS_COMMAND_LINE_ABOUT)));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(upgrade);
        for (const char* name : {"Embedding", "Automation"}) {
            QCommandLineOption automation(QString::fromLatin1(name));
            automation.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(automation);
        }
    }
};

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

int main(int argc, char* argv[]) {
    // --help and --version answer without a display, before the window's application.
    {
        QCoreApplication probe(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("wavepost"));
        QCoreApplication::setApplicationVersion(QStringLiteral(WAVEPOST_VERSION));
        platform::qt::InstallTranslators();
        struct Remove {
            ~Remove() { platform::qt::RemoveTranslators(); }
        } remove;
        CommandLine line;
        line.parser.parse(QCoreApplication::arguments());  // Qt's own options are not known yet
        if (line.parser.isSet(line.help)) {
            Print(stdout, line.parser.helpText());
            return 0;
        }
        if (line.parser.isSet(line.version)) {
            Print(stdout, QStringLiteral("wavepost " WAVEPOST_VERSION "\n"));
            return 0;
        }
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wavepost"));
    QApplication::setApplicationVersion(QStringLiteral(WAVEPOST_VERSION));
    platform::qt::InstallTranslators();
    CommandLine line;
    if (!line.parser.parse(QApplication::arguments())) {
        Print(stderr, QStringLiteral("wavepost: %1\n").arg(line.parser.errorText()));
        return 2;
    }
    // The modal run of the main window alone decides when the program ends: a message box
    // closed over a window hidden for an automation client must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // The logic looks for the automation options in the words as given; a folder named
    // after an option is not one.
    QStringList words;
    for (const char* name : {"Embedding", "Automation"})
        if (line.parser.isSet(QString::fromLatin1(name))) words << QStringLiteral("-") + name;
    words << line.parser.positionalArguments();
    const std::string commandLine = words.join(' ').toStdString();
    platform::qt::DBusAutomation automation;
    platform::qt::QtToolkit toolkit;

    // A newer installed catalogue comes into the working folder before anything reads it.
    if (line.parser.isSet(line.upgrade)) {
        try {
            const wavepost::CatalogueUpgrade upgrade = wavepost::UpgradeCatalogue(
                QFile::encodeName(line.parser.value(line.upgrade)).toStdString(), ".",
                wavepost::UtcNow());
            if (!upgrade.message.empty()) toolkit.MessageBox(upgrade.message);
        } catch (const wavepost::FileError& error) {
            toolkit.MessageBox(
                wavepost::Format(wavepost::LoadString(wavepost::IDS_CATALOGUE_NOT_UPGRADED).c_str(),
                                 wavepost::FileErrorMessage(error).c_str()));
        }
    }
    return wavepost::TheApp().Run(toolkit, automation, commandLine);
}
