// Every screen from 320x240 up to 7680x4320 must give a playable window: the
// controls inside their panel and clear of each other, the sheets side by side
// inside their panel, lattice cells of at least one pixel.
#include "game/layout.h"

#include <QTest>

class TestScreens : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsStayInsideAndApart_data();
    void controlsStayInsideAndApart();
    void tinyScreensStillGiveCells_data();
    void tinyScreensStillGiveCells();
};

namespace {

struct Named {
    const char *name;
    const LayoutRect *rect;
};

bool Inside(const LayoutRect &r, int w, int h)
{
    return r.left >= 0 && r.top >= 0 && r.right() <= w && r.bottom() <= h;
}

} // namespace

void TestScreens::controlsStayInsideAndApart_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    const QList<QSize> sizes{{320, 240},  {400, 300},   {480, 640},   {640, 480},   {800, 480},   {800, 600},
                             {1024, 600}, {1024, 768},  {1280, 720},  {1280, 1024}, {1366, 768},  {1440, 900},
                             {1600, 1200}, {1920, 1080}, {2560, 1080}, {2560, 1440}, {3840, 2160}, {7680, 4320}, {768, 1024}, {1080, 1920}};
    for (const QSize &s : sizes)
        QTest::addRow("%dx%d", s.width(), s.height()) << s.width() << s.height();
    // Every size in between, in coarse steps, so no odd size slips through.
    for (int w = 320; w <= 2000; w += 97)
        for (int h = 240; h <= 1300; h += 89)
            QTest::addRow("sweep %dx%d", w, h) << w << h;
}

void TestScreens::controlsStayInsideAndApart()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const Layout l = ComputeLayout(width, height, ViewSizeForScreen(height, width));

    const Named controls[] = {{"newButton", &l.NewButton}, {"checkButton", &l.CheckButton},
                              {"aboutButton", &l.AboutButton}, {"endButton", &l.EndButton},
                              {"levelBox", &l.LevelBox}, {"levelLabel", &l.LevelLabel}, {"Status", &l.Status}};
    for (const Named &c : controls) {
        QVERIFY2(c.rect->width > 0 && c.rect->height > 0, c.name);
        QVERIFY2(Inside(*c.rect, l.ControlPanelWidth, l.ControlPanelHeight), c.name);
        QVERIFY2(!Overlap(*c.rect, l.Picture), c.name);
        for (const Named &d : controls)
            if (c.rect != d.rect)
                QVERIFY2(!Overlap(*c.rect, *d.rect), qPrintable(QStringLiteral("%1 / %2").arg(c.name, d.name)));
    }
    QVERIFY(l.Status.height >= 3 * 12);

    for (std::size_t i = 0; i < l.Sheets.size(); ++i) {
        QVERIFY(Inside(l.Sheets[i], width, l.SheetsPanelHeight));
        if (i > 0)
            QVERIFY(!Overlap(l.Sheets[i - 1], l.Sheets[i]));
    }
    QVERIFY(l.CellWidth >= 1);
    QCOMPARE(l.View.bottom(), height);
    QVERIFY(!Overlap(l.View, {width - l.ControlPanelWidth, l.SheetsPanelHeight, l.ControlPanelWidth, l.ControlPanelHeight}));
}

void TestScreens::tinyScreensStillGiveCells_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    for (int w : {0, 1, 7, 50, 150, 319})
        for (int h : {0, 1, 9, 60, 239})
            QTest::addRow("%dx%d", w, h) << w << h;
}

void TestScreens::tinyScreensStillGiveCells()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const Layout l = ComputeLayout(width, height, ViewSizeForScreen(height, width));
    QVERIFY(l.CellWidth >= 1);
    QVERIFY(l.CellHeight >= 1);
    QVERIFY(l.ControlPanelWidth >= 0 && l.ControlPanelHeight >= 0);
}

QTEST_APPLESS_MAIN(TestScreens)
#include "tst_screens.moc"
