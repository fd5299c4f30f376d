// The real window on whatever screen the X server has: it covers the screen,
// keeps every control inside its panel and clear of the others, gives the
// sheets cells of at least a pixel and paints all of it. CTest runs this on
// virtual screens from 320x240 to 7680x4320.
#include "guitest.h"
#include "game/mainwindow.h"
#include "sheets/sheetwidget.h"
#include "view3d/figureview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class TestGuiScreenSize : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowFitsTheScreen();
};

namespace {

QRect InWindow(const QWidget *w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

} // namespace

void TestGuiScreenSize::windowFitsTheScreen()
{
    QTemporaryDir dir;
    const QString source = QCoreApplication::applicationDirPath() + QStringLiteral("/");
    for (const QString &f : {QStringLiteral("panel.jpg"), QStringLiteral("emblem.png")})
        QFile::copy(source + f, dir.filePath(f));

    MainWindow window(dir.path() + QStringLiteral("/"));
    window.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->geometry();
    qInfo("screen %dx%d", screen.width(), screen.height());
    QTRY_COMPARE(window.geometry(), screen);

    auto *panel1 = window.findChild<QWidget *>(QStringLiteral("sheetsPanel"));
    auto *panel2 = window.findChild<QWidget *>(QStringLiteral("controlPanel"));
    QVERIFY(!InWindow(panel1).intersects(InWindow(panel2)));
    QVERIFY(!InWindow(window.view()).intersects(InWindow(panel1)));
    QVERIFY(!InWindow(window.view()).intersects(InWindow(panel2)));
    QCOMPARE(InWindow(window.view()).bottom(), screen.height() - 1);

    QList<QWidget *> controls;
    for (const char *name : {"newButton", "checkButton", "endButton", "aboutButton", "levelBox", "levelLabel",
                             "timeLabel", "resultLabel", "bestLabel", "picture"})
        controls << panel2->findChild<QWidget *>(QString::fromLatin1(name));
    for (QWidget *c : controls) {
        QVERIFY(c);
        if (c->objectName() == QLatin1String("picture") && c->width() == 0)
            continue;  // no room for the picture on this screen
        // The picture may run past the panel's edge, as it always has; the
        // controls may not.
        if (c->objectName() != QLatin1String("picture"))
            QVERIFY2(panel2->rect().contains(c->geometry()), qPrintable(c->objectName()));
        for (QWidget *d : controls)
            if (c != d && d->width() > 0)
                QVERIFY2(!c->geometry().intersects(d->geometry()),
                         qPrintable(c->objectName() + QStringLiteral(" / ") + d->objectName()));
    }

    QVERIFY(window.lattice().CellWidth >= 1 && window.lattice().CellHeight >= 1);
    for (Sheet s : AllSheets) {
        SheetWidget *w = window.sheetWidget(s);
        QVERIFY(panel1->rect().contains(w->geometry()));
        const QImage sheet = w->grab().toImage();
        QCOMPARE(sheet.pixelColor(1, 1), SheetWidget::Background);
    }
    const QImage view = window.view()->grabFramebuffer();
    QCOMPARE(view.size(), QSize(window.layout().ViewSize, window.layout().ViewSize) * window.devicePixelRatio());
    QCOMPARE(QColor(view.pixel(1, 1)).blue(), 191);  // the view's blue background
    QVERIFY(!window.grab().isNull());
}

TRIVISTO_GUI_TEST_MAIN(TestGuiScreenSize)
#include "tst_gui_screensize.moc"
