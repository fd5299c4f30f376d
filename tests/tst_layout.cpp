// The main window's layout: sheets, view and controls must land where players
// expect them on common screens, and on every screen from 320x240 up to
// 7680x4320 stay inside their panels and clear of one another.

#include <QtTest>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "game/layout.h"
#endif

namespace {

Layout ForScreen(int w, int h) { return ComputeLayout(w, h, ViewSizeForScreen(h, w)); }

bool Inside(const LayoutRect &r, int w, int h) { return r.left >= 0 && r.top >= 0 && r.right() <= w && r.bottom() <= h; }

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // On every screen the controls stay inside their panel and clear of one
    // another, and so do the sheets; on common screens the sizes are known.
    void layoutOnScreens_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QList<int>>("expected");  // view size, sheet side, gap, cell; empty: not pinned
        QTest::newRow("640x480") << QSize(640, 480) << QList<int>{240, 191, 16, 31};
        QTest::newRow("1024x768") << QSize(1024, 768) << QList<int>{384, 319, 16, 53};  // sheets at 16, 351, 686
        QTest::newRow("1920x1080, sheets limited by the panel height") << QSize(1920, 1080) << QList<int>{540, 515, 93, 85};
        for (QSize s : {QSize(320, 240), QSize(400, 300), QSize(480, 640), QSize(800, 480), QSize(800, 600),
                        QSize(1024, 600), QSize(1280, 720), QSize(1280, 1024), QSize(1366, 768), QSize(1440, 900),
                        QSize(1600, 1200), QSize(2560, 1080), QSize(2560, 1440), QSize(3840, 2160), QSize(7680, 4320),
                        QSize(768, 1024), QSize(1080, 1920)})
            QTest::addRow("%dx%d", s.width(), s.height()) << s << QList<int>{};
        // Every size in between, in coarse steps, so no odd size slips through.
        for (int w = 320; w <= 2000; w += 97)
            for (int h = 240; h <= 1300; h += 89)
                QTest::addRow("sweep %dx%d", w, h) << QSize(w, h) << QList<int>{};
    }
    void layoutOnScreens()
    {
        QFETCH(QSize, screen);
        QFETCH(QList<int>, expected);
        const int width = screen.width();
        const int height = screen.height();
        const Layout l = ForScreen(width, height);
        const std::pair<const char *, const LayoutRect *> controls[] = {
            {"newButton", &l.NewButton}, {"checkButton", &l.CheckButton}, {"aboutButton", &l.AboutButton},
            {"endButton", &l.EndButton}, {"levelBox", &l.LevelBox},       {"levelLabel", &l.LevelLabel},
            {"status", &l.Status}};
        for (const auto &[name, rect] : controls) {
            QVERIFY2(rect->width > 0 && rect->height > 0, name);
            QVERIFY2(Inside(*rect, l.ControlPanelWidth, l.ControlPanelHeight), name);
            QVERIFY2(!Overlap(*rect, l.Picture), name);
            for (const auto &[other, otherRect] : controls)
                QVERIFY2(rect == otherRect || !Overlap(*rect, *otherRect), qPrintable(QString(name) + " / " + other));
        }
        QVERIFY(l.Status.height >= 3 * 12);  // three lines of the smallest text

        for (std::size_t i = 0; i < l.Sheets.size(); ++i) {
            QVERIFY(Inside(l.Sheets[i], width, l.SheetsPanelHeight));
            QVERIFY(i == 0 || !Overlap(l.Sheets[i - 1], l.Sheets[i]));
        }
        QVERIFY(l.CellWidth >= 1 && l.CellHeight == l.CellWidth);
        QVERIFY(5 * l.CellWidth < l.SheetSide);  // the lattice's last point inside its sheet
        QCOMPARE(l.View.bottom(), height);
        const LayoutRect panel{width - l.ControlPanelWidth, l.SheetsPanelHeight, l.ControlPanelWidth, l.ControlPanelHeight};
        QVERIFY(!Overlap(l.View, panel));

        if (expected.isEmpty())
            return;
        QCOMPARE((QList<int>{l.ViewSize, l.SheetSide, l.SheetGap, l.CellWidth}), expected);
        const int side = expected[1];
        const int gap = expected[2];
        for (int i = 0; i < 3; ++i)
            QCOMPARE(l.Sheets[static_cast<std::size_t>(i)], (LayoutRect{gap + i * (side + gap), 16, side, side}));
    }

    // Below any real screen the window is unusable, but nothing may break:
    // cells stay a pixel wide and no panel gets a negative size.
    void tinyScreensStillGiveCells()
    {
        for (int w : {0, 1, 7, 50, 150, 319})
            for (int h : {0, 1, 9, 60, 239}) {
                const Layout l = ForScreen(w, h);
                const QByteArray screen = QByteArray::number(w) + 'x' + QByteArray::number(h);
                QVERIFY2(l.CellWidth >= 1 && l.CellHeight >= 1, screen);
                QVERIFY2(l.ControlPanelWidth >= 0 && l.ControlPanelHeight >= 0, screen);
            }
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
