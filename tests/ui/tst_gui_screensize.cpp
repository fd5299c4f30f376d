// The main window's layout: sheets, view and controls must land where players
// expect them on common screens, and on every screen stay inside their panels
// and clear of one another. The layout is computed for a sweep of sizes; the
// real window on whatever screen the X server has must cover it, put every
// widget where the layout says, keep the turn's lines inside the status and
// paint. CTest runs this on virtual screens from 320x240 to 7680x4320.
#include "guitest.h"

using namespace guitest;

namespace {

Layout ForScreen(int w, int h) { return ComputeLayout(w, h, ViewSizeForScreen(h, w)); }

bool Inside(const LayoutRect &r, int w, int h) { return r.left >= 0 && r.top >= 0 && r.Right() <= w && r.Bottom() <= h; }

} // namespace

class TestGuiScreenSize : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // On every screen the controls, the Menu and the suggestion button stay
    // inside their panel and clear of one another and of the picture, and so
    // do the sheets. Only in the packed arrangement does an offered level
    // cover the status's last line, on purpose. On common screens the sizes
    // are known.
    void layoutOnScreens_data()
    {
        QTest::addColumn<QSize>("screen");
        // View, sheet side, the sheets' left edges, cell and packed arrangement; empty: not pinned.
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("640x480, packed") << QSize(640, 480) << QList<int>{240, 191, 16, 223, 430, 31, 1};
        QTest::newRow("1024x768") << QSize(1024, 768) << QList<int>{384, 319, 16, 351, 686, 53, 0};
        QTest::newRow("1920x1080, sheets limited by the panel height")
            << QSize(1920, 1080) << QList<int>{540, 515, 93, 701, 1309, 85, 0};
        for (QSize s : {QSize(320, 240), QSize(480, 640), QSize(800, 600), QSize(1366, 768), QSize(3840, 2160),
                        QSize(7680, 4320), QSize(1080, 1920)})
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
        const Layout l = ForScreen(screen.width(), screen.height());
        const std::pair<const char *, const LayoutRect *> controls[] = {
            {"New", &l.NewButton},       {"Check", &l.CheckButton}, {"About", &l.AboutButton},
            {"End", &l.EndButton},       {"level", &l.LevelBox},    {"level label", &l.LevelLabel},
            {"status", &l.Status},       {"Menu", &l.MenuButton},   {"suggestion", &l.SuggestButton}};
        for (const auto &[name, rect] : controls) {
            QVERIFY2(rect->width > 0 && rect->height > 0, name);
            QVERIFY2(Inside(*rect, l.ControlPanelWidth, l.ControlPanelHeight), name);
            QVERIFY2(!Overlap(*rect, l.Picture), name);
            for (const auto &[other, otherRect] : controls) {
                const bool coversStatus = l.SuggestOverStatus && (rect == &l.SuggestButton || rect == &l.Status) &&
                                          (otherRect == &l.SuggestButton || otherRect == &l.Status);
                QVERIFY2(rect == otherRect || coversStatus || !Overlap(*rect, *otherRect),
                         qPrintable(QString(name) + " / " + other));
            }
        }
        QVERIFY(l.Status.height >= 3 * 12);  // three lines of the smallest text
        if (l.SuggestOverStatus)  // the last of four lines, the puzzle code
            QVERIFY(l.SuggestButton.Bottom() == l.Status.Bottom() && l.SuggestButton.height <= l.Status.height / 4);

        for (std::size_t i = 0; i < l.Sheets.size(); ++i) {
            QVERIFY(Inside(l.Sheets[i], screen.width(), l.SheetsPanelHeight));
            QVERIFY(i == 0 || !Overlap(l.Sheets[i - 1], l.Sheets[i]));
        }
        QVERIFY(l.CellWidth >= 1 && l.CellHeight == l.CellWidth);
        QVERIFY(5 * l.CellWidth < l.SheetSide);  // the lattice's last point inside its sheet
        QCOMPARE(l.View.Bottom(), screen.height());
        QVERIFY(l.View.Right() + 10 <= screen.width() - l.ControlPanelWidth);

        if (expected.isEmpty())
            return;
        QCOMPARE((QList<int>{l.ViewSize, l.SheetSide, l.Sheets[0].left, l.Sheets[1].left, l.Sheets[2].left,
                             l.CellWidth, l.SuggestOverStatus}), expected);
    }

    // The real window on the X server's screen.
    void windowFitsTheScreen()
    {
        ProgramFolder folder(Documents);
        MainWindow window(folder.path());
        window.showOnScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect screen = window.screen()->geometry();
        QTRY_COMPARE(window.geometry(), screen);
        const Layout &l = window.layout();
        QCOMPARE(l.ViewSize, std::min(screen.width(), screen.height()) / 2);

        const auto rect = [](const LayoutRect &r) { return QRect(r.left, r.top, r.width, r.height); };
        QWidget *panel = control(&window, "controlPanel");
        QCOMPARE(panel->geometry(), QRect(screen.width() - l.ControlPanelWidth, l.SheetsPanelHeight,
                                          l.ControlPanelWidth, l.ControlPanelHeight));
        QCOMPARE(window.view()->geometry(), rect(l.View));
        for (auto [name, r] : {std::pair{"newButton", l.NewButton}, {"checkButton", l.CheckButton},
                               {"aboutButton", l.AboutButton}, {"endButton", l.EndButton}, {"levelBox", l.LevelBox},
                               {"levelLabel", l.LevelLabel}, {"menuButton", l.MenuButton},
                               {"suggestButton", l.SuggestButton}, {"picture", l.Picture}})
            QVERIFY2(control(panel, name)->geometry() == rect(r), name);
        QRect status = rect(l.Status);
        for (const char *name : {"timeLabel", "resultLabel", "bestLabel", "codeLabel"}) {
            const QRect line = control(panel, name)->geometry();
            QVERIFY2(status.contains(line) && line.height() > 0, name);
            status.setTop(line.bottom() + 1);  // each line below the one before
        }
        QCOMPARE(window.lattice().CellWidth, l.CellWidth);
        for (Sheet s : AllSheets) {
            QCOMPARE(window.sheetWidget(s)->geometry(), rect(l.Sheets[std::size_t(SheetIndex(s))]));
            QCOMPARE(shown(window.sheetWidget(s), {1, 1}), sheetBackground());
        }
        const QImage view = window.view()->grabFramebuffer();
        QCOMPARE(view.size(), QSize(l.ViewSize, l.ViewSize) * window.devicePixelRatio());
        QCOMPARE(QColor(view.pixel(1, 1)).blue(), 191);  // the view's blue background
        QVERIFY(!window.grab().isNull());
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiScreenSize)
#include "tst_gui_screensize.moc"
