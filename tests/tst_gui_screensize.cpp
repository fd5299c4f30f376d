// The real window on whatever screen the X server has: it covers the screen,
// every widget stands where the layout for that screen puts it (tst_layout
// keeps the layout itself clear of overlaps), the turn's lines stay inside the
// status, and all of it paints. CTest runs this on virtual screens from
// 320x240 to 7680x4320.
#include "guitest.h"

#include <QScreen>

using namespace guitest;

class TestGuiScreenSize : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowFitsTheScreen()
    {
        ProgramFolder folder(Documents);
        MainWindow window(folder.path());
        window.showOnScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect screen = window.screen()->geometry();
        qInfo("screen %dx%d", screen.width(), screen.height());
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
            QCOMPARE(shown(window.sheetWidget(s), {1, 1}), SheetWidget::Background);
        }
        const QImage view = window.view()->grabFramebuffer();
        QCOMPARE(view.size(), QSize(l.ViewSize, l.ViewSize) * window.devicePixelRatio());
        QCOMPARE(QColor(view.pixel(1, 1)).blue(), 191);  // the view's blue background
        QVERIFY(!window.grab().isNull());
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiScreenSize)
#include "tst_gui_screensize.moc"
