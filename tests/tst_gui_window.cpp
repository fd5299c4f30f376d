// The main window as a desktop program: the results read at start-up, play
// without sounds or pictures, the About window's help files, full screen and
// window, command keys whatever control holds the focus, settings, where files
// live, the command line, the Russian catalogue, and turns beyond New (codes,
// Restart, the daily figure, undo, help and the history it writes).

#include "about/aboutdialog.h"
#include "about/manualwindow.h"
#include "app/locations.h"
#include "app/settings.h"
#include "app/translations.h"
#include "game/cueplayer.h"
#include "guitest.h"
#include "progress/puzzlecode.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUndoStack>
#include <QUrl>

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

bool SameFigure(const Figure &a, const Figure &b) { return a.SegmentCount == b.SegmentCount && a.entry == b.entry; }

} // namespace

class TestGuiWindow : public QObject {
    Q_OBJECT

    // One window for most tests; the others start their own.
    ProgramFolder m_folder;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_ran;  // the window's actions, as they run

    QAction *action(const char *name) { return m_window->findChild<QAction *>(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768));
        // A damaged results file is reported; what came before the damage still counts.
        m_folder.write(QStringLiteral("Stat.txt"), "Ann,57,12,,\r\nBob,x1,3,,\r\nCy,99,9,,\r\n");
        m_window = std::make_unique<MainWindow>(m_folder.path());
        QCOMPARE(m_window->turn().readResults(), "'0x1' is not a valid integer value");
        QVERIFY(showReady(*m_window));
        QCOMPARE(control<QLabel>(m_window.get(), "bestLabel")->text(), "Best score 57");
        m_window->turn().game().SetRecordThreshold(1 << 30);  // no name window here
        for (QAction *a : m_window->actions())
            connect(a, &QAction::triggered, this, [this, a] { m_ran << a->objectName(); });
    }

    // Sounds, pictures and help files may be missing: a turn plays as usual,
    // Help hands readme.txt to the system's viewer, the manual link opens
    // manual.html inside the game, a missing help file is named in a message,
    // and End or Esc still close the window.
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
        drawTruth(w, Sheet::X);
        w.turn().game().SetRecordThreshold(1 << 30);
        clickButton(&w, "checkButton");
        QVERIFY(w.game().RightCount() > 0);
        QCOMPARE(control<QLabel>(&w, "picture")->pixmap().isNull(), missing.contains("panel.jpg"));
        for (const QString &f : missing)
            QVERIFY2(!Sounds.contains(f) || w.cues()->failedFiles().contains(f), qPrintable(f));

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        QString warning;
        whenModal<AboutDialog>(&w, [&](AboutDialog *about) {
            whenModal<QMessageBox>(&w, [&](QMessageBox *box) {
                warning = box->text();
                box->accept();
            }, 1000);
            if (viaLink)
                QTest::mouseClick(control(about, "manualLink"), Qt::LeftButton, {}, QPoint(12, 11));
            else
                clickButton(about, "helpButton");
            clickButton(about, "okButton");
        });
        clickButton(&w, "aboutButton");
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        const QString file = viaLink ? "manual.html" : "readme.txt";
        const bool present = !missing.contains(file);
        const QUrl url = QUrl::fromLocalFile(folder.file(file));
        QVERIFY2(present ? warning.isEmpty() : warning.contains(file), qPrintable(warning));
        QCOMPARE(catcher.urls, present && !viaLink ? QList<QUrl>{url} : QList<QUrl>{});
        QCOMPARE(w.manualWindow()->isVisible(), present && viaLink);
        QVERIFY(!w.manualWindow()->isVisible() || w.manualWindow()->browser()->source() == url);

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
        const QPoint corner(windowSize.width() - 1, windowSize.height() - 1);
        QCOMPARE(control(&w, "controlPanel")->geometry().bottomRight(), corner);

        action("fullScreenAction")->trigger();
        QTRY_COMPARE(w.geometry(), QRect(0, 0, 1024, 768));
        QCOMPARE(w.sheetWidget(Sheet::Y)->geometry(), QRect(351, 16, 319, 319));
        QCOMPARE(w.lattice().CellWidth, 53);
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
            QTest::addRow("H on %s", focus) << focus << int(Qt::Key_H) << 0 << "hintAction";
            QTest::addRow("Ctrl+Z on %s", focus) << focus << int(Qt::Key_Z) << int(Qt::ControlModifier) << "undoAction";
            QTest::addRow("Y on %s", focus) << focus << int(Qt::Key_Y) << 0 << "viewYAction";
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

    // Turns beyond New, one after the other. A code gives its figure and
    // level; Restart gives the same figure with empty sheets, and after a
    // Check it can no longer set a record; the daily figure is today's. Undo
    // and redo replay a stroke exactly, and Check empties the stack. Help
    // costs points from the turn's score; the history keeps both, once per
    // turn however often the turn is checked.
    void turnsBeyondNew()
    {
        MainWindow &w = *m_window;
        const PuzzleCode code{23, 0x5eed1234u, false};
        QVERIFY(w.openPuzzleCode(QString::fromStdString(EncodePuzzleCode(code))));
        QVERIFY(SameFigure(w.game().figure(), FigureFromCode(code)));
        QCOMPARE(w.findChild<QSpinBox *>(QStringLiteral("levelBox"))->value(), 23);
        QCOMPARE(w.turn().currentCode(), code);
        drawTruth(w, Sheet::X);
        action("checkAction")->trigger();
        QVERIFY(w.game().Checked());
        action("restartAction")->trigger();
        QVERIFY(SameFigure(w.game().figure(), FigureFromCode(code)));
        QVERIFY(!w.game().Checked());
        QCOMPARE(w.game().sheet(Sheet::X).Strokes().NextSlot(), 1);
        QVERIFY(w.game().TruthSeen());
        action("dailyAction")->trigger();
        const PuzzleCode daily = DailyPuzzle(TodayUtc());
        QCOMPARE(w.turn().currentCode(), daily);
        QVERIFY(SameFigure(w.game().figure(), FigureFromCode(daily)));
        QVERIFY(!w.game().TruthSeen());

        action("newAction")->trigger();
        QTest::qWait(TurnController::GuardMs + 50);
        SheetWidget *sheet = w.sheetWidget(Sheet::Z);
        drawStroke(sheet, pixelOf(w, 1, 1), pixelOf(w, 3, 1));
        drawStroke(sheet, pixelOf(w, 3, 1), pixelOf(w, 3, 4));
        const SheetStrokes two = w.game().sheet(Sheet::Z).Strokes();
        QCOMPARE(two.NextSlot(), 3);
        action("undoAction")->trigger();
        QCOMPARE(w.game().sheet(Sheet::Z).Strokes().NextSlot(), 2);
        action("redoAction")->trigger();
        QCOMPARE(w.game().sheet(Sheet::Z).Strokes(), two);
        action("checkAction")->trigger();
        QVERIFY(!action("undoAction")->isEnabled());

        History *history = w.turn().history();
        std::vector<TurnRecord> before, after;
        QVERIFY(history && history->Turns(before).ok);
        action("newAction")->trigger();
        action("hintAction")->trigger();
        action("hintAction")->trigger();
        QCOMPARE(w.game().Help().hints, 2);
        action("peekAction")->trigger();  // nothing drawn: nothing to mark, nothing paid
        QCOMPARE(w.game().Help().peeks, 0);
        action("checkAction")->trigger();
        action("checkAction")->trigger();
        QCOMPARE(w.turn().lastCheck().finalScore, w.game().Score() - 2 * HintCost);
        action("hintAction")->trigger();  // after Check: nothing
        QCOMPARE(w.game().Help().hints, 2);
        QVERIFY(history->Turns(after).ok);
        QCOMPARE(after.size(), before.size() + 1);
        QCOMPARE(after.back().hintsUsed, 2);
        QCOMPARE(after.back().finalScore, w.turn().lastCheck().finalScore);
        QCOMPARE(after.back().puzzleCode, EncodePuzzleCode(w.turn().currentCode()));
    }

    // Settings come back as they were stored; anything garbled reads as the
    // default, and the window takes them on.
    void settingsRoundTripAndGarbage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trivisto.conf"));
        const GameSettings chosen{.level = 17, .lineWidth = 4, .sound = false, .fullScreen = false,
                                  .windowGeometry = QByteArray("\x01\x02geometry", 10), .language = "ru",
                                  .safePalette = true};
        {
            QSettings file(path, QSettings::IniFormat);
            QVERIFY(SettingsStore(file).save(chosen));
        }
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(SettingsStore(file).load(), chosen);

        QFile garbage(path);
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("\xff\xfe\x00[game]\nlevel=85\nsound=maybe\nlanguage=tlh\n[view]\nlineWidth=-3\n[window\n", 70);
        garbage.close();
        QSettings garbled(path, QSettings::IniFormat);
        QCOMPARE(SettingsStore(garbled).load(), GameSettings());

        m_window->applySettings(chosen);
        QCOMPARE(m_window->findChild<QSpinBox *>(QStringLiteral("levelBox"))->value(), 17);
        QCOMPARE(m_window->view()->camera().LineWidth, 4);
        QVERIFY(!m_window->cues()->isEnabled());
    }

    // Results and history live beside a program run from the build tree and
    // in the player's data folder for an installed one.
    void whereFilesLive()
    {
        QTemporaryDir root;
        const QString player = root.filePath(QStringLiteral("home/.local/share/trivisto/trivisto"));
        for (const char *dir : {"build/bin", "usr/bin", "usr/share/trivisto"})
            QDir(root.path()).mkpath(QLatin1String(dir));
        const GameLocations build = FindLocations(root.filePath(QStringLiteral("build/bin")), player);
        QVERIFY(!build.installed);
        QCOMPARE(build.resultsPath(), root.filePath(QStringLiteral("build/bin/Stat.txt")));
        const GameLocations installed = FindLocations(root.filePath(QStringLiteral("usr/bin")), player);
        QVERIFY(installed.installed);
        QCOMPARE(installed.dataDir, root.filePath(QStringLiteral("usr/share/trivisto/")));
        QCOMPARE(installed.resultsPath(), player + QStringLiteral("/Stat.txt"));
        QCOMPARE(installed.historyPath(), player + QStringLiteral("/history.sqlite"));
    }

    // The command line is read before any window: no display is needed, and
    // a bad argument ends with status 2 and a message.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");  // expected in standard output or error
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--puzzle <CODE>";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "trivisto 1.1.0";
        QTest::newRow("level too high") << QStringList{"--level", "85"} << 2 << "from 0 to 84";
        QTest::newRow("level not a number") << QStringList{"--level=x"} << 2 << "from 0 to 84";
        QTest::newRow("unknown option") << QStringList{"--colour"} << 2 << "colour";
        QTest::newRow("stray argument") << QStringList{"Stat.txt"} << 2 << "Stat.txt";
        QTest::newRow("mistyped puzzle code") << QStringList{"--puzzle", "0026-V5ZD-3"} << 2 << "typing error";
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

    // Last: the catalogue stays installed for the rest of the program.
    void russianCatalogueLoads()
    {
        QCOMPARE(InstallTranslations(*QCoreApplication::instance(), QStringLiteral("ru")), QStringLiteral("ru"));
        QVERIFY(QCoreApplication::translate("MainWindow", "New") != QLatin1String("New"));
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel"));
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiWindow)
#include "tst_gui_window.moc"
