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
        const auto& rows = w.dlg->m_pParametres->RowsMatching(1, "Monde");
        QVERIFY(!rows.empty());
        const int row = rows.front();
        std::string before = w.dlg->m_pParametres->GetCell(row, 4);
        QRect item = parameters->visualItemRect(parameters->item(0));
        QTest::mouseClick(parameters->viewport(), Qt::LeftButton, {}, item.center());
        QVERIFY(w.dlg->m_pParametres->GetCell(row, 4) != before);
    }
};

QTEST_MAIN(QtCatalogueTest)
#include "qt_catalogue_test.moc"
