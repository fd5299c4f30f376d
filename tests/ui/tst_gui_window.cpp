// The main window as a player meets it: the results read at start-up, play
// without sounds or pictures, the About window's help files, full screen and
// window, command keys whatever control holds the focus, turns beyond New
// (codes, Restart, the daily figure, help and the history it writes), drawing
// on the sheets with the mouse and the keys and what they show (strokes, the
// band, undo, the styles after a Check, hints, the snap mark), the record
// window, the statistics and high-score windows, settings, where files live,
// the command line and the Russian catalogue.

#include "ui/dialogs/aboutdialog.h"
#include "ui/dialogs/manualwindow.h"
#include "ui/app/settings.h"
#include "ui/app/translations.h"
#include "ui/app/cueplayer.h"
#include "guitest.h"
#include "ui/dialogs/highscoresdialog.h"
#include "ui/dialogs/progresswindows.h"
#include "ui/window/controlpanel.h"
#include "ui/app/classfiles.h"
#include "ui/window/assignmentflow.h"
#include "ui/window/guide.h"
#include "core/classroom/assignmentfigures.h"
#include "core/codes/puzzlecode.h"
#include "ui/dialogs/statisticsdialog.h"
#include "ui/dialogs/recordnamedialog.h"
#include "core/view3d/viewprojection.h"

#include <QLocale>
#include <QtCharts>

#include <ctime>

using namespace guitest;

// Takes the file URLs the About window opens, so no viewer starts.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

namespace {

// Entries past SegmentCount are left over from an earlier, longer figure and
// belong to neither.
bool SameFigure(const Figure &a, const Figure &b)
{
    const auto n = static_cast<std::ptrdiff_t>(std::clamp(a.SegmentCount, 0, Figure::EntryCount)) + 1;
    return a.SegmentCount == b.SegmentCount && std::equal(a.entry.begin(), a.entry.begin() + n, b.entry.begin());
}

QList<Stroke> strokesIn(const SheetInput &input)
{
    QList<Stroke> out;
    for (const Stroke &stroke : input.Strokes().Slots())
        if (!stroke.IsEmpty())
            out << stroke;
    return out;
}

// Half a cell along a line from its start: on the line, between lattice dots.
QPoint halfCellAlong(const MainWindow &w, const Stroke &line)
{
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    return pixelOf(w, line.StartCol + sign(line.EndCol - line.StartCol) / 2.0,
                   line.StartRow + sign(line.EndRow - line.StartRow) / 2.0);
}

// The regions Qt repaints on a widget. A fresh paint showing no band proves
// nothing for the screen unless the band's pixels are among them.
class Repaints : public QObject {
public:
    explicit Repaints(QWidget *w) { w->installEventFilter(this); }
    QRegion region;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent *>(e)->region();
        return false;
    }
};

// A figure whose walk shows a line on every sheet.
constexpr std::uint32_t SeedA = 20261206;

constexpr int Cell = 40;
QPoint at(LatticePoint p) { return {p.col * Cell, p.row * Cell}; }

// One sheet in a window, over a truth of the top row and the right column.
// check() draws right (1,1)-(3,1) and extra (1,3)-(3,3) and reveals the sheet.
struct Bench {
    SheetInput input;
    SegmentList truth{};
    SheetLattice lattice{Cell, Cell};
    QWidget window;
    QPushButton *next = new QPushButton(QStringLiteral("next"), &window);  // where Tab goes
    SheetWidget *sheet = new SheetWidget(Sheet::X, input, truth, lattice, &window);

    explicit Bench(bool inputOn = true)
    {
        truth[11] = Stroke(1, 1, 5, 1);
        truth[12] = Stroke(5, 1, 5, 5);
        window.resize(8 * Cell, 7 * Cell);
        sheet->setGeometry(0, 0, 6 * Cell, 6 * Cell);
        next->move(6 * Cell + 5, 5);
        input.SetInputEnabled(inputOn);
    }
    void check()
    {
        for (LatticePoint p : {LatticePoint{1, 1}, {3, 1}, {1, 3}, {3, 3}}) {
            input.PressAt(p);
            input.ReleaseAt(p);
        }
        input.Reveal();
        sheet->setMarks({Classify(truth, input.Strokes().Slots()), {}, {}});
    }
    // Pixels around a lattice point other than its own dot.
    int inkAround(LatticePoint p) const
    {
        const QImage img = sheet->grab().toImage();
        int ink = 0;
        for (int dx = -9; dx <= 9; ++dx)
            for (int dy = -9; dy <= 9; ++dy)
                ink += (std::abs(dx) > 2 || std::abs(dy) > 2) &&
                       img.pixelColor(at(p) + QPoint(dx, dy)) != sheetBackground();
        return ink;
    }
};

constexpr std::int64_t Day = 86400;

TurnRecord Turn(std::int64_t utc, int level, int seconds, int finalScore, bool good, const char *code)
{
    const auto sheets = good ? std::array{TurnTally{9, 1, 8}, TurnTally{6, 4, 2}, TurnTally{8, 2, 6}}
                             : std::array{TurnTally{3, 1, 2}, TurnTally{2, 6, -4}, TurnTally{4, 4, 0}};
    return {utc, code, level, seconds, sheets, {}, 0, 0, 0, finalScore};
}

// The values of a chart's line, scatter or bar series, by the names the tests know them by.
QList<qreal> YValues(QDialog &dialog, const char *view, const QString &name)
{
    QList<qreal> ys;
    for (QAbstractSeries *s : dialog.findChild<QChartView *>(view)->chart()->series()) {
        if (s->objectName() != name)
            continue;
        if (auto *line = qobject_cast<QXYSeries *>(s))
            for (const QPointF &p : line->points())
                ys << p.y();
        if (auto *bars = qobject_cast<QBarSeries *>(s))
            for (int i = 0; i < bars->barSets().first()->count(); ++i)
                ys << bars->barSets().first()->at(i);
    }
    return ys;
}

QString Text(QDialog &dialog, const char *label) { return dialog.findChild<QLabel *>(label)->text(); }


} // namespace

class TestGuiWindow : public QObject {
    Q_OBJECT

    // One window for most tests, each starting on a new turn (New keeps no
    // stroke); the others start their own.
    ProgramFolder m_folder;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_ran;  // the window's actions, as they run
    // A seeded turn history for the statistics and high-score windows.
    QTemporaryDir m_dir;
    History m_history;
    // A fixed Tuesday at midday: turns stay inside their UTC day, and the
    // windows count back from it, not from the clock.
    std::int64_t m_today = 20515 * Day + 12 * 3600;

    QAction *action(const char *name) { return m_window->findChild<QAction *>(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768));
        // A damaged results file is reported with its name and the damaged
        // line; what came before the damage still counts.
        QFile results(m_folder.file(QStringLiteral("Stat.txt")));
        QVERIFY(results.open(QIODevice::WriteOnly) && results.write("Ann,57,12,,\r\nBob,x1,3,,\r\nCy,99,9,,\r\n") > 0);
        results.close();
        m_window = std::make_unique<MainWindow>(m_folder.path());
        QCOMPARE(m_window->turn().readResults(), QStringLiteral("'0x1' is not a valid integer value\nin %1, line 2")
                                              .arg(QDir::toNativeSeparators(results.fileName())));
        QVERIFY(showReady(*m_window));
        QCOMPARE(control<QLabel>(m_window.get(), "bestLabel")->text(), "Best score 57");
        for (QAction *a : m_window->actions())
            connect(a, &QAction::triggered, this, [this, a] { m_ran << a->objectName(); });
        QVERIFY(m_history.Open(m_dir.filePath("history").toStdString()).ok);
        for (const TurnRecord &t : {Turn(m_today - 40 * Day, 2, 200, 5, false, "OLD"),
                                    Turn(m_today - Day, 2, 100, 30, true, "Y1"),
                                    Turn(m_today - Day, 3, 120, 10, false, "Y2"), Turn(m_today, 3, 60, 50, true, "T1"),
                                    Turn(m_today + 60, 3, 90, 20, false, "T2")})
            QVERIFY(m_history.Append(t).ok);
    }
    void init()
    {
        m_window->turn().game().SetRecordThreshold(1 << 30);  // the record test asks for its name window
        m_window->turn().newTurn();
        QVERIFY(QTest::qWaitFor([&] { return allSheetsTakeInput(*m_window); }, 2000));
    }

    // Sounds, pictures and help files may be missing: a turn plays as usual,
    // Help hands readme.txt to the system's viewer, the manual link closes
    // About and opens manual.html inside the game, a missing help file is
    // named in a message, and End or Esc still close the window.
    void missingFilesAreNoObstacle_data()
    {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<bool>("viaLink");  // the manual link, or Help
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("all files; Help; End closes") << QStringList{} << false << false;
        QTest::newRow("no sounds, no readme.txt; Help; Esc closes") << Sounds + QStringList{"readme.txt"} << false << true;
        QTest::newRow("no pictures; manual link; End closes") << QStringList{"panel.jpg", "emblem.png"} << true << false;
        QTest::newRow("no manual.html; manual link; Esc closes") << QStringList{"manual.html"} << true << true;
    }
    void missingFilesAreNoObstacle()
    {
        QFETCH(QStringList, missing);
        QFETCH(bool, viaLink);
        QStringList files = Sounds + Documents;
        files.removeIf([&](const QString &f) { return missing.contains(f); });
        ProgramFolder folder(files);
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        clickButton(&w, "newButton");
        click(w.sheetWidget(Sheet::X), pixelOf(w, 1, 1));  // the press and release cues
        w.turn().game().SetRecordThreshold(1 << 30);
        clickButton(&w, "checkButton");
        QVERIFY(w.game().Checked());
        QCOMPARE(control<QLabel>(&w, "picture")->pixmap().isNull(), missing.contains("panel.jpg"));
        for (const QString &f : missing)
            QVERIFY2(!Sounds.contains(f) || w.cues()->failedFiles().contains(f), qPrintable(f));

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        QString warning;
        bool aboutStaysModal = false;
        QString version;
        whenModal<AboutDialog>(&w, [&](AboutDialog *about) {
            version = control<QLabel>(about, "versionLabel")->text();
            whenModal<QMessageBox>(&w, [&](QMessageBox *box) {
                warning = box->text();
                box->accept();
            }, 1000);
            if (viaLink)
                QTest::mouseClick(control(about, "manualLink"), Qt::LeftButton, {}, QPoint(12, 11));
            else
                clickButton(about, "helpButton");
            // A manual behind a modal About could be neither read nor closed.
            aboutStaysModal = QApplication::activeModalWidget() == about;
            if (about->isVisible())
                clickButton(about, "okButton");
        });
        clickButton(&w, "aboutButton");
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        const QString file = viaLink ? "manual.html" : "readme.txt";
        const bool present = !missing.contains(file);
        const QUrl url = QUrl::fromLocalFile(folder.file(file));
        QVERIFY2(present ? warning.isEmpty() : warning.contains(file), qPrintable(warning));
        QCOMPARE(catcher.urls, present && !viaLink ? QList<QUrl>{url} : QList<QUrl>{});
        QCOMPARE(w.manualWindow()->isVisible() && w.manualWindow()->browser()->source() == url, present && viaLink);
        QCOMPARE(aboutStaysModal, !viaLink);
        QVERIFY2(version.contains(TRIVISTO_VERSION) && version.contains("GPL") && version.contains(qVersion()),
                 qPrintable(version));

        QFETCH(bool, byEsc);
        w.activateWindow();  // no window manager here hands the focus back after a dialog
        QVERIFY(QTest::qWaitForWindowActive(&w));
        byEsc ? QTest::keyClick(keyTarget(&w), Qt::Key_Escape) : clickButton(&w, "endButton");
        QTRY_VERIFY(!w.isVisible());
    }

    // F11 leaves full screen for a window laid out from its own client area,
    // and returns to the full-screen layout to the pixel.
    void fullScreenAndBack_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::addColumn<int>("view");
        QTest::newRow("smallest window") << QSize(640, 480) << 240;
        QTest::newRow("wide window") << QSize(1000, 560) << 280;
        QTest::newRow("tall window") << QSize(700, 740) << 350;
    }
    void fullScreenAndBack()
    {
        QFETCH(QSize, windowSize);
        QFETCH(int, view);
        MainWindow &w = *m_window;
        action("fullScreenAction")->trigger();
        QVERIFY(!w.isFullScreen());
        w.resize(windowSize);
        QTRY_COMPARE(w.size(), windowSize);
        QCOMPARE(w.view()->geometry(), QRect(0, windowSize.height() - view, view, view));
        QCOMPARE(control(&w, "controlPanel")->geometry().bottomRight(),
                 QPoint(windowSize.width() - 1, windowSize.height() - 1));

        action("fullScreenAction")->trigger();
        QTRY_COMPARE(w.geometry(), QRect(0, 0, 1024, 768));
        QCOMPARE(w.sheetWidget(Sheet::Y)->geometry(), QRect(351, 16, 319, 319));
        QVERIFY(w.settings().fullScreen);
    }

    // Command keys reach the window's actions from any control; the level
    // box keeps only the keys it edits with.
    void commandKeysFromEveryControl_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("action");  // empty: no action may run
        for (const char *focus : {"newButton", "levelBox", "menuButton", "sheetZ"}) {
            QTest::addRow("Ctrl+N on %s", focus) << focus << int(Qt::Key_N) << int(Qt::ControlModifier) << "newAction";
            QTest::addRow("F5 on %s", focus) << focus << int(Qt::Key_F5) << 0 << "restartAction";
            QTest::addRow("W on %s", focus) << focus << int(Qt::Key_W) << 0 << "thinnerAction";
            QTest::addRow("Shift+W on %s", focus) << focus << int(Qt::Key_W) << int(Qt::ShiftModifier) << "thickerAction";
            QTest::addRow("Ctrl+Z on %s", focus) << focus << int(Qt::Key_Z) << int(Qt::ControlModifier) << "undoAction";
        }
        QTest::newRow("2 on the New button repaints") << "newButton" << int(Qt::Key_2) << 0 << "redrawAction";
        QTest::newRow("2 in the level box is a digit") << "levelBox" << int(Qt::Key_2) << 0 << "";
    }
    void commandKeysFromEveryControl()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, action);
        MainWindow &w = *m_window;
        auto *target = w.findChild<QWidget *>(focus);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        // The undo action only acts when there is something to undo.
        w.turn().undoStack()->push(new QUndoCommand(QStringLiteral("a stroke")));
        m_ran.clear();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_ran, action.isEmpty() ? QStringList() : QStringList{action});
        if (focus == QLatin1String("levelBox") && action.isEmpty())
            QVERIFY(w.findChild<QSpinBox *>(focus)->text().contains(QLatin1Char('2')));
    }

    // The level box shows a code's level for its turn and the player's
    // chosen level again at New; neither the code's level nor the box's
    // display reaches the saved settings. Today's figure during a sitting asks
    // before it ends the sitting. (The rules behind both: tst_turn.)
    void levelBoxAndLeavingASitting()
    {
        MainWindow &w = *m_window;
        auto *box = w.findChild<QSpinBox *>(QStringLiteral("levelBox"));
        box->setValue(2);
        const PuzzleCode code{23, 0x5eed1234u, false};
        QVERIFY(w.openPuzzleCode(QString::fromStdString(EncodePuzzleCode(code))));
        QVERIFY(SameFigure(w.game().CurrentFigure(), FigureFromCode(code)));
        QVERIFY(box->value() == 23 && w.settings().level == 2);
        action("newAction")->trigger();
        QVERIFY(box->value() == 2 && w.game().FigureLevel() == 2);

        w.turn().startAssessment();
        for (const bool leave : {false, true}) {
            QString asked;
            whenModal<QMessageBox>(&w, [&](QMessageBox *b) {
                asked = b->text();
                b->button(leave ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            action("dailyAction")->trigger();
            QCOMPARE(asked, QStringLiteral("Leave the assessment? It will not be counted."));
            QCOMPARE(w.turn().inAssessment(), !leave);
        }
        QVERIFY(w.turn().session().TurnOrigin() == TurnSession::Origin::Daily && w.settings().level == 2);
    }

    // A student's assignment: a sitting left first, the name asked, the place in the status line,
    // the result file in Documents/Trivisto after each Check, and a second
    // window (as a second copy) refused the same assignment. The rules behind
    // it: tst_assignment.
    void assignmentWritesItsResultFile()
    {
        MainWindow &w = *m_window;
        const Assignment a =
            MakeAssignment("Week 3", Exercise::Views, {{1, 11}, {2, 22}}, true, true, std::nullopt).assignment;
        const QString file = m_folder.file(QStringLiteral("w3.trivisto-assignment"));
        QVERIFY(WriteFileDurably(file, WriteAssignment(a)).isEmpty());
        w.assignments()->setNameAsker([](const QString &) { return QStringLiteral(" A. Student "); });
        w.turn().startAssessment();  // asked to leave first
        QString asked;
        whenModal<QMessageBox>(&w, [&](QMessageBox *box) {
            asked = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        QVERIFY(w.assignments()->openFile(file));
        QVERIFY(asked.startsWith("Leave the assessment?") && !w.turn().inAssessment());
        QTRY_COMPARE(control<QLabel>(&w, "codeLabel")->text(), QStringLiteral("Week 3: figure 1 of 2"));
        for (Sheet s : AllSheets)
            drawTruth(w, s);
        action("checkAction")->trigger();
        const QString path = QDir::home().filePath(QStringLiteral("Documents/Trivisto/Week 3 - A. Student.trivisto-result"));
        QCOMPARE(w.assignments()->resultPath(), path);
        auto written = [&] { return ReadAssignmentResult(ReadClassFile(path).bytes); };
        QCOMPARE(written().status, ResultStatus::Ok);
        QVERIFY(written().result.figures[0].Checked() && !written().result.figures[1].Checked());
        action("newAction")->trigger();
        QTRY_COMPARE(control<QLabel>(&w, "codeLabel")->text(), QStringLiteral("Week 3: figure 2 of 2"));
        QVERIFY(QTest::qWaitFor([&] { return allSheetsTakeInput(w); }, 2000));
        for (Sheet s : AllSheets)
            drawTruth(w, s);
        action("checkAction")->trigger();
        // Both figures at their most, under a checksum that holds.
        const ResultRead read = written();
        QCOMPARE(read.status, ResultStatus::Ok);
        QVERIFY(read.result.Complete());
        for (std::size_t f = 0; f < 2; ++f)
            QVERIFY(*read.result.figures[f].right == read.result.figures[f].max && *read.result.figures[f].wrong == 0);

        MainWindow second(m_folder.path());
        second.assignments()->setNameAsker([](const QString &) { return QStringLiteral("B"); });
        QString refused;
        whenModal<QMessageBox>(&second, [&](QMessageBox *box) {
            refused = box->text();
            box->accept();
        });
        QVERIFY(!second.assignments()->openFile(file));
        QCOMPARE(refused, QStringLiteral("The assignment Week 3 is open in another copy of Trivisto."));

        // Every figure has its result: New ends the assignment, the file stays.
        action("newAction")->trigger();
        QVERIFY(!w.assignments()->inAssignment() && !w.turn().session().InAssignment());
        QCOMPARE(written().result, read.result);
    }

    // A message raised by a Check (here: the sitting complete) shows over
    // sheets that already show the truth, the status line already the score.
    void checkMessagesComeAfterTheTruth()
    {
        MainWindow &w = *m_window;
        w.turn().startAssessment();
        for (std::size_t figure = 1; figure < AssessmentSize; ++figure)
            w.turn().newTurn();
        bool revealed = false;
        QString result;
        whenModal<QMessageBox>(&w, [&](QMessageBox *box) {
            revealed = std::ranges::all_of(AllSheets, [&](Sheet s) { return w.sheetWidget(s)->marks().revealed.has_value(); });
            result = control<QLabel>(&w, "resultLabel")->text();
            box->accept();
        });
        action("checkAction")->trigger();
        QVERIFY(revealed);
        QVERIFY2(result.startsWith("Right "), qPrintable(result));
        QVERIFY(!w.turn().inAssessment());
    }

    // The Open Puzzle Code window keeps what was typed while it says what is
    // wrong with it, and opens the figure once the code reads. Ctrl+C copies
    // the code and says so in the code line, which shows the code again after
    // a few seconds.
    void puzzleCodeInAndOut()
    {
        MainWindow &w = *m_window;
        const PuzzleCode code{23, 0x5eed1234u, false};
        const QString text = QString::fromStdString(EncodePuzzleCode(code));
        QString kept, problem;
        whenModal<QDialog>(&w, [&](QDialog *d) {
            auto *edit = d->findChild<QLineEdit *>();
            QTest::keyClicks(edit, QStringLiteral("ABC"));
            QTest::keyClick(edit, Qt::Key_Return);
            kept = d->isVisible() ? edit->text() : QString();
            problem = control<QLabel>(d, "problemLabel")->text();
            edit->setText(text);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        action("openCodeAction")->trigger();
        QCOMPARE(kept, QStringLiteral("ABC"));
        QVERIFY2(problem.contains(QStringLiteral(" 3 of its 9 ")), qPrintable(problem));
        QCOMPARE(w.turn().currentCode(), code);

        action("copyCodeAction")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        const QLabel *line = control<QLabel>(&w, "codeLabel");
        QCOMPARE(line->text(), QStringLiteral("Puzzle code %1 copied").arg(text));
        QTRY_COMPARE_WITH_TIMEOUT(line->text(), QStringLiteral("Puzzle %1").arg(text), ControlPanel::NoticeMs + 2000);
    }

    // Closing a dialog over the window activates it; the click that closed it
    // must not draw, so the sheets ignore the mouse for half a second.
    void clicksRightAfterActivationAreIgnored_data()
    {
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<bool>("taken");
        QTest::newRow("click at once") << 0 << false;
        QTest::newRow("click after 200 ms") << 200 << false;
        QTest::newRow("click after 700 ms") << 700 << true;
    }
    void clicksRightAfterActivationAreIgnored()
    {
        QFETCH(int, waitMs);
        QFETCH(bool, taken);
        MainWindow &w = *m_window;
        w.activate();
        QTest::qWait(waitMs);
        const QPoint a = pixelOf(w, 1, 1);
        const QPoint b = pixelOf(w, 3.5, 2.5);
        for (Sheet s : AllSheets) {
            SheetWidget *sheet = w.sheetWidget(s);
            click(sheet, a);
            moveAlong(sheet, a, b);
            QCOMPARE(sheet->rubberBandShown(), taken);
            click(sheet, b);
            QCOMPARE(strokesIn(w.game().Input(s)).size(), taken ? 1 : 0);
        }
    }

    // The band follows the pointer: its old place is wiped on the screen, and
    // only the band's box is repainted as it moves. The second click leaves a
    // stroke in its place; the same stroke drawn again the other way erases
    // it, and undo and redo replay that exactly.
    void rubberBandFollowsThePointerAndGoes()
    {
        MainWindow &w = *m_window;
        SheetWidget *widget = w.sheetWidget(Sheet::Z);
        Repaints repaints(widget);  // (grab() paints too: read pixels only after)
        const QPoint a = pixelOf(w, 1, 1);
        const QPoint far = pixelOf(w, 3.8, 4.3);
        const QPoint end = pixelOf(w, 1.9, 1.4);  // snaps to (2, 1)
        click(widget, a);
        moveAlong(widget, a, far);
        QTRY_VERIFY(repaints.region.contains((a + far) / 2));
        QVERIFY(widget->rubberBandShown());
        QVERIFY(shown(widget, (a + far) / 2) != sheetBackground());

        const QPoint oldBand = a + (far - a) * 3 / 4;  // where the new band's box does not reach
        QVERIFY(shown(widget, oldBand) != sheetBackground());
        repaints.region = {};
        moveAlong(widget, far, end);
        QTRY_VERIFY(repaints.region.contains(oldBand));
        QVERIFY(!repaints.region.contains(pixelOf(w, 5.3, 1.2)));  // outside both boxes
        QCOMPARE(shown(widget, oldBand), sheetBackground());

        // The finished stroke takes the band's place.
        repaints.region = {};
        click(widget, end);
        QTRY_VERIFY(repaints.region.contains((a + end) / 2));
        QVERIFY(!widget->rubberBandShown());
        QCOMPARE(strokesIn(w.game().Input(Sheet::Z)), QList<Stroke>{Stroke(1, 1, 2, 1)});
        QCOMPARE(shown(widget, (a + end) / 2), sheetBackground());
        const QPoint onLine = halfCellAlong(w, Stroke(1, 1, 2, 1));
        QCOMPARE(shown(widget, onLine), strokeColour());
        drawStroke(widget, end, a);
        const SheetStrokes erased = w.game().Input(Sheet::Z).Strokes();
        QVERIFY(strokesIn(w.game().Input(Sheet::Z)).empty());
        QCOMPARE(shown(widget, onLine), sheetBackground());
        action("undoAction")->trigger();
        QCOMPARE(strokesIn(w.game().Input(Sheet::Z)), QList<Stroke>{Stroke(1, 1, 2, 1)});
        QCOMPARE(shown(widget, onLine), strokeColour());
        action("redoAction")->trigger();
        QCOMPARE(w.game().Input(Sheet::Z).Strokes(), erased);
    }

    // After Check the result shows, the truth shows red under undrawn sheets
    // (green strokes over drawn ones), and the revealed sheets ignore the
    // mouse and undo.
    void checkRevealsScoresAndLocks()
    {
        MainWindow &w = *m_window;
        w.turn().game().Seed(SeedA);
        w.turn().newTurn();
        drawTruth(w, Sheet::X);
        clickButton(&w, "checkButton");

        QVERIFY(!action("undoAction")->isEnabled());
        const Game &g = w.game();
        QVERIFY(g.RightCount() > 0 && g.WrongCount() > 0);
        QCOMPARE(control<QLabel>(&w, "resultLabel")->text(),
                 QStringLiteral("Right %1   Wrong %2   Score %3").arg(g.RightCount()).arg(g.WrongCount()).arg(g.Score()));
        for (Sheet s : AllSheets) {
            SheetWidget *widget = w.sheetWidget(s);
            const auto line =
                std::ranges::find_if(g.TrueSegments(s), [](auto &t) { return !t.IsEmpty() && t.Start() != t.End(); });
            QVERIFY2(line != g.TrueSegments(s).end(), "the seeded figure should show a line on every sheet");
            const QColor expected = s == Sheet::X ? strokeColour() : truthColour();
            QCOMPARE(shown(widget, halfCellAlong(w, *line)), expected);

            // Locked: a press neither begins a stroke nor plays a cue.
            QSignalSpy presses(widget, &SheetWidget::pressed);
            const qsizetype before = strokesIn(w.game().Input(s)).size();
            drawStroke(widget, pixelOf(w, 1, 1), pixelOf(w, 5, 1));
            QCOMPARE(presses.size(), 0);
            QVERIFY(!widget->rubberBandShown());
            QCOMPARE(strokesIn(w.game().Input(s)).size(), before);
        }
    }

    // A sheet drawn mirrored is named so in its margin after Check, and its
    // description says so to a screen reader. Pointing at a missing piece
    // lights the figure in the 3D view until the pointer leaves the sheet.
    void checkedSheetNamesAndLinks()
    {
        MainWindow &w = *m_window;
        w.turn().game().Seed(SeedA);
        w.turn().newTurn();
        for (const Stroke &t : w.game().TrueSegments(Sheet::X))
            if (!t.IsEmpty() && t.Start() != t.End())
                drawStroke(w.sheetWidget(Sheet::X), pixelOf(w, 6 - t.StartCol, t.StartRow), pixelOf(w, 6 - t.EndCol, t.EndRow));
        action("checkAction")->trigger();
        QCOMPARE(w.sheetWidget(Sheet::X)->marks().mistake, QStringLiteral("Mirrored left to right"));
        QVERIFY(w.sheetWidget(Sheet::X)->accessibleDescription().startsWith(QStringLiteral("Mirrored left to right.")) ||
                w.sheetWidget(Sheet::X)->accessibleDescription().contains(QStringLiteral(" Mirrored left to right.")));
        QVERIFY(w.sheetWidget(Sheet::Y)->marks().mistake.isEmpty());

        SheetWidget *y = w.sheetWidget(Sheet::Y);
        const auto line = std::ranges::find_if(w.game().TrueSegments(Sheet::Y),
                                               [](auto &t) { return !t.IsEmpty() && t.Start() != t.End(); });
        QVERIFY(line != w.game().TrueSegments(Sheet::Y).end());
        const QPoint middle = (pixelOf(w, line->StartCol, line->StartRow) + pixelOf(w, line->EndCol, line->EndRow)) / 2;
        moveAlong(y, middle + QPoint(40, 40), middle);
        QVERIFY(!w.view()->highlight().empty());
        mouse(QTest::MouseMove, w.view(), QPoint(20, 20));
        QTRY_VERIFY(w.view()->highlight().empty());
    }

    // A record is saved only through "OK"; closing the name window stores
    // nothing. The name confirmed last is offered the next time. High scores,
    // open beside play, shows each record as it is saved.
    void recordThroughTheNameWindow()
    {
        MainWindow &w = *m_window;
        const ProgramFolder &folder = m_folder;
        QFile::remove(folder.file(QStringLiteral("Stat.txt")));
        w.turn().game().SetRecordThreshold(0);  // as with no results file
        w.turn().game().Seed(SeedA + 1);  // a figure no other test has seen: only a first play sets records
        w.turn().newTurn();
        for (Sheet s : AllSheets)
            drawTruth(w, s);
        action("highScoresAction")->trigger();
        const auto *table = w.progressWindows()->highScores()->findChild<QTableWidget *>("resultsTable");
        QCOMPARE(table->rowCount(), 0);
        // Checks, answering the name window if one comes: types Zoe, then OK or
        // close. Returns the name the window offered.
        auto checkAndAnswer = [&](bool pressOk) {
            QObject watch;  // ends the watch with the Check
            QString offered = QStringLiteral("<no name window>");
            whenModal<RecordNameDialog>(&watch, [&](RecordNameDialog *d) {
                offered = control<QLineEdit>(d, "nameEdit")->text();
                QTest::keyClicks(control(d, "nameEdit"), QStringLiteral("Zoe"));
                pressOk ? clickButton(d, "okButton") : void(d->close());
            }, 300);
            w.turn().check();
            return offered;
        };
        QCOMPARE(checkAndAnswer(false), QString());
        QCOMPARE(folder.read(QStringLiteral("Stat.txt")), QByteArray());
        QCOMPARE(checkAndAnswer(true), QString());  // still a record: nothing was saved
        const int score = w.game().Score();
        QVERIFY(score > 0);
        const QString seconds = control<QLabel>(&w, "timeLabel")->text().section(QLatin1Char(' '), 2, 2);
        QCOMPARE(QString::fromLatin1(folder.read(QStringLiteral("Stat.txt"))),
                 QStringLiteral("Zoe,%1,%2,,\r\n").arg(score).arg(seconds));
        QCOMPARE(control<QLabel>(&w, "bestLabel")->text(), QStringLiteral("Best score %1").arg(score));
        QVERIFY(table->rowCount() == 1 && table->item(0, 1)->text() == "Zoe");
        QCOMPARE(checkAndAnswer(true), QStringLiteral("<no name window>"));  // the saved score is no record any more
        w.turn().game().SetRecordThreshold(0);
        QCOMPARE(checkAndAnswer(true), QStringLiteral("Zoe"));
        QCOMPARE(folder.read(QStringLiteral("Stat.txt")).count("\r\n"), 2);
        QCOMPARE(table->rowCount(), 2);
        w.progressWindows()->highScores()->close();
    }

    // Each piece after a Check, and a hint, has a style of its own a player
    // can tell apart, in both looks and both palettes: right in the stroke
    // colour with a darker edge, extra dashed, missing in the truth colour
    // with light rings, a hint a band of amber with a core that stands out.
    void eachKindHasItsStyle_data()
    {
        QTest::addColumn<Scheme>("scheme");
        QTest::addColumn<bool>("safe");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Stroke>("line");
        for (Scheme scheme : {Scheme::Light, Scheme::Dark})
            for (bool safe : {false, true}) {
                const QByteArray look = QByteArray(scheme == Scheme::Dark ? " (dark" : " (light") +
                                        (safe ? ", safe palette)" : ")");
                QTest::addRow("right%s", look.constData()) << scheme << safe << "right" << Stroke(1, 1, 3, 1);
                QTest::addRow("extra%s", look.constData()) << scheme << safe << "extra" << Stroke(1, 3, 3, 3);
                QTest::addRow("missing%s", look.constData()) << scheme << safe << "missing" << Stroke(5, 1, 5, 5);
                QTest::addRow("hint%s", look.constData()) << scheme << safe << "hint" << Stroke(2, 4, 3, 4);
            }
    }
    void eachKindHasItsStyle()
    {
        QFETCH(Scheme, scheme);
        QFETCH(bool, safe);
        QFETCH(QString, kind);
        QFETCH(Stroke, line);
        Bench b;
        b.sheet->setScheme(scheme);
        b.sheet->setSafePalette(safe);
        kind == "hint" ? b.sheet->setMarks({{}, {line}, {}}) : b.check();
        const SheetColours &colours = ColoursOf(scheme).sheet;
        const QColor stroke = ToQColor(colours.Marks(safe).stroke);
        const QImage img = b.sheet->grab().toImage();
        const QPoint from = at(line.Start()), to = at(line.End());
        const QPoint side = from.y() == to.y() ? QPoint(0, 3) : QPoint(3, 0);
        QList<QColor> centre, beside;
        for (int i = 6; i <= 34; ++i) {  // clear of both ends
            centre << img.pixelColor(from + (to - from) * i / 40);
            beside << img.pixelColor(from + (to - from) * i / 40 + side);
        }
        const auto all = [](const QList<QColor> &l, auto f) { return std::all_of(l.begin(), l.end(), f); };
        const int wash = beside.first().lightness();
        const QHash<QString, bool> looks{
            {"right", centre.count(stroke) == centre.size() &&
                          all(beside, [&](QColor c) { return c.lightness() < stroke.lightness(); })},
            {"extra", centre.contains(stroke) && centre.contains(ToQColor(colours.background))},
            {"missing", centre.contains(ToQColor(colours.Marks(safe).truth)) &&
                            centre.contains(ToQColor(colours.ringFill))},
            {"hint", all(beside, [](QColor c) { return c.red() - c.blue() > 60 && c.green() > c.blue(); }) &&
                         !all(centre, [&](QColor c) { return std::abs(c.lightness() - wash) < 40; })}};
        QVERIFY(looks[kind]);
    }

    // Arrows move the cursor (stopping at the edge), Space begins and ends a
    // stroke; a held Space or the input guard draws nothing; Tab leaves the
    // sheet. The snap mark sits on the lattice point nearest the pointer while
    // the sheet takes input, and nowhere during the input guard or off the sheet.
    void keysAndSnapMark_data()
    {
        QTest::addColumn<bool>("inputOn");
        QTest::addColumn<QString>("keys");  // arrows as LRUD, ' ' Space, 'r' an auto-repeated Space
        QTest::addColumn<QList<Stroke>>("strokes");
        QTest::newRow("arrows and Space twice") << true << "DR RR " << QList<Stroke>{Stroke(2, 2, 4, 2)};
        QTest::newRow("the cursor stops at the edge") << true << "DDLL D " << QList<Stroke>{Stroke(1, 3, 1, 4)};
        QTest::newRow("held Space ends nothing") << true << " Rr" << QList<Stroke>{};
        QTest::newRow("Space during the input guard") << false << " R " << QList<Stroke>{};
    }
    void keysAndSnapMark()
    {
        QFETCH(bool, inputOn);
        QFETCH(QString, keys);
        QFETCH(QList<Stroke>, strokes);
        Bench b(inputOn);
        b.window.show();
        b.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&b.window));
        for (LatticePoint p : {LatticePoint{2, 2}, {4, 3}}) {
            mouse(QTest::MouseMove, b.sheet, at(p) + QPoint(7, p.col == 2 ? -6 : 9));
            QTRY_COMPARE(b.inkAround(p) > 0, inputOn);
        }
        QCOMPARE(b.inkAround({2, 2}), 0);
        mouse(QTest::MouseMove, &b.window, QPoint(7 * Cell, 6 * Cell));
        QTRY_COMPARE(b.inkAround({4, 3}), 0);
        b.sheet->setFocus(Qt::TabFocusReason);
        QSignalSpy finished(b.sheet, &SheetWidget::strokeFinished);
        const QHash<QChar, Qt::Key> key{
            {'L', Qt::Key_Left}, {'R', Qt::Key_Right}, {'U', Qt::Key_Up}, {'D', Qt::Key_Down}};
        for (QChar k : keys) {
            QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "), k == 'r');
            key.contains(k) ? QTest::keyClick(b.sheet, key[k]) : void(QApplication::sendEvent(b.sheet, &space));
        }
        QCOMPARE(strokesIn(b.input), strokes);
        QCOMPARE(finished.size(), strokes.size());
        QTest::keyClick(b.sheet, Qt::Key_Tab);
        QVERIFY(b.next->hasFocus());
    }

    // Each turn's keyboard drawing starts on a sheet's top-left dot, wherever
    // the cursor was left on the figure before.
    void keyboardCursorStartsEachTurnInTheCorner()
    {
        MainWindow &w = *m_window;
        SheetWidget *sheet = w.sheetWidget(Sheet::Y);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        sheet->setFocus(Qt::TabFocusReason);
        for (Qt::Key k : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right})
            QTest::keyClick(sheet, k);
        action("newAction")->trigger();
        QVERIFY(QTest::qWaitFor([&] { return allSheetsTakeInput(w); }, 2000));
        for (Qt::Key k : {Qt::Key_Space, Qt::Key_Right, Qt::Key_Space})
            QTest::keyClick(sheet, k);
        QCOMPARE(strokesIn(w.game().Input(Sheet::Y)), QList<Stroke>{Stroke(1, 1, 2, 1)});
    }

    // Every chart and the summary show what a player counts by hand in the
    // history; the level and period filters narrow them and keep their choice;
    // a turn added while the window is open shows on refresh, and rated turns
    // on the Coach tab: a rating line per exercise, each band's mean against
    // the diagonal, the tries before help averaged; the exercise filter
    // narrows them to the turns of one exercise.
    void statisticsShowTheHistory()
    {
        StatisticsDialog dialog;
        dialog.setNow(m_today);
        dialog.setHistory(&m_history);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(Text(dialog, "summaryLabel").contains("5 turns") &&
                     Text(dialog, "summaryLabel").contains("Daily streak: 2 days"),
                 qPrintable(Text(dialog, "summaryLabel")));
        QCOMPARE(YValues(dialog, "scoreChart", "dailyScore"), (QList<qreal>{5, 20, 35}));
        QCOMPARE(YValues(dialog, "scoreChart", "dailyAccuracy"), (QList<qreal>{45, 64, 64}));  // 9/20, 32/50, 32/50
        QVERIFY(dialog.findChild<QChartView *>("accuracyChart")->chart()->title().contains("hardest: Y"));
        const QList<qreal> perDay = YValues(dialog, "turnsChart", "turnsPerDay");  // days without turns count as 0
        QVERIFY(perDay.size() == 41 && perDay[0] == 1 && perDay[20] == 0 && perDay[39] == 2 && perDay[40] == 2);
        auto *levels = dialog.findChild<QComboBox *>("levelFilter");
        auto *periods = dialog.findChild<QComboBox *>("periodFilter");
        for (auto [box, text] : {std::pair{levels, "Level 2"}, std::pair{periods, "Last 7 days"}}) {
            box->setCurrentIndex(box->findText(text));
            Q_EMIT box->activated(box->currentIndex());
        }
        QCOMPARE(levels->currentText(), QString("Level 2"));
        QVERIFY2(Text(dialog, "summaryLabel").contains("1 turn"), qPrintable(Text(dialog, "summaryLabel")));
        QCOMPARE(YValues(dialog, "scoreChart", "dailyScore"), QList<qreal>{30});  // yesterday's level 2 turn
        // Rated first plays with help, one in each exercise, for the coach's tab.
        TurnRecord viewed = Turn(m_today + 120, 2, 30, 25, true, "T3");
        TurnRecord built = Turn(m_today + 180, 2, 70, 40, true, "B1");
        built.exercise = Exercise::Build;
        std::tie(viewed.predicted, viewed.accuracy, viewed.rating, viewed.helpSeconds, viewed.helpStrokes) =
            std::tuple(0.375, 0.5, 0.25, 12, 5);
        std::tie(built.predicted, built.accuracy, built.rating, built.helpSeconds, built.helpStrokes) =
            std::tuple(0.625, 0.75, 1.5, 21, 8);
        QVERIFY(m_history.Append(viewed).ok && m_history.Append(built).ok);
        dialog.refresh();
        QVERIFY(Text(dialog, "summaryLabel").contains("3 turns"));
        QCOMPARE(YValues(dialog, "ratingChart", "rating-views") + YValues(dialog, "ratingChart", "rating-build"),
                 (QList<qreal>{0.25, 1.5}));
        QCOMPARE(YValues(dialog, "calibrationChart", "honestPrediction"), (QList<qreal>{0, 100}));
        QCOMPARE(YValues(dialog, "calibrationChart", "calibration"), (QList<qreal>{50, 75}));
        QCOMPARE(Text(dialog, "helpTriesLabel"),
                 QString("Before the first hint or peek: %1 s and %2 strokes on average (2 turns)")
                     .arg(QLocale().toString(16.5, 'f', 1), QLocale().toString(6.5, 'f', 1)));
        QCOMPARE(levels->count(), 3);  // all, 2 and 3: level 2 once, though played in both exercises
        auto *exercises = dialog.findChild<QComboBox *>("exerciseFilter");
        QCOMPARE(exercises->currentText(), QString("Both exercises"));
        exercises->setCurrentIndex(exercises->findText("Build the figure"));
        Q_EMIT exercises->activated(exercises->currentIndex());
        QVERIFY2(Text(dialog, "summaryLabel").contains("1 turn"), qPrintable(Text(dialog, "summaryLabel")));
        QCOMPARE(YValues(dialog, "scoreChart", "dailyScore"), QList<qreal>{40});
        QVERIFY(YValues(dialog, "ratingChart", "rating-views").isEmpty());
        QCOMPARE(YValues(dialog, "calibrationChart", "calibration"), QList<qreal>{75});
        QVERIFY2(Text(dialog, "helpTriesLabel").endsWith("(1 turn)"), qPrintable(Text(dialog, "helpTriesLabel")));
    }

    // The results file's lines in file order, names decoded without loss where
    // possible, a line that cannot be read marked as such, the record marked
    // among the lines before it; the history's best turn of each level in
    // each exercise (the statistics test added a built one). The statistics
    // export writes a file; a failed one, and windows without a history, say
    // why. (What the file holds is tried on the history.)
    void highScoresExportAndMissingHistory()
    {
        QFile file(m_dir.filePath("Stat.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Ann,57,40,,\r\nJ\xC3\xB6rg,103,80,,\r\nbad\xFF\xFEname,12,9,,\r\nTie,103,70,,\r\nBob,x1,3,,\r\n"
                   "Cy,999,9,,\r\n");
        file.close();
        QWidget window;
        ProgressWindows progress(&window, file.fileName(), [&] { return &m_history; });
        progress.showHighScores();
        HighScoresDialog &dialog = *progress.highScores();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *results = dialog.findChild<QTableWidget *>("resultsTable");
        QCOMPARE(results->rowCount(), 6);
        QCOMPARE(results->item(2, 1)->text(), QString("bad\uFFFD\uFFFDname"));
        QVERIFY(results->item(4, 1)->text().contains(" 5 ") && results->item(4, 1)->font().italic());
        QCOMPARE(results->item(5, 1)->text(), QString("Cy"));
        for (int row = 0; row < 6; ++row)  // the first line holding the top score before line 5
            QCOMPARE(results->item(row, 1)->font().bold(), row == 1);
        QCOMPARE(Text(dialog, "recordLabel"), QString::fromUtf8("Record to beat: 103 by J\xC3\xB6rg"));
        auto *best = dialog.findChild<QTableWidget *>("bestTurnsTable");
        QCOMPARE(best->rowCount(), 3);
        QCOMPARE(best->item(0, 4)->text(), QString("Y1"));
        QVERIFY(best->item(1, 1)->text() == "Build the figure" && best->item(1, 4)->text() == "B1");
        QVERIFY(best->item(2, 1)->text() == "Draw the views" && best->item(2, 0)->text() == "3");
        QCOMPARE(best->item(2, 3)->text(), QString::fromStdString(UtcDate(m_today)));

        StatisticsDialog statistics;
        History closed;
        dialog.setHistory(&closed);
        statistics.setHistory(&closed);
        QVERIFY(Text(dialog, "statusLabel").contains("unavailable") && best->rowCount() == 0);
        QVERIFY(Text(statistics, "statusLabel").contains("unavailable"));
        QVERIFY(Text(statistics, "summaryLabel").contains("0 turns"));
        QCOMPARE(Text(statistics, "helpTriesLabel"), QString("No hints or peeks in this period"));
        QCOMPARE(statistics.findChild<QChartView *>("assessmentChart")->chart()->title(),
                 QString("Assessment sittings: no sitting yet"));
        QVERIFY(!statistics.exportCsv(m_dir.filePath("none.csv")).ok);
    }

    // The build exercise end to end: the view takes the keys, the arrow keys
    // and Space build the generated walk, and Check scores the maximum and
    // says the figure fits; a segment added by two clicks in the view that
    // leaves the views costs points. The history keeps both as build turns.
    void buildTheFigure_data()
    {
        QTest::addColumn<bool>("extraByClicks");
        QTest::newRow("the walk from the keys") << false;
        QTest::newRow("and one extra segment by clicks") << true;
    }
    void buildTheFigure()
    {
        QFETCH(bool, extraByClicks);
        MainWindow &w = *m_window;
        action("exerciseBuildAction")->trigger();
        w.turn().openCode({2, 0x600du, false});
        FigureView *view = w.view();
        QCOMPARE(w.focusWidget(), static_cast<QWidget *>(view));
        QVERIFY(QTest::qWaitFor([&] { return w.game().Builder().AcceptsInput(); }, 2000));
        const Figure &f = w.game().CurrentFigure();
        auto keyTo = [&](LatticePoint3 to) {
            const std::array<std::pair<Qt::Key, Qt::Key>, 3> keys{
                {{Qt::Key_Right, Qt::Key_Left}, {Qt::Key_Up, Qt::Key_Down}, {Qt::Key_PageUp, Qt::Key_PageDown}}};
            for (int axis = 0; axis < 3; ++axis)
                for (int guard = 0; guard < 4 && w.game().Builder().Cursor()[axis] != to[axis]; ++guard)
                    QTest::keyClick(view, to[axis] > w.game().Builder().Cursor()[axis] ? keys[axis].first : keys[axis].second);
            QTest::keyClick(view, Qt::Key_Space);
        };
        for (int i = Figure::FirstShown + 1; i <= f.LastShown(); ++i) {
            keyTo(*LatticeOf(f.entry[static_cast<std::size_t>(i)].start));
            keyTo(*LatticeOf(f.entry[static_cast<std::size_t>(i)].end));
        }
        QVERIFY(control<QLabel>(&w, "timeLabel")->text().contains(QStringLiteral("   Cursor (")));
        std::size_t segments = w.game().Built().Segments().size();
        if (extraByClicks) {
            // A front edge the walk does not use: its ends are nearest the eye.
            const ViewProjection projection(view->camera(), view->camera().Zoom, static_cast<float>(view->width()),
                                            static_cast<float>(view->height()));
            const UnitSteps walk = WalkSteps(f);
            for (const BuiltSegment candidate : {BuiltSegment{{0, 4, 4}, {1, 4, 4}}, BuiltSegment{{0, 0, 4}, {0, 1, 4}},
                                                 BuiltSegment{{4, 4, 4}, {4, 3, 4}}}) {
                BuiltFigure one;
                one.Add(candidate);
                if ((one.Steps() & walk).any())
                    continue;
                for (LatticePoint3 p : {candidate.from, candidate.to}) {
                    const ScreenPoint at = projection.Project(p);
                    click(view, QPoint(qRound(at.x), qRound(at.y)));
                }
                break;
            }
            QCOMPARE(w.game().Built().Segments().size(), ++segments);
        }
        action("checkAction")->trigger();
        const Game::CheckOutcome &o = w.turn().lastCheck();
        QCOMPARE(o.fitsViews, !extraByClicks);
        QCOMPARE(o.counts.WrongCount > 0, extraByClicks);
        if (!extraByClicks)
            QCOMPARE(control<QLabel>(&w, "codeLabel")->text(), QStringLiteral("Your figure fits all three views"));
        std::vector<TurnRecord> turns;
        QVERIFY(w.turn().history() && w.turn().history()->Turns(turns).ok);
        QCOMPARE(turns.back().exercise, Exercise::Build);
        QCOMPARE(turns.back().total.wrong, o.counts.WrongCount);
        QVERIFY(action("otherFigureAction")->isEnabled());
        action("exerciseViewsAction")->trigger();
        QVERIFY(w.focusWidget() != view && w.game().TurnExercise() == Exercise::Views);
    }

    // The command line is read before any window: no display is needed, and
    // a bad argument of ours ends with status 2 and a message; Qt's own
    // options are left to Qt.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");  // expected in standard output or error
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: trivisto [options] [FILE]";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "trivisto 1.2.0";
        QTest::newRow("level too high") << QStringList{"--level", "85"} << 2 << "from 0 to 84";
        QTest::newRow("level not a number") << QStringList{"--level=x"} << 2 << "from 0 to 84";
        QTest::newRow("unknown option") << QStringList{"--colour"} << 2 << "colour";
        QTest::newRow("a second file") << QStringList{"a.trivisto-assignment", "Stat.txt"} << 2 << "Stat.txt";
        QTest::newRow("a file and a code") << QStringList{"a.trivisto-assignment", "--puzzle", "0026-V5ZD-2"} << 2
                                           << "exclude each other";
        QTest::newRow("a file and --continue") << QStringList{"a.trivisto-assignment", "--continue"} << 2
                                               << "exclude each other";
        QTest::newRow("a code and --continue") << QStringList{"--continue", "--puzzle", "0026-V5ZD-2"} << 2
                                               << "exclude each other";
        // The teacher's commands need no display; what they cannot write is status 1.
        const QStringList make{"--make-assignment", "/nonexistent/w.trivisto-assignment", "--title", "Week 3",
                               "--levels", "2-6", "--count", "3"};
        QTest::newRow("assignment without a title") << QStringList(make.mid(0, 2)) << 2 << "needs --title";
        QTest::newRow("assignment levels upside down") << QStringList(make.mid(0, 5) + QStringList{"6-2", "--count", "3"})
                                                       << 2 << "LOW-HIGH";
        QTest::newRow("assignment not written") << make << 1 << "could not be written";
        QTest::newRow("class report without --csv") << QStringList{"--class-report", "a", "b"} << 2 << "needs --csv";
        QTest::newRow("--csv alone") << QStringList{"--csv", "x.csv"} << 2 << "goes with --class-report";
        QTest::newRow("mistyped puzzle code") << QStringList{"--puzzle", "0026-V5ZD-3"} << 2 << "typing error";
        QTest::newRow("unknown exercise") << QStringList{"--exercise", "draw"} << 2 << "views or build";
        // Qt's own options are Qt's: a session manager restarts the game with -session.
        QTest::newRow("restart by the session manager")
            << QStringList{"-session", "10d2e3f4a5b6c7", "--version"} << 0 << "trivisto 1.2.0";
        QTest::newRow("Qt's options with values, in both forms")
            << QStringList{"-name", "tv", "--title", "Trivisto", "-platformpluginpath", "/nowhere",
                           "-qmljsdebugger=port:3768", "--help"} << 0 << "--puzzle <CODE>";
        QTest::newRow("Qt's switch before a bad level")
            << QStringList{"-widgetcount", "--level", "85"} << 2 << "from 0 to 84";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QProcess game;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        game.setProcessEnvironment(env);
        game.start(QCoreApplication::applicationDirPath() + QStringLiteral("/trivisto"), arguments);
        QVERIFY(game.waitForFinished(10000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QTEST(game.exitCode(), "status");
        const QString text = QString::fromLocal8Bit(game.readAllStandardOutput() + game.readAllStandardError());
        QFETCH(QString, output);
        QVERIFY2(text.contains(output), qPrintable(text));
    }

    // The guide opens from the menu or the manual's link, shows its steps
    // beside the window's parts, names the sheets and turns the view to sheet
    // X from step 2, lets play go on, and ends by Done, Skip or Esc with the
    // names as the settings have them, the view left alone and the window open.
    void guideStepsAndEnds_data()
    {
        QTest::addColumn<int>("endAt");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("viaManual");
        QTest::newRow("stepped through") << Guide::StepCount << "guideNext" << false;
        QTest::newRow("skipped at step 2") << 2 << "guideSkip" << true;
        QTest::newRow("Esc at step 3") << 3 << "Esc" << false;
    }
    void guideStepsAndEnds()
    {
        QFETCH(int, endAt);
        QFETCH(QString, how);
        QFETCH(bool, viaManual);
        Guide *guide = m_window->guide();
        const auto namesShown = [&] {
            return std::ranges::count_if(AllSheets, [&](Sheet s) { return m_window->sheetWidget(s)->nameShown(); });
        };
        QCOMPARE(namesShown(), 0);
        if (viaManual) {
            action("manualAction")->trigger();
            m_window->manualWindow()->browser()->setSource(QUrl(QStringLiteral("trivisto:guide")));
            QVERIFY(!m_window->manualWindow()->isVisible());
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        } else {
            action("guideAction")->trigger();
        }
        const std::array<QWidget *, 4> targets{m_window->view(), m_window->sheetWidget(Sheet::X),
                                               m_window->sheetWidget(Sheet::Y), m_window->controlPanel()->checkButton()};
        for (int step = 1;; ++step) {
            QCOMPARE(guide->step(), step);
            QVERIFY(guide->isVisible());
            QVERIFY(control<QLabel>(guide, "guideTitle")->text().startsWith(QStringLiteral("Step %1 of 4").arg(step)));
            const QWidget *t = targets[static_cast<std::size_t>(step - 1)];
            QVERIFY(!guide->geometry().intersects(QRect(t->mapTo(m_window.get(), QPoint()), t->size())));
            QCOMPARE(namesShown(), step >= 2 ? 3 : 0);
            if (step == 2)
                QCOMPARE(m_window->view()->camera().Mode, ViewMode::SheetX);
            if (step == endAt)
                break;
            clickButton(guide, "guideNext");
        }
        QCOMPARE(control<QPushButton>(guide, "guideNext")->text(), endAt == Guide::StepCount ? "Done" : "Next");
        // Play goes on under the guide.
        drawStroke(m_window->sheetWidget(Sheet::Z), pixelOf(*m_window, 1, 1), pixelOf(*m_window, 2, 1));
        QCOMPARE(strokesIn(m_window->game().Input(Sheet::Z)).size(), 1);
        if (how == "Esc")
            QTest::keyClick(keyTarget(m_window.get()), Qt::Key_Escape);
        else
            clickButton(guide, qPrintable(how));
        QCOMPARE(guide->step(), 0);
        QVERIFY(!guide->isVisible() && m_window->isVisible());
        QCOMPARE(namesShown(), 0);
        QCOMPARE(m_window->view()->camera().Mode, endAt >= 2 ? ViewMode::SheetX : ViewMode::Start);
    }

    // Settings come back as they were stored; anything garbled reads as the
    // default, and the window takes them on, the Russian catalogue included,
    // with the Russian manual and help text; the help text shows line by line.
    // (Last: the catalogue stays installed for the rest of the program.)
    void settingsRoundTripAndGarbage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trivisto.conf"));
        const GameSettings chosen{.level = 17, .lineWidth = 4, .sound = false, .fullScreen = false,
                                  .windowGeometry = QByteArray("\x01\x02geometry", 10), .language = "ru",
                                  .safePalette = true, .look = Look::Dark, .exercise = Exercise::Build,
                                  .nameSheets = true,
                                  .chooseFigures = true, .coachTarget = 62};
        {
            QSettings file(path, QSettings::IniFormat);
            QVERIFY(SettingsStore(file).save(chosen));
        }
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(SettingsStore(file).load(), chosen);

        QFile garbage(path);
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        const char bytes[] = "\xff\xfe\x00[game]\nlevel=85\nsound=maybe\nlanguage=tlh\n[view]\nlineWidth=-3\nlook=dusk\n"
                             "[coach]\ntarget=95\n[window\n";
        garbage.write(bytes, sizeof bytes - 1);
        garbage.close();
        QSettings garbled(path, QSettings::IniFormat);
        QCOMPARE(SettingsStore(garbled).load(), GameSettings());

        m_window->applySettings(chosen);
        QCOMPARE(m_window->findChild<QSpinBox *>(QStringLiteral("levelBox"))->value(), 17);
        QCOMPARE(m_window->view()->camera().LineWidth, 4);
        QVERIFY(!m_window->cues()->isEnabled());
        QVERIFY(m_window->sheetWidget(Sheet::Y)->nameShown());
        QVERIFY(m_window->sheetWidget(Sheet::Z)->scheme() == Scheme::Dark && m_window->view()->scheme() == Scheme::Dark);
        QVERIFY(m_window->turn().session().ChoosesFigures() && m_window->turn().session().Target() == 0.62);
        QCOMPARE(InstallTranslations(*QCoreApplication::instance(), chosen.language), QStringLiteral("ru"));
        QVERIFY(QCoreApplication::translate("ControlPanel", "New") != QLatin1String("New"));
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel"));
        action("manualAction")->trigger();
        QCOMPARE(m_window->manualWindow()->browser()->source(), QUrl::fromLocalFile(m_folder.file("manual.ru.html")));
        QVERIFY(m_window->manualWindow()->showDocument(m_window->aboutDialog()->helpPath()));
        QCOMPARE(m_window->manualWindow()->browser()->toPlainText().trimmed(),
                 QString::fromUtf8(m_folder.read("readme.ru.txt")).trimmed());
        m_window->manualWindow()->close();
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiWindow)
#include "tst_gui_window.moc"
