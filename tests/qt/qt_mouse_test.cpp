// Marking the zone with the mouse on the real window.
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "app/layout/ResourceIds.h"
#include "tests/qt/QtTestSupport.h"

using enum wavepost::ControlId;
using wavepost::qttest::QtWindow;

namespace {

void UseRectangleMode() {
    std::string options = wavepost::qttest::ReadBytes("ini/options.txt");
    const std::string from = "MODE;Mode centré;Mode centré;Monde";
    options.replace(options.find(from), from.size(), "MODE;Mode rectangle;Mode centré;Monde");
    std::ofstream("ini/options.txt", std::ios::binary | std::ios::trunc) << options;
}

QStringList Texts(QtWindow& w) {
    QStringList texts;
    for (int id : {IDC_LON1_EDIT, IDC_LAT1_EDIT, IDC_LON2_EDIT, IDC_LAT2_EDIT})
        texts << w.Get<QLineEdit>(id)->text();
    return texts;
}

}  // namespace

class QtMouseTest : public QObject {
    Q_OBJECT
  private slots:
    void dragInCentredModeWritesCentreAndSize() {
        QtWindow w;
        w.Open();
        auto& dialog = w.tk->Window();
        platform::Rect area = w.dlg->GetMapArea();
        // From a quarter of the map to its middle: longitudes -90 to 0, latitudes 45 to 0.
        QPoint from(area.left + area.Width() / 4, area.top + area.Height() / 4);
        QPoint to(area.left + area.Width() / 2, area.top + area.Height() / 2);
        QTest::mousePress(&dialog, Qt::LeftButton, {}, from);
        QTest::mouseMove(&dialog, to);
        QVERIFY(w.dlg->m_bDragging);
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, to);
        QVERIFY(!w.dlg->m_bDragging);
        QStringList texts = Texts(w);
        auto near = [](const QString& text, double expected) {
            return std::abs(text.toDouble() - expected) <= 1.0;
        };
        QVERIFY2(
            near(texts[0], -45) && near(texts[1], 22.5) && near(texts[2], 90) && near(texts[3], 45),
            qPrintable(texts.join(' ')));
        // The zone drawn follows the new texts.
        QVERIFY(w.dlg->m_fZoneEast - w.dlg->m_fZoneWest > 89);
    }

    void releaseOnTheLastColumnAndRunningOffTheMap() {
        {
            QtWindow w;
            UseRectangleMode();
            w.Open();
            auto& dialog = w.tk->Window();
            platform::Rect area = w.dlg->GetMapArea();
            QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(area.left, area.top));
            QTest::mouseMove(&dialog, QPoint(area.right, area.bottom));
            QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(area.right, area.bottom));
            QCOMPARE(Texts(w), (QStringList{"180.0", "90.0", "180.0", "-90.0"}));
        }
        {
            QtWindow w;
            UseRectangleMode();
            w.Open();
            auto& dialog = w.tk->Window();
            platform::Rect area = w.dlg->GetMapArea();
            QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(area.left, area.top));
            QTest::mouseMove(&dialog, QPoint(area.right + 15, area.bottom + 15));
            // The selection ended at the edge before the release.
            QVERIFY(!w.dlg->m_bDragging);
            QCOMPARE(Texts(w), (QStringList{"-180.0", "90.0", "-180.0", "-90.0"}));
            QTest::mouseRelease(&dialog, Qt::LeftButton, {},
                                QPoint(area.right + 15, area.bottom + 15));
            QCOMPARE(Texts(w), (QStringList{"-180.0", "90.0", "-180.0", "-90.0"}));
        }
    }

    void pointerPositionShowsInATip_data() {
        QTest::addColumn<bool>("antimeridian");
        QTest::addColumn<QString>("corner");
        QTest::newRow("world") << false << QStringLiteral("90°00'S 180°00'E");
        QTest::newRow("antimeridian view") << true << QStringLiteral("90°00'S 0°00'E");
    }
    void pointerPositionShowsInATip() {
        QFETCH(bool, antimeridian);
        QFETCH(QString, corner);
        QtWindow w;
        if (antimeridian) wavepost::qttest::Edit("init.cnf", "Antime=0", "Antime=1");
        w.Open();
        auto& dialog = w.tk->Window();
        platform::Rect area = w.dlg->GetMapArea();
        QTest::mouseMove(&dialog, QPoint(area.left, area.bottom));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), corner);
        QTest::mouseMove(&dialog, QPoint(area.left - 3, area.bottom));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void pressOutsideTheMapStartsNothing() {
        QtWindow w;
        w.Open();
        platform::Rect area = w.dlg->GetMapArea();
        QTest::mousePress(&w.tk->Window(), Qt::LeftButton, {},
                          QPoint(area.left + 20, area.top - 3));
        QVERIFY(!w.dlg->m_bDragging);
    }
};

QTEST_MAIN(QtMouseTest)
#include "qt_mouse_test.moc"
