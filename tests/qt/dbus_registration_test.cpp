// SPDX-License-Identifier: GPL-3.0-or-later
// The service file that registers the program with the session bus.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/qt/DBusAutomation.h"

using platform::qt::DBusAutomation;
using platform::qt::ServiceFileText;

class DBusRegistrationTest : public QObject {
    Q_OBJECT
  private slots:
    void PathsThatCannotBeWrittenGiveNoFile() {
        // A line break would add lines of its own to the file.
        QVERIFY(!ServiceFileText("/usr/bin/env", "/tmp/a\nExec=/bin/false", "/bin/wavepost"));
        QVERIFY(!ServiceFileText("/usr/bin/env", "/tmp/tab\there", "/bin/wavepost"));
        QVERIFY(!ServiceFileText("/usr/bin/env", "/tmp/latin-\xe9", "/bin/wavepost"));
        QVERIFY(ServiceFileText("/usr/bin/env", "/tmp/caf\xc3\xa9", "/bin/wavepost"));
    }

    void RegistrationReplacesTheFileAndKeepsItWhenThePathCannotBeWritten() {
        QTemporaryDir data;
        QVERIFY(data.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        const QString file = data.path() + "/dbus-1/services/Marlock.Application.service";
        const QString previous = QDir::currentPath();
        QVERIFY(QDir().mkpath(data.path() + "/work"));
        QVERIFY(QDir::setCurrent(data.path() + "/work"));
        QVERIFY(QDir().mkpath(data.path() + "/dbus-1/services"));
        QFile written(file);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write("stale");
        written.close();
        DBusAutomation().WriteRegistration();
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray text = written.readAll();
        written.close();
        QVERIFY(text.startsWith("[D-BUS Service]\nName=Marlock.Application\nExec="));
        QVERIFY(text.contains(QFile::encodeName("'--chdir=" + data.path() + "/work'")));
        QVERIFY(text.endsWith("'-Automation'\n"));

        QVERIFY(QDir().mkpath(data.path() + "/line\nbreak"));
        QVERIFY(QDir::setCurrent(data.path() + "/line\nbreak"));
        DBusAutomation().WriteRegistration();
        QVERIFY(QDir::setCurrent(previous));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), text);
    }
};

QTEST_GUILESS_MAIN(DBusRegistrationTest)
#include "dbus_registration_test.moc"
