#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "platform/qt/TextCodec.h"
#include "tests/qt/QtTestSupport.h"

using wavepost::qttest::QtWindow;
using wavepost::qttest::ReadBytes;

// Counts the events the logic receives while forwarding them.
class CountingLogic : public platform::IWindowLogic {
  public:
    explicit CountingLogic(platform::IWindowLogic& inner) : m_inner(inner) {}
    bool OnInitDialog() override { return m_inner.OnInitDialog(); }
    void OnEvent(const platform::Event& e) override {
        events.push_back(e);
        m_inner.OnEvent(e);
    }
    void OnPaint(platform::IPainter& p) override { m_inner.OnPaint(p); }
    std::vector<platform::Event> events;

  private:
    platform::IWindowLogic& m_inner;
};

class QtWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void windowIsBuiltFromTheLayout() {
        QtWindow w;
        w.Open();
        auto& dialog = w.tk->Window();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("WAVEPOST"));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
        QTabBar* tabs = w.tk->TabBar();
        QCOMPARE(tabs->count(), 6);
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
        QCOMPARE(titles, (QStringList{"Zone Géographique", "Paramètres", "Options", "Bulletins",
                                      "Images", "    ?"}));
        QCOMPARE(tabs->currentIndex(), 0);
        auto* maps = w.Get<QListWidget>(1060);
        QCOMPARE(maps->count(), 3);
        QCOMPARE(maps->item(0)->text(), QStringLiteral("Monde"));
        QCOMPARE(maps->item(2)->text(), QStringLiteral("France"));
        QVERIFY(!maps->item(1)->icon().isNull());
        QVERIFY(w.Get<QPushButton>(1013)->isDefault());
        QCOMPARE(w.Get<QPushButton>(1013)->text(), QStringLiteral("Envoi"));
        QVERIFY(w.Get<QWidget>(1008)->isHidden());
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(maps));
        // The map pictures and icons are compiled in.
        QVERIFY(!QPixmap(QStringLiteral(":/resources/141.png")).isNull());
    }

    void escapeClosesAndWritesNothing() {
        QtWindow w;
        std::string options = ReadBytes("ini/options.txt");
        w.Open();
        w.Get<QLineEdit>(1085)->setText("45");
        QTest::keyClick(&w.tk->Window(), Qt::Key_Escape);
        QCOMPARE(w.tk->Window().result(), 2);  // the cancel result
        QVERIFY(w.tk->Window().isHidden());
        QCOMPARE(ReadBytes("ini/options.txt"), options);
    }

    void quitSavesTheChoices() {
        QtWindow w;
        w.Open();
        w.Get<QLineEdit>(1085)->setText("45");
        QTest::mouseClick(w.Get<QPushButton>(1), Qt::LeftButton);
        QCOMPARE(w.tk->Window().result(), int(QDialog::Accepted));
        QVERIFY(ReadBytes("ini/options.txt").find("CAP;45;") != std::string::npos);
    }

    void onlyTheUsersEditsRaiseEvents() {
        QtWindow w;
        CountingLogic logic(*w.dlg);
        w.tk->Open(logic);
        w.tk->Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.tk->Window()));
        auto changed = [&] {
            int n = 0;
            for (const auto& e : logic.events) n += e.kind == platform::EventKind::Changed;
            return n;
        };
        w.tk->SetControlText(1073, "12.0");
        QCOMPARE(changed(), 0);
        auto* edit = w.Get<QLineEdit>(1073);
        edit->setFocus();
        QTest::keyClicks(edit, "5");
        QCOMPARE(changed(), 1);
        int selections = 0;
        w.tk->ComboSetSelection(1039, 1);
        for (const auto& e : logic.events)
            selections += e.kind == platform::EventKind::SelectionChanged;
        QCOMPARE(selections, 0);
        // Leaving the field is a Left event.
        w.Get<QLineEdit>(1074)->setFocus();
        bool left = false;
        for (const auto& e : logic.events)
            left |= e.kind == platform::EventKind::Left && e.source == 1073;
        QVERIFY(left);
    }

    void bytesRoundTripThroughTheControls() {
        QtWindow w;
        w.Open();
        std::string latin = "Caf\xE9 \x80";  // Windows-1252 from an older installation
        QCOMPARE(platform::qt::Decode(latin), QString::fromUtf8("Café €"));
        w.tk->ComboReset(1039);
        w.tk->ComboAddItem(1039, latin);
        QCOMPARE(w.Get<QComboBox>(1039)->itemText(0), QString::fromUtf8("Café €"));
        QCOMPARE(w.tk->ComboGetItemText(1039, 0), latin);
        w.tk->SetControlText(1085, latin);
        QCOMPARE(w.tk->GetControlText(1085), latin);
        w.Get<QLineEdit>(1085)->setText(QString::fromUtf8("Été"));
        QCOMPARE(w.tk->GetControlText(1085), std::string("Été"));
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
};

QTEST_MAIN(QtWindowTest)
#include "qt_window_test.moc"
