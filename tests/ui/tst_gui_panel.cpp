// The control panel's text in windows of at least 1024x640: never smaller
// than the application's font, and a line too long for its place wraps or is
// cut short with its whole text in the tooltip. Smaller windows keep the
// packed layout, where text shrinks (tst_gui_screensize).

#include "guitest.h"

#include "ui/window/controlpanel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSpinBox>

using namespace guitest;

class TestGuiPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void textKeepsItsSize_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("1024x768, full screen") << QSize(1024, 768) << true;
        QTest::newRow("1280x800 window") << QSize(1280, 800) << false;
        QTest::newRow("1024x640 window") << QSize(1024, 640) << false;
    }
    void textKeepsItsSize()
    {
        QFETCH(QSize, window);
        QFETCH(bool, fullScreen);
        ProgramFolder folder;
        const QSize screen = QGuiApplication::primaryScreen()->size();
        if (window.width() > screen.width() || window.height() > screen.height() || (fullScreen && window != screen))
            QSKIP("for another screen: CTest runs this test on two");
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        if (!fullScreen) {
            w.showInWindow();
            w.resize(window);
        }
        QTRY_COMPARE(w.size(), window);
        QVERIFY(QTest::qWaitFor([&] { return allSheetsTakeInput(w); }, 3000));
        // The longest lines the panel shows: a result after help, a level
        // offered, a long notice.
        w.turn().game().SetRecordThreshold(1 << 30);
        w.turn().hint(std::nullopt);
        w.turn().hint(std::nullopt);
        drawStroke(w.sheetWidget(Sheet::X), pixelOf(w, 1, 1), pixelOf(w, 2, 2));
        clickButton(&w, "checkButton");
        ControlPanel *panel = w.controlPanel();
        panel->showSuggestion({LevelChange::Up, 84});
        panel->showNotice(QStringLiteral("Results go to Week 3 - Alexandra Konstantinopolskaya.trivisto-result"));

        const int appFont = w.font().pixelSize();
        for (QWidget *c : panel->findChildren<QWidget *>()) {
            auto *label = qobject_cast<QLabel *>(c);
            auto *button = qobject_cast<QAbstractButton *>(c);
            if (!c->isVisible() || !(label || button || qobject_cast<QSpinBox *>(c)) || (label && label->text().isEmpty() && !label->pixmap().isNull()))
                continue;
            QVERIFY2(c->font().pixelSize() >= appFont, qPrintable(c->objectName()));
            if (!label)
                continue;
            const QFontMetrics m(label->font());
            const QRect needed = m.boundingRect(QRect(0, 0, label->width(), 1 << 16),
                                                label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
            const int rows = label->wordWrap() ? 2 : 1;  // a row may lose a blank pixel
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height() + rows,
                     qPrintable(label->objectName() + ": " + label->text()));
            if (label->text().endsWith(QChar(0x2026)))
                QVERIFY2(label->toolTip().startsWith(label->text().chopped(1)), qPrintable(label->objectName()));
        }
        // On a screen at 200 % the picture comes from its twice-as-large copy.
        QCOMPARE(control<QLabel>(panel, "picture")->pixmap().devicePixelRatio(), w.devicePixelRatio());
        const QWidget *suggest = panel->suggestButton();
        const QWidget *picture = control(panel, "picture");
        QVERIFY(!suggest->geometry().intersects(picture->geometry()));
        QVERIFY(panel->width() - suggest->geometry().right() > 24);  // clear of the panel's edge
        QCOMPARE(control<QLabel>(panel, "resultLabel")->text().endsWith(QChar(0x2026)), window.height() < 768);
        if (const QByteArray grabs = qgetenv("TRIVISTO_TEST_GRABS"); !grabs.isEmpty())
            w.grab().save(QString::fromLocal8Bit(grabs) + QStringLiteral("/panel-%1x%2.png").arg(window.width()).arg(window.height()));
    }
};

QTEST_MAIN(TestGuiPanel)
#include "tst_gui_panel.moc"
