// A monkey player: random presses, moves and releases with any button on and
// off the sheets, the view and the control panel, whole strokes, every command
// but End (both exercises among them), level changes, keys, About and the name window, from a fixed seed
// (MONKEY_SEED, MONKEY_EVENTS to change). After every event the game's state
// must still be sound and the window must still be open and paint; a failure
// names the seed and the event.
#include "guitest.h"
#include "ui/dialogs/recordnamedialog.h"


using namespace guitest;

namespace {

// The rules every state of a game must keep, whatever was clicked.
QString BrokenRule(const Game &game)
{
    CheckCounts again;
    for (Sheet s : AllSheets) {
        const SheetStrokes &strokes = game.Input(s).Strokes();
        for (int slot = 1; slot <= SlotCount; ++slot)
            if (!strokes[slot].IsEmpty() && !strokes[slot].IsOnLattice())
                return QStringLiteral("slot %1 holds a stroke off the lattice").arg(slot);
        if (game.Checked() && !game.Input(s).IsRevealed())
            return QStringLiteral("a sheet took strokes after the Check");
        if (game.TurnExercise() == Exercise::Build && strokes.Slots() != game.Built().Projection(s))
            return QStringLiteral("a sheet does not show the built figure's projection");
        again += CompareSamples(game.TrueProjection(s), SampleSegments(strokes.Slots()));
    }
    // The sheets are locked after a Check, so checking again must agree.
    if (game.Checked() && !(again == CheckCounts{game.RightCount(), game.WrongCount()}))
        return QStringLiteral("the counts shown no longer match the drawing");
    return {};
}

} // namespace

class TestGuiMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomPlayKeepsTheGameSound()
    {
        const quint32 seed =
            qEnvironmentVariableIsSet("MONKEY_SEED") ? qEnvironmentVariable("MONKEY_SEED").toUInt() : 20261206u;
        const int events = qEnvironmentVariableIsSet("MONKEY_EVENTS") ? qEnvironmentVariableIntValue("MONKEY_EVENTS") : 4000;
        QRandomGenerator random(seed);
        auto where = [&](int event, const QString &what) {
            return QStringLiteral("seed %1, event %2: %3").arg(seed).arg(event).arg(what).toLocal8Bit();
        };
        ProgramFolder folder;
        MainWindow window(folder.path());
        window.turn().readResults();
        QVERIFY(showReady(window));

        // Whatever menu or modal window the monkey opens is closed again, the
        // name window every other time with a name.
        int dialogs = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (QWidget *popup = QApplication::activePopupWidget())  // a right-click menu
                popup->close();
            auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!modal)
                return;
            ++dialogs;
            if (auto *name = qobject_cast<RecordNameDialog *>(modal); name && dialogs % 2) {
                control<QLineEdit>(name, "nameEdit")->setText(QStringLiteral("Monkey %1").arg(dialogs));
                clickButton(name, "okButton");
            } else {
                modal->reject();
            }
        });
        closer.start(5);

        // Every command but the two that close the window.
        QList<QAction *> actions = window.actions();
        actions.removeIf([](QAction *a) { return a->objectName() == "quitAction" || a->objectName() == "escapeAction"; });
        QSet<QAction *> triggered;
        QWidget *panel = control(&window, "controlPanel");
        const QRect endButton = control(panel, "endButton")->geometry();
        std::array<int, 3> strokes{};
        for (Sheet s : AllSheets)
            connect(window.sheetWidget(s), &SheetWidget::strokesChanged, [&strokes, s] { ++strokes[SheetIndex(s)]; });
        auto anySheet = [&] { return window.sheetWidget(AllSheets[random.bounded(3)]); };
        auto somewhere = [&](QWidget *w, int margin) {
            return QPoint(random.bounded(-margin, w->width() + margin), random.bounded(-margin, w->height() + margin));
        };
        // Mouse events go where a player's go: to the widget under the pointer.
        auto poke = [&](QWidget *w) {
            const QPoint p = somewhere(w, 60);
            const auto kind = std::array{QTest::MousePress, QTest::MouseMove, QTest::MouseRelease}[random.bounded(3)];
            const auto button = std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[random.bounded(3)];
            // End would close the window; the window system sends nothing from outside it.
            if ((w != panel || !endButton.contains(p)) && window.rect().contains(w->mapTo(&window, p)))
                mouse(kind, w, p, button);
        };

        for (int event = 0; event < events; ++event) {
            const int pick = random.bounded(100);
            if (pick < 10) {  // a whole stroke, as a player draws one
                QWidget *sheet = anySheet();
                drawStroke(sheet, somewhere(sheet, 0), somewhere(sheet, 0));
            } else if (pick < 80) {
                poke(pick < 60 ? anySheet() : pick < 72 ? static_cast<QWidget *>(window.view()) : panel);
            } else if (pick < 92) {
                QAction *a = actions[random.bounded(actions.size())];
                triggered.insert(a);
                a->trigger();
            } else if (pick < 93) {
                control<QSpinBox>(panel, "levelBox")->setValue(random.bounded(MaxLevel + 1));
            } else if (pick < 97) {
                const Qt::Key key = std::array{Qt::Key_W, Qt::Key_1, Qt::Key_2, Qt::Key_A, Qt::Key_Left, Qt::Key_Up,
                                               Qt::Key_PageDown, Qt::Key_Space}[random.bounded(8)];
                QTest::keyClick(keyTarget(&window), key, random.bounded(2) ? Qt::ShiftModifier : Qt::NoModifier);
            } else {
                // Time passes: the input guard after a dialog runs out at once
                // rather than after half a second, so the monkey never sleeps.
                QTest::qWait(random.bounded(1, 10));
                for (Sheet s : AllSheets)
                    window.turn().game().Input(s).SetInputEnabled(true);
                window.turn().game().Builder().SetInputEnabled(true);
            }
            QCoreApplication::processEvents();

            const QString broken = BrokenRule(window.game());
            QVERIFY2(broken.isEmpty(), where(event, broken).constData());
            QVERIFY2(window.isVisible(), where(event, QStringLiteral("the window closed")).constData());
            if (event % 250 == 0)
                QVERIFY2(!window.grab().isNull(), where(event, QStringLiteral("the window stopped painting")).constData());
        }
        qInfo("seed %u: %d events, %d dialogs closed, %d/%d/%d strokes changed on X/Y/Z", seed, events, dialogs,
              strokes[0], strokes[1], strokes[2]);
        // A monkey that never reached a command, a dialog or a sheet proved nothing there.
        if (events >= 4000)
            QVERIFY2(triggered.size() == actions.size() && dialogs > 0 && std::ranges::min(strokes) > 0,
                     where(events, QStringLiteral("a command never given, no dialog, or a sheet never drawn on")).constData());
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiMonkey)
#include "tst_gui_monkey.moc"
