// A monkey player: thousands of random presses, moves and releases on and off
// the sheets and the view, New, Check, level changes, keys, About and the name
// window, from a fixed seed. After every event the game's state must still be
// sound and the window must still paint; a failure names the seed and event.
#include "about/aboutdialog.h"
#include "guitest.h"

#include <QAction>
#include "game/mainwindow.h"
#include "results/recordnamedialog.h"
#include "sheets/sheetwidget.h"
#include "view3d/figureview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestGuiMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomPlayKeepsTheGameSound();
};

namespace {

QString Where(quint32 seed, int event, const QString &what)
{
    return QStringLiteral("seed %1, event %2: %3").arg(seed).arg(event).arg(what);
}

// The rules every state of a game must keep, whatever was clicked.
QString BrokenRule(const Game &game)
{
    for (Sheet s : AllSheets) {
        const SheetStrokes &strokes = game.sheet(s).Strokes();
        if (strokes.NextSlot() < 1 || strokes.NextSlot() > SlotCount + 1)
            return QStringLiteral("NextSlot %1 out of bounds").arg(strokes.NextSlot());
        for (int slot = 1; slot <= SlotCount; ++slot) {
            const Stroke &st = strokes[slot];
            if (!st.IsEmpty() && !st.IsOnLattice())
                return QStringLiteral("slot %1 holds a stroke off the lattice").arg(slot);
            if (slot > strokes.LastUsedSlot() && !st.IsEmpty())
                return QStringLiteral("slot %1 filled beyond NextSlot").arg(slot);
        }
    }
    const Figure &f = game.figure();
    for (int i = Figure::FrameEntries + 1; i <= f.SegmentCount; ++i) {
        const FigureSegment &e = f.entry[static_cast<std::size_t>(i)];
        if (!(e.start == f.entry[static_cast<std::size_t>(i - 1)].end))
            return QStringLiteral("walk entry %1 does not start where the last ended").arg(i);
    }
    if (game.Checked()) {
        // The sheets are locked after a Check, so checking again must agree.
        CheckCounts again;
        for (Sheet s : AllSheets)
            again += CompareSamples(game.trueProjection(s), SampleSegments(game.sheet(s).Strokes().Slots()));
        if (again.RightCount != game.RightCount() || again.WrongCount != game.WrongCount())
            return QStringLiteral("the counts shown no longer match the drawing");
        for (Sheet s : AllSheets)
            if (!game.sheet(s).IsRevealed())
                return QStringLiteral("a sheet took strokes after the Check");
    }
    return {};
}

} // namespace

void TestGuiMonkey::randomPlayKeepsTheGameSound()
{
    const quint32 seed = qEnvironmentVariableIsSet("MONKEY_SEED") ? qEnvironmentVariable("MONKEY_SEED").toUInt() : 20261206u;
    const int events = qEnvironmentVariableIsSet("MONKEY_EVENTS") ? qEnvironmentVariableIntValue("MONKEY_EVENTS") : 20000;
    QRandomGenerator random(seed);

    QTemporaryDir dir;
    const QString source = QCoreApplication::applicationDirPath() + QStringLiteral("/");
    for (const QString &f : QDir(source).entryList(QDir::Files))
        if (!f.startsWith(QLatin1String("tst_")) && f != QLatin1String("Stat.txt"))
            QFile::copy(source + f, dir.filePath(f));
    QFile(dir.filePath(QStringLiteral("Stat.txt"))).open(QIODevice::WriteOnly);

    MainWindow window(dir.path() + QStringLiteral("/"));
    window.turn().readResults();
    window.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Whatever modal window the monkey opens is closed again, sometimes with
    // a name, sometimes without.
    int dialogs = 0;
    QTimer closer;
    closer.setInterval(5);
    connect(&closer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        ++dialogs;
        if (auto *name = qobject_cast<RecordNameDialog *>(modal); name && random.bounded(2) == 0) {
            name->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Monkey %1").arg(dialogs));
            name->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        }
    });
    closer.start();

    const Game &game = window.game();
    // Every command but the two that close the window.
    QList<QAction *> actions;
    for (QAction *a : window.actions())
        if (a->objectName() != QLatin1String("quitAction") && a->objectName() != QLatin1String("escapeAction"))
            actions.append(a);
    auto *levelBox = window.findChild<QSpinBox *>(QStringLiteral("levelBox"));
    QVERIFY(levelBox);
    const std::array<QWidget *, 3> sheets{window.sheetWidget(Sheet::X), window.sheetWidget(Sheet::Y),
                                          window.sheetWidget(Sheet::Z)};
    QWidget *panels[] = {window.findChild<QWidget *>(QStringLiteral("sheetsPanel")),
                         window.findChild<QWidget *>(QStringLiteral("controlPanel"))};
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

    auto somewhere = [&](QWidget *w) {
        const int margin = 60;
        return QPoint(random.bounded(-margin, w->width() + margin), random.bounded(-margin, w->height() + margin));
    };
    auto mouse = [&](QWidget *w) {
        const QPoint p = somewhere(w);
        const Qt::MouseButton b = buttons[random.bounded(3)];
        switch (random.bounded(3)) {
        case 0: QTest::mousePress(w, b, {}, p); break;
        case 1: QTest::mouseMove(w, p); break;
        default: QTest::mouseRelease(w, b, {}, p); break;
        }
        return w;
    };

    for (int event = 0; event < events; ++event) {
        QWidget *touched = &window;
        const int pick = random.bounded(100);
        if (pick < 60) {
            touched = mouse(sheets[random.bounded(3)]);
        } else if (pick < 75) {
            touched = mouse(window.view());
        } else if (pick < 80) {
            mouse(panels[random.bounded(2)]);
        } else if (pick < 92) {
            actions[random.bounded(actions.size())]->trigger();
            if (random.bounded(8) == 0)
                QTest::qWait(520);  // let the sheets take input again after a dialog
        } else if (pick < 93) {
            levelBox->setValue(random.bounded(MaxLevel + 1));
        } else if (pick < 97) {
            const Qt::Key keys[] = {Qt::Key_W, Qt::Key_1, Qt::Key_2, Qt::Key_A};
            QTest::keyClick(&window, keys[random.bounded(4)], random.bounded(2) ? Qt::ShiftModifier : Qt::NoModifier);
        } else {
            QTest::qWait(random.bounded(1, 30));
        }
        QCoreApplication::processEvents();

        const QString broken = BrokenRule(game);
        QVERIFY2(broken.isEmpty(), qPrintable(Where(seed, event, broken)));
        QVERIFY2(window.isVisible(), qPrintable(Where(seed, event, QStringLiteral("the window closed"))));
        QVERIFY2(window.view()->camera().LineWidth >= 1, qPrintable(Where(seed, event, QStringLiteral("line width"))));
        if (touched != &window && event % 10 == 0)
            QVERIFY2(!touched->grab().isNull(), qPrintable(Where(seed, event, QStringLiteral("a widget stopped painting"))));
        if (event % 1000 == 999)
            QVERIFY2(!window.grab().isNull(), qPrintable(Where(seed, event, QStringLiteral("the window stopped painting"))));
    }
    qInfo("seed %u: %d events, %d dialogs closed", seed, events, dialogs);
}

TRIVISTO_GUI_TEST_MAIN(TestGuiMonkey)
#include "tst_gui_monkey.moc"
