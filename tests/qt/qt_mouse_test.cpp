// SPDX-License-Identifier: GPL-3.0-or-later
// Marking the zone with the mouse on the real window.
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <tuple>

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

    // The layout scales with the window: at its first size and larger, the same relative
    // places on the map give the same zone, and a typed zone is drawn at the same place.
    void selectionAndZoneAtTwoSizes() {
        struct Result {
            QStringList dragged;
            QRectF drawn;  // the red outline's pixels, relative to the map area
            QSizeF pixel;  // one pixel, relative to the map area
            int width;     // of the map area
        };
        for (int map : {0, 1}) {
            std::vector<Result> results;
            for (QSizeF factor : {QSizeF(1, 1), QSizeF(1.2, 1.1)}) {
                QtWindow w;
                wavepost::qttest::BoxCloser closer;  // a point-count warning, say
                w.Open();
                auto& dialog = w.tk->Window();
                const QSize first = w.tk->FirstSize();
                if (map == 1) wavepost::qttest::PressKey(Qt::Key_Down);
                const QSize size(qRound(first.width() * factor.width()),
                                 qRound(first.height() * factor.height()));
                dialog.resize(size);
                QTRY_COMPARE(dialog.size(), size);
                QVERIFY(std::abs(w.tk->Scale() - std::min(factor.width(), factor.height())) < 0.01);
                const platform::Rect area = w.dlg->GetMapArea();
                auto at = [&](double fx, double fy) {
                    return QPoint(area.left + qRound(fx * area.Width()),
                                  area.top + qRound(fy * area.Height()));
                };
                QTest::mousePress(&dialog, Qt::LeftButton, {}, at(0.42, 0.31));
                QTest::mouseMove(&dialog, at(0.53, 0.45));
                QTest::mouseRelease(&dialog, Qt::LeftButton, {}, at(0.53, 0.45));
                Result result;
                result.dragged = Texts(w);
                // The zone as typed, drawn: the outline's pixels against the map without it.
                const QImage before = dialog.grab().toImage();
                for (auto [id, text] :
                     {std::pair{IDC_LON1_EDIT, "10"}, std::pair{IDC_LAT1_EDIT, "45"},
                      std::pair{IDC_LON2_EDIT, "20"}, std::pair{IDC_LAT2_EDIT, "10"}}) {
                    auto* edit = w.Get<QLineEdit>(id);
                    edit->setFocus();
                    edit->selectAll();
                    QTest::keyClicks(edit, QString::fromLatin1(text));
                }
                w.Get<QLineEdit>(IDC_LON1_EDIT)->setFocus();
                const QImage after = dialog.grab().toImage();
                // The backing store may keep fewer bits per colour.
                auto isRed = [](QRgb p) {
                    return qRed(p) > 240 && qGreen(p) < 16 && qBlue(p) < 16;
                };
                QRect red;
                for (int y = area.top; y < area.bottom; ++y)
                    for (int x = area.left; x < area.right; ++x)
                        if (isRed(after.pixel(x, y)) && !isRed(before.pixel(x, y)))
                            red |= QRect(x, y, 1, 1);
                QVERIFY(!red.isEmpty());
                const double aw = area.Width(), ah = area.Height();
                result.drawn = QRectF((red.left() - area.left) / aw, (red.top() - area.top) / ah,
                                      (red.right() + 1 - red.left()) / aw,
                                      (red.bottom() + 1 - red.top()) / ah);
                result.pixel = QSizeF(1 / aw, 1 / ah);
                result.width = area.Width();
                results.push_back(result);
            }
            // Within a pixel of the first size, in degrees and in the map's width.
            const Result& a = results[0];
            const Result& b = results[1];
            QVERIFY(std::abs(b.width - a.width * 1.1) <= 2);  // the map grew with the window
            for (int i = 0; i < 4; ++i) {
                const double tolerance = map == 0 ? 1.0 : 0.3;
                QVERIFY2(std::abs(a.dragged[i].toDouble() - b.dragged[i].toDouble()) <= tolerance,
                         qPrintable(a.dragged.join(' ') + " / " + b.dragged.join(' ')));
            }
            const double px = 2 * a.pixel.width(), py = 2 * a.pixel.height();
            for (auto [first, larger, tolerance] :
                 {std::tuple{a.drawn.left(), b.drawn.left(), px},
                  std::tuple{a.drawn.top(), b.drawn.top(), py},
                  std::tuple{a.drawn.width(), b.drawn.width(), px},
                  std::tuple{a.drawn.height(), b.drawn.height(), py}})
                QVERIFY2(std::abs(first - larger) <= tolerance,
                         qPrintable(QStringLiteral("%1 / %2").arg(first).arg(larger)));
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
