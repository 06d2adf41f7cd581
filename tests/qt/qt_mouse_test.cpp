// SPDX-License-Identifier: GPL-3.0-or-later
// Marking the zone with the mouse on the real window.
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "app/layout/ResourceIds.h"
#include "tests/qt/QtTestSupport.h"

using enum wavepost::ControlId;
using wavepost::qttest::QtWindow;

namespace {

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

    // Released on the last pixel column; run off the map, which ends the selection at its
    // edge before the release.
    void releaseOnTheLastColumnAndRunningOffTheMap() {
        for (int beyond : {0, 15}) {
            QtWindow w;
            wavepost::qttest::Edit(w.File("ini/options.txt"), "MODE;Mode centré;Mode centré;Monde",
                                   "MODE;Mode rectangle;Mode centré;Monde");
            w.Open();
            auto& dialog = w.tk->Window();
            platform::Rect area = w.dlg->GetMapArea();
            const QPoint end(area.right + beyond, area.bottom + beyond);
            const QString lon = beyond ? "-180.0" : "180.0";
            QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(area.left, area.top));
            QTest::mouseMove(&dialog, end);
            QCOMPARE(w.dlg->m_bDragging, !beyond);
            QTest::mouseRelease(&dialog, Qt::LeftButton, {}, end);
            QCOMPARE(Texts(w), (QStringList{lon, "90.0", lon, "-90.0"}));
        }
    }

    void pointerPositionShowsInATip() {
        QtWindow w;
        w.Open();
        auto& dialog = w.tk->Window();
        platform::Rect area = w.dlg->GetMapArea();
        QTest::mouseMove(&dialog, QPoint(area.left, area.bottom));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("90°00'S 180°00'E"));
        QTest::mouseMove(&dialog, QPoint(area.left - 3, area.bottom));
        QTRY_VERIFY(!QToolTip::isVisible());
    }
};

QTEST_MAIN(QtMouseTest)
#include "qt_mouse_test.moc"
