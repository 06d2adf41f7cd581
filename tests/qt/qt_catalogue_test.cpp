#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTest>

#include "app/layout/ResourceIds.h"
#include "tests/qt/QtTestSupport.h"

using enum wavepost::ControlId;
using wavepost::qttest::QtWindow;
using wavepost::qttest::ReadBytes;

class QtCatalogueTest : public QObject {
    Q_OBJECT

    static QListWidget* PageList(QtWindow& w, platform::ControlHandle handle) {
        return qobject_cast<QListWidget*>(w.tk->Widget(handle));
    }

    static void ClickMap(QtWindow& w, int index) {
        auto* maps = w.Get<QListWidget>(IDC_MAP_LIST);
        QRect item = maps->visualItemRect(maps->item(index));
        QTest::mouseClick(maps->viewport(), Qt::LeftButton, {}, item.center());
    }

  private slots:
    void pagesAndCombosAreFilledForTheWorldMap() {
        QtWindow w;
        w.Open();
        QVERIFY(w.Get<QComboBox>(IDC_TELECOM_COMBO)->count() >= 4);   // telecom links
        QVERIFY(w.Get<QComboBox>(IDC_CURRENCY_COMBO)->count() >= 3);  // currencies
        QVERIFY(w.Get<QComboBox>(IDC_MESH_LON_COMBO)->currentIndex() >= 0);
        QVERIFY(w.Get<QComboBox>(IDC_MESH_LAT_COMBO)->currentIndex() >= 0);
        QListWidget* steps = PageList(w, w.dlg->m_pListEcheances);
        QVERIFY(steps && steps->count() > 5);
        QCOMPARE(steps->item(0)->text(), QStringLiteral("0"));
        QListWidget* parameters = PageList(w, w.dlg->m_pListParametres);
        QVERIFY(parameters && parameters->count() > 5);
        QVERIFY(w.Get<QLineEdit>(IDC_LON1_EDIT)->text().size() > 0);
    }

    void mapListSwitchesAndKeepsTheChoicesOfEachMap() {
        QtWindow w;
        w.Open();
        w.Get<QLineEdit>(IDC_HEADING_EDIT)->setText("45");  // heading on the world map
        ClickMap(w, 2);
        QCOMPARE(w.dlg->m_nMap, 2);
        QCOMPARE(w.Get<QListWidget>(IDC_MAP_LIST)->currentRow(), 2);
        QVERIFY(ReadBytes(w.File("ini/options.txt")).find("CAP;45;") != std::string::npos);
        QVERIFY(w.Get<QLineEdit>(IDC_HEADING_EDIT)->text() != QStringLiteral("45"));
        ClickMap(w, 0);
        QCOMPARE(w.dlg->m_nMap, 0);
        QCOMPARE(w.Get<QLineEdit>(IDC_HEADING_EDIT)->text(), QStringLiteral("45"));
        // The keys move between the maps too.
        w.Get<QListWidget>(IDC_MAP_LIST)->setFocus();
        QTest::keyClick(w.Get<QListWidget>(IDC_MAP_LIST), Qt::Key_Down);
        QCOMPARE(w.dlg->m_nMap, 1);
        QCOMPARE(w.Get<QListWidget>(IDC_MAP_LIST)->currentRow(), 1);
    }

    void tickingAParameterReachesTheTableOnRelease() {
        QtWindow w;
        w.Open();
        QTabBar* tabs = w.tk->TabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QListWidget* parameters = PageList(w, w.dlg->m_pListParametres);
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(w.dlg->m_nCurrentPage, 1);
        QVERIFY(parameters->isVisible());
        int row = -1;
        for (int r = 2; r <= w.dlg->m_pParametres->GetRowCount(); ++r)
            if (w.dlg->m_pParametres->GetCell(r, 1) == "Monde") {
                row = r;
                break;
            }
        QVERIFY(row > 0);
        std::string before = w.dlg->m_pParametres->GetCell(row, 4);
        QRect item = parameters->visualItemRect(parameters->item(0));
        QTest::mouseClick(parameters->viewport(), Qt::LeftButton, {}, item.center());
        QVERIFY(w.dlg->m_pParametres->GetCell(row, 4) != before);
    }
};

QTEST_MAIN(QtCatalogueTest)
#include "qt_catalogue_test.moc"
