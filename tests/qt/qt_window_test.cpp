#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QWheelEvent>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/layout/Layout.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"
#include "platform/qt/QtPainter.h"
#include "platform/qt/Translation.h"
#include "request/OrderWords.h"
#include "tests/qt/QtTestSupport.h"

using enum wavepost::ControlId;
using enum wavepost::TabPage;
using platform::EventKind;
using wavepost::PercentDecoded;
using wavepost::qttest::BoxCloser;
using wavepost::qttest::Edit;
using wavepost::qttest::PressKey;
using wavepost::qttest::QtWindow;
using wavepost::qttest::ReadBytes;

namespace {

// The desktop's language variables for one test, put back after it.
class Desktop {
  public:
    Desktop(const QByteArray& language, const QByteArray& all, const QByteArray& lang) {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            m_saved.emplace_back(name, qgetenv(name));
        qunsetenv("LC_MESSAGES");
        Set("LANGUAGE", language);
        Set("LC_ALL", all);
        Set("LANG", lang);
    }
    ~Desktop() {
        for (const auto& [name, value] : m_saved) Set(name, value);
    }

  private:
    static void Set(const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

void ClickTab(QtWindow& w, int index) {
    QTabBar* tabs = w.tk->TabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

// One notch of the mouse wheel over the tab strip: down goes to the next tab.
void TurnWheel(QtWindow& w, int notches) {
    QTabBar* tabs = w.tk->TabBar();
    const QPoint at = tabs->tabRect(tabs->currentIndex()).center();
    QWheelEvent wheel(at, tabs->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
}

void ClickInto(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
}

void TypeInto(QLineEdit* edit, const QString& text) {
    ClickInto(edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void ClickMap(QtWindow& w, int index) {
    auto* maps = w.Get<QListWidget>(IDC_MAP_LIST);
    QRect item = maps->visualItemRect(maps->item(index));
    QTest::mouseClick(maps->viewport(), Qt::LeftButton, {}, item.center());
}

// How many buttons of the group the Tab key stops at.
int TabStops(QtWindow& w, std::initializer_list<int> group) {
    int stops = 0;
    for (int id : group) stops += (w.Get<QWidget>(id)->focusPolicy() & Qt::TabFocus) != 0;
    return stops;
}

}  // namespace

class QtWindowTest : public QObject {
    Q_OBJECT
  private slots:
    // Under the test command's French run, the process really takes the desktop's locale
    // (QApplication sets it), so every test of this run checks the decimal-comma case.
    void processTakesTheDesktopLocale() {
        const QByteArray wanted = qgetenv("WAVEPOST_TEST_LOCALE");
        if (wanted.isEmpty()) QSKIP("run without a desktop locale");
        QVERIFY(QByteArray(std::setlocale(LC_NUMERIC, nullptr)).startsWith(wanted.left(5)));
        char probe[8];
        std::snprintf(probe, sizeof probe, "%.1f", 0.5);
        QCOMPARE(QByteArray(probe), QByteArray("0,5"));
    }

    void init() {
        // Nothing but drawing may happen inside a paint event.
        QTest::failOnWarning(QRegularExpression("paint event|[Rr]ecursive repaint|QPainter"));
    }

    void windowIsBuiltFromTheLayout() {
        QtWindow w;
        w.Open();
        auto& dialog = w.tk->Window();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("WAVEPOST"));
        // It opens at the layout's size and may be resized and maximised.
        QCOMPARE(dialog.size(), w.tk->FirstSize());
        QVERIFY(dialog.minimumSize().width() < dialog.maximumSize().width());
        // A top-level window of its own, not a dialog of the application's leader.
        QCOMPARE(dialog.windowType(), Qt::Window);
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
        QTabBar* tabs = w.tk->TabBar();
        QCOMPARE(tabs->count(), 7);
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
        QCOMPARE(titles, (QStringList{"&Zone Géographique", "&Paramètres", "&Options", "&Bulletins",
                                      "&Images", "", "    ?"}));
        // The order page's tab is an envelope named by its tooltip; all seven fit the strip.
        QVERIFY(!tabs->tabIcon(5).isNull());
        QCOMPARE(tabs->tabToolTip(5), QStringLiteral("Commande"));
        QVERIFY(tabs->sizeHint().width() <= tabs->width());
        QCOMPARE(tabs->currentIndex(), 0);
        auto* maps = w.Get<QListWidget>(IDC_MAP_LIST);
        QCOMPARE(maps->count(), 3);
        QVERIFY(!maps->item(1)->icon().isNull());
        QVERIFY(w.Get<QPushButton>(IDC_SEND_BUTTON)->isDefault());
        QCOMPARE(w.Get<QPushButton>(IDC_SEND_BUTTON)->text(), QStringLiteral("&Envoi"));
        QVERIFY(w.Get<QWidget>(IDC_MAP_WORLD_RADIO)->isHidden());
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(maps));
        // The map pictures and icons are compiled in.
        QVERIFY(!QPixmap(QStringLiteral(":/resources/141.png")).isNull());
    }

    // Alt and the marked letter choose a page, the order page's picture tab included, and
    // press the main buttons.
    void mnemonicsChoosePagesAndPressButtons() {
        QtWindow w;
        w.Open();
        QTabBar* tabs = w.tk->TabBar();
        for (auto [key, page] : {std::pair{Qt::Key_P, 1}, std::pair{Qt::Key_M, 5},
                                 std::pair{Qt::Key_O, 2}, std::pair{Qt::Key_Z, 0}}) {
            wavepost::qttest::PressKey(key, Qt::AltModifier);
            QTRY_COMPARE(tabs->currentIndex(), page);
            QCOMPARE(w.dlg->m_nCurrentPage, page);  // the window has switched its page
        }
        wavepost::qttest::PressKey(Qt::Key_Q, Qt::AltModifier);
        QTRY_VERIFY(w.tk->Window().Ended());
    }

    // The window opens at the size it was closed at, never larger than the screen; a
    // window the user left alone writes no size.
    void sizeIsKeptWithinTheScreen() {
        auto settingsFile = [](QtWindow& w) { return w.tk->SettingsDirectory() + "/settings.txt"; };
        auto write = [&](QtWindow& w, const std::string& text) {
            std::filesystem::create_directories(w.tk->SettingsDirectory());
            std::ofstream(settingsFile(w)) << text;
        };
        QSize closedAt;
        std::string sizeLine;
        {
            QtWindow w;
            w.Open();
            closedAt = QSize(w.tk->FirstSize().width() * 11 / 10, w.tk->FirstSize().height());
            sizeLine = "window-size=" + std::to_string(closedAt.width()) + "x" +
                       std::to_string(closedAt.height()) + "\n";
            w.tk->EndModal(0);
            QVERIFY(!std::filesystem::exists(settingsFile(w)));
        }
        {
            QtWindow w;
            w.Open();
            w.tk->Window().resize(closedAt);
            QTRY_COMPARE(w.tk->Window().size(), closedAt);
            w.tk->EndModal(0);
            QVERIFY(ReadBytes(settingsFile(w)).find(sizeLine) != std::string::npos);
        }
        {
            QtWindow w;
            write(w, "handover=mail\n" + sizeLine);
            w.Open();
            QCOMPARE(w.tk->Window().size(), closedAt);
            QCOMPARE(w.tk->Scale(), 1.0);  // wider only: the layout keeps its size, centred
        }
        {
            QtWindow w;
            write(w, "window-size=4000x3000\n");
            w.Open();
            const QSize room = w.tk->Window().screen()->availableGeometry().size();
            const QSize size = w.tk->Window().size();
            QVERIFY(size.width() <= room.width() && size.height() <= room.height());
            QVERIFY(std::abs(size.width() * 3 - size.height() * 4) <= 8);  // as a whole
        }
    }

    // Dark desktops: colours come from the palette, except over the map, which keeps its
    // own; a dark style sheet leaves the map and the fields in sight.
    void darkColoursKeepEverythingReadable() {
        // Put back for the other tests, whatever happens here.
        struct Restore {
            QPalette palette = QApplication::palette();
            ~Restore() {
                qApp->setStyleSheet(QString());
                QApplication::setPalette(palette);
            }
        } restore;
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
        {
            QtWindow w;
            w.Open();
            auto* maps = w.Get<QListWidget>(IDC_MAP_LIST);
            QCOMPARE(maps->palette().color(QPalette::Base), dark.color(QPalette::Button));
            QCOMPARE(maps->palette().color(QPalette::Text), dark.color(QPalette::ButtonText));
            auto* antimeridian = w.Get<QCheckBox>(IDC_ANTIMERIDIAN_CHECK);
            QVERIFY(antimeridian->isVisible());
            QCOMPARE(antimeridian->palette().color(QPalette::WindowText), QColor(Qt::black));
            const QImage shot = w.tk->Window().grab().toImage();
            const platform::Rect panel = w.tk->GetControlRect(IDC_COST_GROUP);
            QCOMPARE(QColor(shot.pixel(panel.left + 2, panel.top + 2)), dark.color(QPalette::Base));
        }
        const QColor sheet(0x20, 0x20, 0x20);
        qApp->setStyleSheet(
            QStringLiteral("QWidget { background-color: #202020; color: #f0f0f0; }"));
        {
            QtWindow w;
            w.Open();
            const QImage shot = w.tk->Window().grab().toImage();
            const platform::Rect area = w.dlg->GetMapArea();
            int covered = 0;
            for (int y = area.top; y < area.bottom; ++y)
                for (int x = area.left; x < area.right; ++x)
                    covered += QColor(shot.pixel(x, y)) == sheet;
            QVERIFY2(covered < area.Width() * area.Height() / 20,
                     qPrintable(QString::number(covered)));
            const QObjectList order = w.tk->Window().children();
            for (auto [field, frame] : {std::pair{IDC_LAT1_EDIT, IDC_COLUMN1_GROUP},
                                        std::pair{IDC_LON2_EDIT, IDC_COLUMN2_GROUP},
                                        std::pair{IDC_HEADING_EDIT, IDC_MOTION_GROUP}})
                QVERIFY(order.indexOf(w.Get<QWidget>(field)) >
                        order.indexOf(w.Get<QWidget>(frame)));
        }
    }

    // The order page follows choices made on other pages; "Copier" copies the order it
    // shows, and "Envoi" hands over the very order it showed.
    void orderPageShowsWhatEnvoiHandsOver() {
        QtWindow w;
        w.Open();
        ClickTab(w, kOptionsPage);
        QTest::mouseClick(w.Get<QRadioButton>(IDC_SUBSCRIPTION_PERMANENT_RADIO), Qt::LeftButton);
        ClickTab(w, kOrderPage);
        auto* order = w.Get<QPlainTextEdit>(IDC_ORDER_TEXT_EDIT);
        QVERIFY(order->isVisible());
        QCOMPARE(w.Get<QLabel>(IDC_ORDER_KIND_LABEL)->text(),
                 QStringLiteral("Abonnement GRIB permanent"));
        const QString shown = order->toPlainText();
        // Only the order, as it goes into the mail's body.
        QTest::mouseClick(w.Get<QPushButton>(IDC_ORDER_COPY_BUTTON), Qt::LeftButton);
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(shown.endsWith(QStringLiteral("Objet : Grib\n\n") + copied), qPrintable(copied));
        QVERIFY(copied.startsWith(QStringLiteral("@mto@reqt@grib@\n")));

        BoxCloser closer;  // no mail program: the order goes to the clipboard with a message
        QTest::mouseClick(w.Get<QPushButton>(IDC_SEND_BUTTON), Qt::LeftButton);
        QTRY_COMPARE(closer.texts.size(), 1);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);  // as "Copier" put it
        const std::string url = w.LastOrder();
        const QString body =
            QString::fromStdString(PercentDecoded(url.substr(url.find("body=") + 5)));
        QVERIFY2(shown.endsWith(QStringLiteral("Objet : Grib\n\n") + body), qPrintable(shown));
        QCOMPARE(w.Get<QLabel>(IDC_ORDER_KIND_LABEL)->text(),
                 QStringLiteral("Demande GRIB unique"));
    }

    // gpsd played by the test: the reader asks to watch, skips what is not a TPV report and
    // joins one cut in two; Alt+T fills the fields. A daemon gone, or none, is told.
    void boatPositionFromAFakeDaemon() {
        QTcpServer gpsd;
        QVERIFY(gpsd.listen(QHostAddress::LocalHost));
        auto follow = [](QtWindow& w, quint16 port) {
            const std::string folder = w.dir.path().toStdString() + "/config/wavepost";
            std::filesystem::create_directories(folder);
            std::ofstream(folder + "/settings.txt")
                << "gpsd-host=127.0.0.1\ngpsd-port=" << port << "\n";
            w.tk->SetPositionFollowed(true);
            w.Open();
        };
        QtWindow w;
        follow(w, gpsd.serverPort());
        auto* state = w.Get<QLabel>(IDC_BOAT_STATE_LABEL);
        auto* button = w.Get<QPushButton>(IDC_BOAT_POSITION_BUTTON);
        QVERIFY(state && button && button->isVisible());
        auto hasMark = [&w] {
            const QImage image = w.tk->Window().grab().toImage();
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    // Magenta, within what the window's compositing leaves of it.
                    const QRgb pixel = image.pixel(x, y);
                    if (qRed(pixel) > 240 && qGreen(pixel) < 16 && qBlue(pixel) > 240) return true;
                }
            return false;
        };
        QTRY_VERIFY(gpsd.hasPendingConnections());
        QTcpSocket* peer = gpsd.nextPendingConnection();
        QTRY_VERIFY(peer->canReadLine());
        QCOMPARE(peer->readLine(), QByteArray("?WATCH={\"enable\":true,\"json\":true}\n"));
        QTRY_COMPARE(state->text(), QStringLiteral("gpsd : pas de position"));
        QVERIFY(!hasMark());

        const QByteArray now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
        peer->write("not json\n{\"class\":\"VERSION\",\"release\":\"3.22\"}\n");
        peer->write("{\"class\":\"TPV\",\"mode\":3,\"time\":\"" + now + "\",\"lat\":47.25,");
        peer->flush();
        QTest::qWait(100);
        QCOMPARE(state->text(), QStringLiteral("gpsd : pas de position"));
        peer->write("\"lon\":-5.5,\"track\":135.0,\"speed\":6.173}\n");
        QTRY_COMPARE(state->text(), "Bateau : " + now.mid(11, 8) + " UTC, 3D");
        QVERIFY(hasMark());
        w.Activate();
        PressKey(Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE(w.Get<QLineEdit>(IDC_LON1_EDIT)->text(), QStringLiteral("-5.5"));
        QCOMPARE(w.Get<QLineEdit>(IDC_LAT1_EDIT)->text(), QStringLiteral("47.2"));
        QCOMPARE(w.Get<QLineEdit>(IDC_HEADING_EDIT)->text(), QStringLiteral("135"));
        QCOMPARE(w.Get<QLineEdit>(IDC_SPEED_EDIT)->text(), QStringLiteral("12"));

        // A daemon that falls silent: the fix held grows old, and the page says so.
        const QByteArray old =
            QDateTime::currentDateTimeUtc().addSecs(-297).toString(Qt::ISODate).toLatin1();
        peer->write("{\"class\":\"TPV\",\"mode\":2,\"time\":\"" + old +
                    "\",\"lat\":47.25,\"lon\":-5.5}\n");
        QTRY_COMPARE(state->text(), "Bateau : " + old.mid(11, 8) + " UTC, 2D");
        QTRY_COMPARE_WITH_TIMEOUT(
            state->text(), "gpsd : position trop ancienne (" + old.mid(11, 8) + " UTC)", 10000);
        QVERIFY(!hasMark());

        // A report while the box of Alt+T is open: one box, closed by a key; the report is
        // kept for when it has closed (the line shows it at once, not a second later at the
        // reader's next look), the fields wait for the sailor's next Alt+T.
        const QByteArray fresh = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1();
        auto zoneShown = [&w] {
            return QStringList{w.Get<QLineEdit>(IDC_LON1_EDIT)->text(),
                               w.Get<QLineEdit>(IDC_LAT1_EDIT)->text()};
        };
        const QStringList zone = zoneShown();
        QStringList boxTexts;
        int boxesDuring = -1;
        QTimer reporter;
        reporter.setInterval(10);
        QObject::connect(&reporter, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            if (boxTexts.isEmpty()) {
                boxTexts << box->text();
                peer->write("{\"class\":\"TPV\",\"mode\":3,\"time\":\"" + fresh +
                            "\",\"lat\":46.5,\"lon\":-4.5}\n");
                QTimer::singleShot(1500, box, [&, box] {
                    boxesDuring = 0;
                    for (QWidget* top : QApplication::topLevelWidgets())
                        boxesDuring += qobject_cast<QMessageBox*>(top) && top->isVisible();
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                });
            }
        });
        reporter.start();
        w.Activate();
        PressKey(Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(!QApplication::activeModalWidget() && boxesDuring >= 0);
        reporter.stop();
        QCOMPARE(boxTexts,
                 QStringList{"gpsd : position trop ancienne (" + old.mid(11, 8) + " UTC)"});
        QCOMPARE(boxesDuring, 1);
        QCOMPARE(state->text(), "Bateau : " + fresh.mid(11, 8) + " UTC, 3D");
        QVERIFY(hasMark());
        QCOMPARE(zoneShown(), zone);
        w.Activate();
        PressKey(Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE(zoneShown(), (QStringList{"-4.5", "46.5"}));
        // From the button, the wheel and the tabs still turn the pages.
        button->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(button));
        TurnWheel(w, 1);
        QTRY_COMPARE(w.dlg->m_nCurrentPage, 1);
        ClickTab(w, kZonePage);
        QTRY_COMPARE(w.dlg->m_nCurrentPage, 0);

        // The daemon goes away: the mark goes, the fields stay.
        peer->close();
        QTRY_COMPARE(state->text(),
                     QStringLiteral("gpsd injoignable (127.0.0.1:%1)").arg(gpsd.serverPort()));
        QVERIFY(!hasMark());
        {
            BoxCloser closer;
            w.Get<QLineEdit>(IDC_LON1_EDIT)->setText(QStringLiteral("-6.0"));
            button->click();
            QTRY_COMPARE(closer.texts, QStringList{state->text()});
        }
        QCOMPARE(w.Get<QLineEdit>(IDC_LON1_EDIT)->text(), QStringLiteral("-6.0"));

        // No daemon at all: told at once, the window never waits.
        QtWindow none;
        const quint16 closed = gpsd.serverPort();
        gpsd.close();
        follow(none, closed);
        QTRY_COMPARE(none.Get<QLabel>(IDC_BOAT_STATE_LABEL)->text(),
                     QStringLiteral("gpsd injoignable (127.0.0.1:%1)").arg(closed));
    }

    // "Renvoyer..." and "Favoris..." follow "Retirer..." in the Tab order and answer their
    // letters: an empty history is told; a favourite is kept, then chosen and sent.
    void resendAndFavouritesByKeyboard() {
        QtWindow w;
        w.Open();
        ClickTab(w, kOrderPage);
        auto* resend = w.Get<QPushButton>(IDC_RESEND_BUTTON);
        auto* favourites = w.Get<QPushButton>(IDC_FAVOURITES_BUTTON);
        QVERIFY(resend->isVisible());
        QVERIFY(favourites->isVisible());
        w.Activate();
        w.Get<QPushButton>(IDC_WITHDRAW_BUTTON)->setFocus(Qt::TabFocusReason);
        PressKey(Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(resend));
        PressKey(Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(favourites));
        {
            BoxCloser closer;
            PressKey(Qt::Key_N, Qt::AltModifier);
            QTRY_COMPARE(closer.texts.size(), 1);
            QCOMPARE(closer.texts[0],
                     QStringLiteral("L'historique ne contient aucune commande à renvoyer."));
        }
        QStringList offered;
        QTimer typer;
        typer.setInterval(10);
        QObject::connect(&typer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* choice = qobject_cast<QInputDialog*>(modal)) {
                offered = choice->comboBoxItems();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else if (auto* field =
                           modal ? modal->findChild<QLineEdit*>(QStringLiteral("field0")) : nullptr;
                       field && field->hasFocus()) {
                QTest::keyClicks(field, QStringLiteral("Quotidien"));
                QTest::keyClick(field, Qt::Key_Return);
            }
        });
        typer.start();
        w.Activate();
        PressKey(Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(offered,
                     QStringList{QStringLiteral("Enregistrer les choix actuels comme favori...")});
        QTRY_VERIFY(!QApplication::activeModalWidget());
        const std::string file =
            ReadBytes(w.dir.path().toStdString() + "/config/wavepost/favourites.txt");
        QVERIFY2(file.rfind("[Quotidien]\nmap=Monde\n", 0) == 0, file.c_str());

        // The daily order: Alt+F, Return on the first favourite, Alt+E.
        auto* lon = w.Get<QLineEdit>(IDC_LON1_EDIT);
        const QString kept = lon->text();
        ClickTab(w, kZonePage);
        w.Activate();
        TypeInto(lon, QStringLiteral("12"));
        ClickTab(w, kOrderPage);
        w.Activate();
        offered.clear();
        PressKey(Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(offered.size(), 4);
        QCOMPARE(offered[0], QStringLiteral("Quotidien"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(lon->text(), kept);
        typer.stop();
        BoxCloser closer;  // no mail program: the order goes to the clipboard with a message
        w.Activate();
        PressKey(Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY(QString::fromStdString(w.LastOrder()).contains(QStringLiteral("%0AZ%20") + kept));
    }

    // "Adresses..." edits the address file in a form of three fields; Saildocs chosen in
    // the service list shows its request, and the weather costs nothing.
    void addressDialogAndServiceChoice() {
        QtWindow w;
        w.Open();
        ClickTab(w, kOrderPage);
        QStringList filled;
        QTimer typer;
        typer.setInterval(10);
        QObject::connect(&typer, &QTimer::timeout, [&] {
            auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* field = form ? form->findChild<QLineEdit*>(QStringLiteral("field0")) : nullptr;
            if (!field || !filled.isEmpty()) return;
            for (int i = 0; i < 3; ++i)
                filled << form->findChild<QLineEdit*>(QStringLiteral("field%1").arg(i))->text();
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(field, QStringLiteral("bord@voilier.example.net"));
            if (const QByteArray shot = qgetenv("WAVEPOST_DIALOG_SHOT"); !shot.isEmpty())
                form->grab().save(QString::fromLocal8Bit(shot));
            QTest::keyClick(field, Qt::Key_Return);
        });
        typer.start();
        QTest::mouseClick(w.Get<QPushButton>(IDC_ADDRESSES_BUTTON), Qt::LeftButton);
        QTRY_COMPARE(filled, (QStringList{QStringLiteral("grib@example.org"),
                                          QStringLiteral("support@example.org"), QString()}));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        const std::string text = ReadBytes(w.dir.path().toStdString() + "/init.cnf");
        QVERIFY2(text.rfind("meteo=bord@voilier.example.net\r\nquestion=support@example.org\r\n",
                            0) == 0,
                 text.c_str());

        auto* services = w.Get<QComboBox>(IDC_SERVICE_COMBO);
        QCOMPARE(services->count(), 2);
        w.Activate();
        services->setFocus(Qt::TabFocusReason);
        BoxCloser closer;  // the point-count warnings of the estimate
        PressKey(Qt::Key_Down);
        QTRY_VERIFY(w.Get<QPlainTextEdit>(IDC_ORDER_TEXT_EDIT)
                        ->toPlainText()
                        .contains(QStringLiteral("À : query@saildocs.com")));
        QVERIFY(w.Get<QPlainTextEdit>(IDC_ORDER_TEXT_EDIT)
                    ->toPlainText()
                    .contains(QStringLiteral(
                        "send gfs:25N,55N,50W,10W|1,1|0,12,24,48..120|WIND,PRMSL,WAVES")));
        QVERIFY(
            w.Get<QLineEdit>(IDC_WEATHER_COST_EDIT)->text().startsWith(QStringLiteral("0.00 ")));
    }

    // Boxes and the folder dialog opened while the page changes or a choice is made: a
    // damaged history is told once, on the way to the page; choosing "Fichier" by key asks
    // for the outbox, and a cancel keeps the mail program.
    void orderPageBoxesDuringChanges() {
        QtWindow w;
        std::filesystem::create_directories(w.dir.path().toStdString() + "/state/wavepost");
        std::ofstream(w.dir.path().toStdString() + "/state/wavepost/history.txt") << "damaged\n";
        w.Open();
        BoxCloser closer;
        ClickTab(w, kOrderPage);
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY(closer.texts[0].contains(QStringLiteral("1 ligne(s) illisible(s)")));
        QCOMPARE(w.tk->TabBar()->currentIndex(), int(kOrderPage));
        QVERIFY(w.Get<QPlainTextEdit>(IDC_HISTORY_EDIT)->isVisible());
        ClickTab(w, kZonePage);
        ClickTab(w, kOrderPage);
        QTest::qWait(50);
        QCOMPARE(closer.texts.size(), 1);

        const QString outbox = w.dir.path() + QStringLiteral("/outbox");
        QDir().mkpath(outbox);
        auto* ways = w.Get<QComboBox>(IDC_HANDOVER_COMBO);
        for (bool choose : {false, true}) {
            w.Activate();
            ways->setFocus(Qt::TabFocusReason);
            QTimer::singleShot(0, [&] {
                auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!picker) return;
                picker->setDirectory(outbox);
                QDialog* dialog = picker;  // accept() is public on QDialog
                choose ? dialog->accept() : dialog->reject();
            });
            PressKey(Qt::Key_Down);
            QTRY_VERIFY(!QApplication::activeModalWidget());
            QCOMPARE(ways->currentText(),
                     choose ? QStringLiteral("Fichier") : QStringLiteral("Messagerie"));
        }
        const std::string settings =
            ReadBytes(w.dir.path().toStdString() + "/config/wavepost/settings.txt");
        QVERIFY2(settings.find("handover=file\noutbox=" + outbox.toStdString()) == 0,
                 settings.c_str());
        QCOMPARE(closer.texts.size(), 1);
    }

    void quitSavesTheChoices() {
        QtWindow w;
        w.Open();
        w.Get<QLineEdit>(IDC_HEADING_EDIT)->setText("45");
        QTest::mouseClick(w.Get<QPushButton>(IDC_QUIT_BUTTON), Qt::LeftButton);
        QCOMPARE(w.tk->Window().result(), int(QDialog::Accepted));
        QVERIFY(ReadBytes(w.File("ini/options.txt")).find("CAP;45;") != std::string::npos);
    }

    // What the user sees of the bytes (their round trip is in the toolkit contract test):
    // valid UTF-8 as it is and only stray bytes as Windows-1252; a text the user edits
    // comes back as UTF-8.
    void textsAreShownAsTheyWereWritten() {
        QtWindow w;
        std::ofstream(w.File("ini/presentation.txt"), std::ios::binary) << "Météo \x96 marée";
        w.Open();
        QCOMPARE(w.Get<QPlainTextEdit>(IDC_PRESENTATION_EDIT)->toPlainText(),
                 QString::fromUtf8("Météo – marée"));
        w.tk->ComboReset(IDC_CURRENCY_COMBO);
        w.tk->ComboAddItem(IDC_CURRENCY_COMBO, "Caf\xE9 \x80");
        QCOMPARE(w.Get<QComboBox>(IDC_CURRENCY_COMBO)->itemText(0), QString::fromUtf8("Café €"));
        w.Get<QLineEdit>(IDC_HEADING_EDIT)->setText(QString::fromUtf8("Été"));
        QCOMPARE(w.tk->GetControlText(IDC_HEADING_EDIT), std::string("Été"));
    }

    void contextMenuOpensTheAboutBox() {
        QtWindow w;
        w.Open();
        bool aboutShown = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("&A propos de Wavepost..."));
            QTimer::singleShot(0, [&] {
                auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (about && about != &w.tk->Window()) {
                    aboutShown = about->windowTitle() == QStringLiteral("A propos de Wavepost");
                    // Every text stands whole inside the box, none under the button.
                    auto* ok = about->findChild<QPushButton*>(QStringLiteral("IDC_ABOUT_OK"));
                    for (auto* label : about->findChildren<QLabel*>()) {
                        if (label->text().isEmpty()) continue;
                        const QRect needed(
                            label->pos(),
                            QSize(label->width(), label->heightForWidth(label->width())));
                        aboutShown &= about->rect().contains(needed);
                        aboutShown &= !label->geometry().intersects(ok->geometry());
                    }
                    about->accept();
                }
            });
            menu->actions().value(0)->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 480),
                                w.tk->Window().mapToGlobal(QPoint(5, 480)));
        QApplication::sendEvent(&w.tk->Window(), &event);
        QVERIFY(aboutShown);
    }

    void messageBoxIsTitledWithTheProgramName() {
        QtWindow w;
        w.Open();
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QVERIFY(!w.tk->IsWindowEnabled());
            box->accept();
        });
        w.tk->MessageBox("Essai");
        QCOMPARE(title, QStringLiteral("qt_window_test"));
        QVERIFY(w.tk->IsWindowEnabled());
    }

    // The language comes from the desktop: English for English, French for French and for
    // every language without a translation.
    void languageFollowsTheDesktop() {
        struct Row {
            const char *language, *all, *lang, *chosen;
        };
        for (const Row& r : {Row{"", "", "en_GB.UTF-8", "en"}, Row{"", "", "fr_FR.UTF-8", "fr"},
                             Row{"", "", "de_DE.UTF-8", "fr"}, Row{"", "", "C.UTF-8", "fr"},
                             Row{"de:en_US", "", "de_DE.UTF-8", "en"},  // the first translated
                             Row{"fr:en", "", "en_GB.UTF-8", "fr"},
                             Row{"", "en_US.UTF-8", "fr_FR.UTF-8", "en"}}) {  // LC_ALL over LANG
            const Desktop desktop(r.language, r.all, r.lang);
            QVERIFY2(platform::qt::ChosenLanguage() == QLatin1String(r.chosen),
                     qPrintable(QStringLiteral("%1 %2 %3").arg(r.language, r.all, r.lang)));
        }
    }

    // Qt's own dialogs and buttons speak the window's language.
    void qtDialogsFollowTheLanguage() {
        for (const auto& [lang, cancel] :
             {std::pair{"fr_FR.UTF-8", "Annuler"}, std::pair{"de_DE.UTF-8", "Annuler"},
              std::pair{"en_GB.UTF-8", "Cancel"}}) {
            const Desktop desktop({}, {}, QByteArray(lang));
            platform::qt::InstallTranslators();
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString(cancel));
            platform::qt::RemoveTranslators();
        }
    }

    // Every text of the table and of the window has its English translation, with the same
    // directives in the same order; the texts of orders and files have none.
    void everyTextHasAnEnglishTranslation() {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/wavepost_en")));
        for (const char* word :
             {wavepost::kGribStart, wavepost::kBulletinStart, wavepost::kRequestEnd,
              wavepost::kGribSubject, wavepost::kBulletinSubject})
            QVERIFY2(english.translate("wavepost", word).isEmpty(), word);
        const std::set<int> neverTranslated = {
            wavepost::IDS_KEY_METEO,          wavepost::IDS_KEY_QUESTION,
            wavepost::IDS_KEY_PTEURO,         wavepost::IDS_CONFIG_FILE_NAME,
            wavepost::IDS_HELP_FILE_NAME,     wavepost::IDS_WINDOW_CAPTION,
            wavepost::IDS_ABOUT_VERSION,      wavepost::IDS_KEY_SENDER,
            wavepost::IDS_CLIPBOARD_SEPARATOR};
        static const QRegularExpression directive(QStringLiteral("%l?[ds]"));
        auto directives = [](const QString& text) {
            QStringList list;
            for (auto m = directive.globalMatch(text); m.hasNext();) list << m.next().captured();
            return list;
        };
        QStringList texts;
        for (const auto& [id, bytes] : wavepost::AllStrings()) {
            // Paragraphs and tab titles are looked up without the blank lines and blanks
            // that place them.
            QString french = QString::fromStdString(bytes);
            while (french.startsWith(QLatin1Char('\n'))) french.remove(0, 1);
            if (french.trimmed() == QLatin1String("?")) french = french.trimmed();
            const QString translated = english.translate("wavepost", french.toUtf8().constData());
            if (neverTranslated.count(id)) {
                QVERIFY2(translated.isEmpty(), qPrintable(french));
                continue;
            }
            texts << french;
        }
        for (const auto* layout : {&wavepost::MainWindowLayout(), &wavepost::AboutBoxLayout()})
            for (const auto& control : layout->controls)
                if (!control.text.empty() && control.text.rfind("Wavepost version ", 0) != 0)
                    texts << QString::fromStdString(control.text);
        QVERIFY(texts.size() > 100);
        for (const QString& french : texts) {
            QString translated = english.translate("wavepost", french.toUtf8().constData());
            if (translated.isEmpty()) {  // translated without its mnemonic marker
                const QString plain = QString(french).remove(QRegularExpression("&(?=[^&])"));
                translated = english.translate("wavepost", plain.toUtf8().constData());
            }
            QVERIFY2(!translated.isEmpty(), qPrintable(french));
            QCOMPARE(directives(translated), directives(french));
        }
    }

    // On an English desktop the window speaks English, and the order leaves with the very
    // bytes it has on a French one.
    void englishWindowSendsTheSameOrder() {
        std::string french;
        QString frenchClipboard;
        {
            QtWindow w;
            w.Open();
            BoxCloser closer;
            QTest::mouseClick(w.Get<QPushButton>(IDC_SEND_BUTTON), Qt::LeftButton);
            QTRY_COMPARE(closer.texts.size(), 1);
            french = w.LastOrder();
            frenchClipboard = QGuiApplication::clipboard()->text();
        }
        const Desktop desktop(QByteArray(), QByteArray(), QByteArray("en_GB.UTF-8"));
        platform::qt::InstallTranslators();
        struct Remove {
            ~Remove() { platform::qt::RemoveTranslators(); }
        } remove;
        QtWindow w;
        w.Open();
        const auto plain = [](QString text) { return text.remove(QLatin1Char('&')); };
        QCOMPARE(plain(w.Get<QPushButton>(IDC_SEND_BUTTON)->text()), QStringLiteral("Send"));
        QCOMPARE(plain(w.Get<QPushButton>(IDC_QUIT_BUTTON)->text()), QStringLiteral("Quit"));
        QCOMPARE(plain(w.tk->TabBar()->tabText(0)), QStringLiteral("Geographic zone"));
        QCOMPARE(w.Get<QListWidget>(IDC_MAP_LIST)->item(0)->text(), QStringLiteral("World"));
        ClickTab(w, kOrderPage);
        QCOMPARE(w.Get<QLabel>(IDC_ORDER_KIND_LABEL)->text(),
                 QStringLiteral("Single GRIB request"));
        QVERIFY2(w.Get<QLabel>(IDC_ORDER_SIZE_LABEL)
                     ->text()
                     .contains(QRegularExpression("^Estimated GRIB file: .* kB \\(\\d+ points\\), "
                                                  "transfer in .* over Iridium\\.$")),
                 qPrintable(w.Get<QLabel>(IDC_ORDER_SIZE_LABEL)->text()));
        const QString shown = w.Get<QPlainTextEdit>(IDC_ORDER_TEXT_EDIT)->toPlainText();
        QVERIFY2(shown.startsWith(QStringLiteral("To: grib@example.org\nSubject: Grib\n\n"
                                                 "@mto@reqt@grib@\nA 1\n")),
                 qPrintable(shown));
        BoxCloser closer;
        QTest::mouseClick(w.Get<QPushButton>(IDC_SEND_BUTTON), Qt::LeftButton);
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts[0].startsWith(QStringLiteral("No mail program could be opened.\n"
                                                           "The order was copied")),
                 qPrintable(closer.texts[0]));
        QCOMPARE(w.LastOrder(), french);
        // A text with its mnemonic keeps one, on the same letter where the English has it.
        QCOMPARE(platform::qt::Shown("&Quitter"), QStringLiteral("&Quit"));
        QCOMPARE(platform::qt::Shown("E&nvoi"), QStringLiteral("Se&nd"));
        QCOMPARE(platform::qt::Shown("&Aide"), QStringLiteral("&Help"));
        // A message holding others, and a file name that stays as it is.
        const std::string table = wavepost::Format(
            wavepost::LoadString(wavepost::IDS_UPGRADE_TABLE_LINE).c_str(), "options.txt", 3, 0, 1);
        w.tk->MessageBox(
            wavepost::Format(wavepost::LoadString(wavepost::IDS_CATALOGUE_UPGRADED).c_str(), 1L, 2L,
                             (table + "\n").c_str(), "/tmp/Le fichier"));
        QTRY_COMPARE(closer.texts.size(), 2);
        QCOMPARE(
            closer.texts[1],
            QStringLiteral("The catalogue was updated (version 1, then 2); your choices are kept.\n"
                           "options.txt: 3 row(s) added, 0 row(s) removed, 1 row(s) changed\n"
                           "The previous tables are kept in the folder \"/tmp/Le fichier\"."));
        QCOMPARE(QGuiApplication::clipboard()->text(), frenchClipboard);
    }

    // Leaving the zone page from a coordinate field, by any means, switches the page
    // once and ends the entry once, after the page change and outside any paint.
    void leavingTheZonePage_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("means");
        for (int field : {IDC_LON1_EDIT, IDC_LAT2_EDIT})
            for (const char* means : {"click", "key", "wheel"})
                QTest::addRow("%d by %s", field, means) << field << QString(means);
    }
    void leavingTheZonePage() {
        QFETCH(int, field);
        QFETCH(QString, means);
        QtWindow w;
        w.Open();
        TypeInto(w.Get<QLineEdit>(field), QStringLiteral("12,34"));
        if (means == "click")
            ClickTab(w, 1);
        else if (means == "key")
            PressKey(Qt::Key_Tab, Qt::ControlModifier);
        else
            TurnWheel(w, 1);
        QCOMPARE(w.tk->TabBar()->currentIndex(), 1);
        QCOMPARE(w.dlg->m_nCurrentPage, 1);
        QVERIFY(w.Get<QWidget>(field)->isHidden());
        QVERIFY(w.Get<QWidget>(IDC_MESH_LON_COMBO)->isVisible());
        QCOMPARE(w.logic->Count(EventKind::TabChanged), 1);
        QCOMPARE(w.logic->Count(EventKind::Left, field), 1);
        QCOMPARE(w.Get<QLineEdit>(field)->text(), QStringLiteral("12.3"));
        // The Left came after the page change, not inside it.
        QCOMPARE(int(w.logic->events.back().kind), int(EventKind::Left));
        QTest::qWait(20);  // pending paints run
        // Back by the wheel, and nothing more happens to the field.
        TurnWheel(w, -1);
        QCOMPARE(w.dlg->m_nCurrentPage, 0);
        QVERIFY(w.Get<QWidget>(field)->isVisible());
        QCOMPARE(w.logic->Count(EventKind::Left, field), 1);
    }

    // A message box opened by the end of an entry during a page change: the "$1 =" field
    // ends its entry after the change, the point-count warning shows, the window lives on.
    void messageBoxOpenedDuringAPageChange() {
        QtWindow w;
        Edit(w.File("ini/telecoms.txt"), "Iridium;0.0001;5000;20000", "Iridium;0.0001;10;20000");
        BoxCloser boxes;
        w.Open();
        boxes.texts.clear();
        ClickTab(w, 2);
        TypeInto(w.Get<QLineEdit>(IDC_DOLLAR_RATE_EDIT), QStringLiteral("0,8"));
        const int warnings = boxes.texts.size();
        ClickTab(w, 0);
        QCOMPARE(w.dlg->m_nCurrentPage, 0);
        QVERIFY(w.Get<QWidget>(IDC_LON1_EDIT)->isVisible());
        QTRY_COMPARE(boxes.texts.size(), warnings + 1);
        QCOMPARE(boxes.texts.last(), QStringLiteral("Nombre de points : Alarme"));
        QCOMPARE(w.Get<QLineEdit>(IDC_DOLLAR_RATE_EDIT)->text(), QStringLiteral("0.8"));
        QCOMPARE(w.logic->Count(EventKind::Left, IDC_DOLLAR_RATE_EDIT), 1);
    }

    // A warning at every keystroke does not end the entry; leaving the field does, once,
    // and clamps it: by Tab once the window has the focus back, or by a click on another
    // field, which takes the focus while the window had none.
    void warningsDoNotSwallowTheEndOfAnEntry_data() {
        QTest::addColumn<bool>("byClick");
        QTest::newRow("Tab") << false;
        QTest::newRow("click on another field") << true;
    }
    void warningsDoNotSwallowTheEndOfAnEntry() {
        QFETCH(bool, byClick);
        QtWindow w;
        Edit(w.File("ini/telecoms.txt"), "Iridium;0.0001;5000;20000", "Iridium;0.0001;10;20000");
        BoxCloser boxes;
        w.Open();
        auto* width = w.Get<QLineEdit>(IDC_LON2_EDIT);
        TypeInto(width, QStringLiteral("500"));
        QCOMPARE(width->text(), QStringLiteral("500"));  // typed whole, warnings and all
        QVERIFY(boxes.texts.size() >= 2);
        QCOMPARE(w.logic->Count(EventKind::Left, IDC_LON2_EDIT), 0);
        if (byClick) {
            QTest::mouseClick(w.Get<QLineEdit>(IDC_LAT2_EDIT), Qt::LeftButton);
            w.Activate();
        } else {
            w.Activate();
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(width));
            PressKey(Qt::Key_Tab);
        }
        QTRY_COMPARE(w.logic->Count(EventKind::Left, IDC_LON2_EDIT), 1);
        QCOMPARE(width->text(), QStringLiteral("300.0"));  // -30 with half of it to -180
        QTest::qWait(30);
        QCOMPARE(w.logic->Count(EventKind::Left, IDC_LON2_EDIT), 1);
    }

    // Return presses "Envoi" with the focus in a field: what leaving the field does is
    // done first, so the order holds the corrected value.
    void enterInAField() {
        const struct {
            int field;
            const char *typed, *shown, *inOrder, *saved;
        } rows[] = {
            {IDC_LON1_EDIT, "5W", "-5.0", "Z -5.0 40.0 40.0 30.0", "X1;-5.0;"},
            {IDC_LAT1_EDIT, "47°18' S", "-47.3", "Z -30.0 -47.3 40.0 30.0", "Y1;-47.3;"},
            {IDC_LON2_EDIT, "600", "300.0", "Z -30.0 40.0 300.0 30.0", "X2;300.0;"},
            {IDC_SPEED_EDIT, "1e308", "1", "\nV 0 1.0\n", "VITESSE;1;"},
            {IDC_DOLLAR_RATE_EDIT, "0,5", "0.5", "", "DOLLARS;0.5;"},
        };
        for (const auto& r : rows) {
            QtWindow w;
            BoxCloser boxes;
            w.Open();
            if (r.field == IDC_DOLLAR_RATE_EDIT) ClickTab(w, 2);
            TypeInto(w.Get<QLineEdit>(r.field), r.typed);
            w.Activate();  // after any point-count warning
            PressKey(Qt::Key_Return);
            QCOMPARE(w.logic->Count(EventKind::Left, r.field), 1);
            QCOMPARE(w.logic->Count(EventKind::Click, IDC_SEND_BUTTON), 1);
            QCOMPARE(w.Get<QLineEdit>(r.field)->text(), QString(r.shown));
            const std::string order = PercentDecoded(w.LastOrder());
            QVERIFY2(order.find(r.inOrder) != std::string::npos, order.c_str());
            QVERIFY(order.size() < 300);
            QVERIFY2(ReadBytes(w.File("ini/options.txt")).find(r.saved) != std::string::npos,
                     r.saved);
        }
    }

    // Keys on the map list: the dialog's own keys never reach the list's handler; keys
    // that move the highlight move the selection mark and the map with it.
    void keysOnTheMapList_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("map");
        QTest::newRow("End") << QList<int>{Qt::Key_End} << 2;
        QTest::newRow("End Up") << QList<int>{Qt::Key_End, Qt::Key_Up} << 1;
        QTest::newRow("Down Home") << QList<int>{Qt::Key_Down, Qt::Key_Home} << 0;
        QTest::newRow("F") << QList<int>{Qt::Key_F} << 2;
        QTest::newRow("E") << QList<int>{Qt::Key_E} << 1;
        QTest::newRow("Down Down Down")
            << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << 2;
    }
    void keysOnTheMapList() {
        QFETCH(QList<int>, keys);
        QFETCH(int, map);
        QtWindow w;
        w.Open();
        auto* maps = w.Get<QListWidget>(IDC_MAP_LIST);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(maps));
        for (int key : keys) PressKey(Qt::Key(key));
        QCOMPARE(w.dlg->m_nMap, map);
        QCOMPARE(maps->currentRow(), map);
        QCOMPARE(w.tk->ListViewGetSelectionMark(IDC_MAP_LIST), map);
        QVERIFY(maps->item(map)->isSelected());
        // The map's own zone texts came with it, and the program's tab selection raised
        // no tab change.
        QCOMPARE(w.logic->Count(EventKind::TabChanged), 0);
    }

    void escapeAndReturnOnTheMapListBelongToTheDialog() {
        {
            // Escape abandons a drawn zone and closes the window: nothing is stored or written.
            QtWindow w;
            std::string options = ReadBytes(w.File("ini/options.txt"));
            w.Open();
            platform::Rect area = w.dlg->GetMapArea();
            QTest::mousePress(&w.tk->Window(), Qt::LeftButton, {},
                              QPoint(area.left + 5, area.top + 5));
            QTest::mouseRelease(&w.tk->Window(), Qt::LeftButton, {},
                                QPoint(area.left + 60, area.top + 60));
            QTRY_COMPARE(QApplication::focusWidget(), w.Get<QWidget>(IDC_MAP_LIST));
            PressKey(Qt::Key_Escape);
            QCOMPARE(w.tk->Window().result(), 2);  // the cancel result
            QVERIFY(w.tk->Window().isHidden());
            QCOMPARE(w.logic->Count(EventKind::MapListKeyDown), 0);
            QCOMPARE(ReadBytes(w.File("ini/options.txt")), options);
        }
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            // Return on an incomplete order: its message, and no file written.
            QtWindow w;
            Edit(w.File("ini/options.txt"), "X2;40.0;40.0;Monde", "X2;;40.0;Monde");
            std::string options = ReadBytes(w.File("ini/options.txt"));
            BoxCloser boxes;
            w.Open();
            QTRY_COMPARE(QApplication::focusWidget(), w.Get<QWidget>(IDC_MAP_LIST));
            PressKey(key);
            QCOMPARE(w.logic->Count(EventKind::MapListKeyDown), 0);
            QCOMPARE(w.logic->Count(EventKind::Click, IDC_SEND_BUTTON), 1);
            QCOMPARE(boxes.texts.size(), 1);
            QCOMPARE(ReadBytes(w.File("ini/options.txt")), options);
        }
    }

    // Without the presentation file the map still follows the list.
    void mapFollowsTheListWithoutThePresentationFile() {
        QtWindow w;
        std::filesystem::remove(w.File("ini/presentation.txt"));
        BoxCloser boxes;
        w.Open();
        ClickMap(w, 1);
        QCOMPARE(w.dlg->m_nMap, 1);
        w.Activate();
        QTRY_COMPARE(QApplication::focusWidget(), w.Get<QWidget>(IDC_MAP_LIST));
        PressKey(Qt::Key_Down);
        QCOMPARE(w.dlg->m_nMap, 2);
        QTest::qWait(30);  // paints while and after the boxes were open
        QCOMPARE(w.dlg->m_nMap, 2);
        QVERIFY(w.Get<QAbstractButton>(IDC_MAP_FRANCE_RADIO)->isChecked());
        QVERIFY(boxes.texts.size() >= 2);
    }

    // A drag abandoned by a tab change leaves no zone and no band behind.
    void tabChangeAbandonsADrag() {
        QtWindow w;
        w.Open();
        auto& dialog = w.tk->Window();
        platform::Rect area = w.dlg->GetMapArea();
        const QString lon = w.Get<QLineEdit>(IDC_LON1_EDIT)->text();
        QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(area.left + 10, area.top + 10));
        QTest::mouseMove(&dialog, QPoint(area.left + 100, area.top + 60));
        QVERIFY(w.dlg->m_bDragging);
        TurnWheel(w, 1);
        QVERIFY(!w.dlg->m_bDragging);
        TurnWheel(w, -1);
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(area.left + 100, area.top + 60));
        QCOMPARE(w.Get<QLineEdit>(IDC_LON1_EDIT)->text(), lon);
        // No red band is left on the map.
        QImage shot = dialog.grab().toImage();
        int red = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                red += shot.pixelColor(x, y) == QColor(255, 0, 0);
        QVERIFY2(red < 500, qPrintable(QString::number(red)));  // the zone outline only
    }

    // Radio groups: one Tab stop each; the arrow keys check the next button and click it.
    void radioGroupsTakeTheArrowKeys() {
        QtWindow w;
        w.Open();
        ClickTab(w, 2);
        QCOMPARE(TabStops(w, {IDC_COMPRESSION_NONE_RADIO, IDC_COMPRESSION_ZIP_RADIO,
                              IDC_COMPRESSION_GZIP_RADIO, IDC_COMPRESSION_BZIP2_RADIO}),
                 1);
        QCOMPARE(TabStops(w, {IDC_SUBSCRIPTION_SINGLE_RADIO, IDC_SUBSCRIPTION_DAYS_RADIO,
                              IDC_SUBSCRIPTION_PERMANENT_RADIO, IDC_SUBSCRIPTION_CANCEL_RADIO}),
                 1);
        QCOMPARE(TabStops(w, {IDC_ZONE_CENTRED_RADIO, IDC_ZONE_RECTANGLE_RADIO}), 1);
        // The Tab stop of a group is its checked button.
        QVERIFY(w.Get<QWidget>(IDC_COMPRESSION_ZIP_RADIO)->focusPolicy() & Qt::TabFocus);  // "Zip"
        ClickInto(w.Get<QWidget>(IDC_COMPRESSION_ZIP_RADIO));
        const int clicks = w.logic->Count(EventKind::Click);
        PressKey(Qt::Key_Down);
        QVERIFY(w.Get<QAbstractButton>(IDC_COMPRESSION_GZIP_RADIO)->isChecked());
        QVERIFY(!w.Get<QAbstractButton>(IDC_COMPRESSION_ZIP_RADIO)->isChecked());
        QCOMPARE(QApplication::focusWidget(), w.Get<QWidget>(IDC_COMPRESSION_GZIP_RADIO));
        QCOMPARE(w.logic->Count(EventKind::Click, IDC_COMPRESSION_GZIP_RADIO), 1);
        QCOMPARE(w.dlg->m_nCompression, 2);
        PressKey(Qt::Key_Up);
        PressKey(Qt::Key_Up);
        QVERIFY(w.Get<QAbstractButton>(IDC_COMPRESSION_NONE_RADIO)->isChecked());
        QCOMPARE(w.logic->Count(EventKind::Click), clicks + 3);
        QVERIFY(w.Get<QWidget>(IDC_COMPRESSION_NONE_RADIO)->focusPolicy() & Qt::TabFocus);
        QVERIFY(!(w.Get<QWidget>(IDC_COMPRESSION_ZIP_RADIO)->focusPolicy() & Qt::TabFocus));
        // The zone mode by keyboard rewrites the texts at once.
        ClickInto(w.Get<QWidget>(IDC_ZONE_CENTRED_RADIO));
        PressKey(Qt::Key_Right);
        QCOMPARE(w.dlg->m_nZoneMode, 1);
        QCOMPARE(w.Get<QLineEdit>(IDC_LON1_EDIT)->text(), QStringLiteral("-50.0"));
    }

    // The space bar ticks a list item, and the estimate follows as after a click.
    void spaceBarTicksAndRecomputes() {
        QtWindow w;
        w.Open();
        ClickTab(w, 1);
        auto* parameters = qobject_cast<QListWidget*>(w.tk->Widget(w.dlg->m_pListParametres));
        ClickInto(parameters);
        const QString before = w.Get<QLineEdit>(IDC_WEATHER_COST_EDIT)->text();
        parameters->setCurrentRow(0);
        const Qt::CheckState state = parameters->item(0)->checkState();
        PressKey(Qt::Key_Space);
        QVERIFY(parameters->item(0)->checkState() != state);
        QVERIFY(w.Get<QLineEdit>(IDC_WEATHER_COST_EDIT)->text() != before);
    }

    // "Antime=2" shows "undetermined" once; a click leaves it for two states.
    void undeterminedAntimeridianBoxBecomesTwoState() {
        QtWindow w;
        Edit(w.File("init.cnf"), "Antime=0", "Antime=2");
        w.Open();
        auto* box = w.Get<QCheckBox>(IDC_ANTIMERIDIAN_CHECK);
        QCOMPARE(box->checkState(), Qt::PartiallyChecked);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(box->checkState(), Qt::Checked);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(box->checkState(), Qt::Unchecked);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(box->checkState(), Qt::Checked);
        QVERIFY(ReadBytes(w.File("init.cnf")).find("Antime=1") != std::string::npos);
    }

    // Outlines lie inside their rectangle, right and bottom edges excluded; captions are
    // never cut at their rectangle's right edge.
    void paintedShapesAndCaptions() {
        QImage image(200, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            platform::qt::QtPainter surface(
                painter, [](platform::FontHandle) { return QFont(); }, QPixmap(), 32);
            surface.DrawRectOutline(30, 30, 10, 10, {2, {255, 0, 0}});  // corners in any order
            surface.DrawText({40, 5, 50, 30}, "Coût estimé météo :", platform::kNoFont,
                             {255, 255, 255});
        }
        auto red = [&](int x, int y) { return image.pixelColor(x, y) == QColor(255, 0, 0); };
        for (int i = 12; i < 28; ++i) {
            QVERIFY(red(10, i) && red(11, i) && !red(9, i) && !red(12, i));
            QVERIFY(red(29, i) && red(28, i) && !red(30, i) && !red(27, i));
            QVERIFY(red(i, 10) && !red(i, 9) && red(i, 29) && !red(i, 30));
        }
        int inkBeyond = 0;
        for (int y = 5; y < 30; ++y)
            for (int x = 50; x < 200; ++x) inkBeyond += image.pixelColor(x, y).lightness() < 128;
        QVERIFY(inkBeyond > 20);
    }
};

QTEST_MAIN(QtWindowTest)
#include "qt_window_test.moc"
