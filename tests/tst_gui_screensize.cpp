// The real window on whatever screen the X server has: it covers the screen,
// keeps every control inside its panel and clear of the others, gives the
// sheets cells of at least a pixel and paints all of it. CTest runs this on
// virtual screens from 320x240 to 7680x4320.
#include "guitest.h"

#include <QScreen>

using namespace guitest;

class TestGuiScreenSize : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowFitsTheScreen();
};

namespace {

QRect InWindow(const QWidget *w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

} // namespace

void TestGuiScreenSize::windowFitsTheScreen()
{
    ProgramFolder folder(Documents);
    MainWindow window(folder.path());
    window.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->geometry();
    qInfo("screen %dx%d", screen.width(), screen.height());
    QTRY_COMPARE(window.geometry(), screen);

    QWidget *sheets = control(&window, "sheetsPanel");
    QWidget *panel = control(&window, "controlPanel");
    QVERIFY(!InWindow(sheets).intersects(InWindow(panel)));
    QVERIFY(!InWindow(window.view()).intersects(InWindow(sheets)));
    QVERIFY(!InWindow(window.view()).intersects(InWindow(panel)));
    QCOMPARE(InWindow(window.view()).bottom(), screen.height() - 1);

    QList<QWidget *> controls;
    for (const char *name : {"newButton", "checkButton", "endButton", "aboutButton", "levelBox", "levelLabel",
                             "timeLabel", "resultLabel", "bestLabel", "picture"})
        controls << control(panel, name);
    for (QWidget *c : controls) {
        QVERIFY(c);
        const bool picture = c->objectName() == QLatin1String("picture");
        if (picture && c->width() == 0)
            continue;  // no room for the picture on this screen
        // The picture may run past the panel's edge, as it always has; the
        // controls may not.
        if (!picture)
            QVERIFY2(panel->rect().contains(c->geometry()), qPrintable(c->objectName()));
        for (QWidget *d : controls)
            QVERIFY2(c == d || d->width() == 0 || !c->geometry().intersects(d->geometry()),
                     qPrintable(c->objectName() + QStringLiteral(" / ") + d->objectName()));
    }

    QVERIFY(window.lattice().CellWidth >= 1 && window.lattice().CellHeight >= 1);
    for (Sheet s : AllSheets) {
        SheetWidget *w = window.sheetWidget(s);
        QVERIFY(sheets->rect().contains(w->geometry()));
        QCOMPARE(shown(w, {1, 1}), SheetWidget::Background);
    }
    const QImage view = window.view()->grabFramebuffer();
    QCOMPARE(view.size(), QSize(window.layout().ViewSize, window.layout().ViewSize) * window.devicePixelRatio());
    QCOMPARE(QColor(view.pixel(1, 1)).blue(), 191);  // the view's blue background
    QVERIFY(!window.grab().isNull());
}

TRIVISTO_GUI_TEST_MAIN(TestGuiScreenSize)
#include "tst_gui_screensize.moc"
