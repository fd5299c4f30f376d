// The main window's layout on common screens: sheets, view and controls must
// land where players expect them and never cover one another.

#include <QtTest>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "game/layout.h"
#endif

namespace {

QPoint TopLeft(const LayoutRect &r) { return {r.left, r.top}; }

Layout ForScreen(int w, int h) { return ComputeLayout(w, h, ViewSizeForScreen(h)); }

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sheetsOnCommonScreens_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("viewSize");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("gap");
        QTest::addColumn<int>("cell");
        QTest::newRow("640x480") << 640 << 480 << 240 << 191 << 16 << 31;
        QTest::newRow("1024x768") << 1024 << 768 << 384 << 319 << 16 << 53;
        QTest::newRow("1920x1080, sheets limited by the panel height") << 1920 << 1080 << 540 << 515 << 93 << 85;
    }
    void sheetsOnCommonScreens()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, viewSize);
        QFETCH(int, side);
        QFETCH(int, gap);
        QFETCH(int, cell);
        const Layout l = ForScreen(width, height);
        QCOMPARE(l.ViewSize, viewSize);
        QCOMPARE(l.SheetSide, side);
        QCOMPARE(l.SheetGap, gap);
        QCOMPARE(l.CellWidth, cell);
        QCOMPARE(l.CellHeight, cell);
        for (int i = 0; i < 3; ++i) {
            const LayoutRect &s = l.Sheets[static_cast<std::size_t>(i)];
            QCOMPARE(s, (LayoutRect{gap + i * (side + gap), 16, side, side}));
        }
        // The lattice's last point (5, 5) must be inside its sheet.
        QVERIFY(5 * l.CellWidth < side);
    }

    void panelsAndControlsAt1024x768()
    {
        const Layout l = ForScreen(1024, 768);
        QCOMPARE(l.SheetsPanelHeight, 384);
        QCOMPARE(l.ControlPanelWidth, 630);
        QCOMPARE(l.ControlPanelHeight, 384);
        QCOMPARE(l.View, (LayoutRect{0, 384, 384, 384}));
        QCOMPARE(l.Sheets[0].left, 16);
        QCOMPARE(l.Sheets[1].left, 351);
        QCOMPARE(l.Sheets[2].left, 686);

        QCOMPARE(TopLeft(l.LevelBox), QPoint(215, 92));
        QCOMPARE(TopLeft(l.LevelLabel), QPoint(275, 95));
        QCOMPARE(TopLeft(l.NewButton), QPoint(215, 142));
        QCOMPARE(l.CheckButton.top, 192);
        QCOMPARE(TopLeft(l.AboutButton), QPoint(l.CheckButton.left, 242));
        QCOMPARE(TopLeft(l.EndButton), QPoint(215, 292));
        QCOMPARE(TopLeft(l.Picture), QPoint(438, 214));
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
