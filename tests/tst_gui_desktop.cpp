// The game as a desktop program: full screen and window, command keys
// whatever control holds the focus, settings, where files live, the command
// line and the Russian catalogue.

#include "app/locations.h"
#include "app/settings.h"
#include "app/translations.h"
#include "game/cueplayer.h"
#include "guitest.h"

#include <QAction>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QSpinBox>
#include <QUndoStack>

using namespace guitest;

class TestGuiDesktop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // F11 leaves full screen for a window laid out from its own client area,
    // and returns to the full-screen layout to the pixel.
    void fullScreenAndBack_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::newRow("smallest window") << QSize(640, 480);
        QTest::newRow("wide window") << QSize(1000, 560);
        QTest::newRow("tall window") << QSize(700, 740);
    }
    void fullScreenAndBack()
    {
        QFETCH(QSize, windowSize);
        ProgramFolder folder;
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        QAction *f11 = w.findChild<QAction *>(QStringLiteral("fullScreenAction"));
        f11->trigger();
        QVERIFY(!w.isFullScreen());
        w.resize(windowSize);
        QTRY_COMPARE(w.size(), windowSize);
        const Layout &l = w.layout();
        QCOMPARE(l.ViewSize, std::min(windowSize.width(), windowSize.height()) / 2);
        QCOMPARE(w.view()->geometry(), QRect(0, windowSize.height() - l.ViewSize, l.ViewSize, l.ViewSize));
        for (Sheet s : AllSheets)
            QVERIFY(w.findChild<QWidget *>(QStringLiteral("sheetsPanel"))->rect().contains(w.sheetWidget(s)->geometry()));
        auto *panel = w.findChild<QWidget *>(QStringLiteral("controlPanel"));
        for (const char *name : {"newButton", "checkButton", "aboutButton", "endButton", "levelBox", "menuButton"})
            QVERIFY2(panel->rect().contains(panel->findChild<QWidget *>(QLatin1String(name))->geometry()), name);

        f11->trigger();
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
        ProgramFolder folder;
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        auto *target = w.findChild<QWidget *>(focus);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        QList<QSignalSpy *> spies;
        for (QAction *a : w.actions())
            spies.append(new QSignalSpy(a, &QAction::triggered));
        // The undo action only acts when there is something to undo.
        w.turn().undoStack()->push(new QUndoCommand(QStringLiteral("a stroke")));
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QStringList ran;
        for (int i = 0; i < spies.size(); ++i)
            if (!spies[i]->isEmpty())
                ran.append(w.actions()[i]->objectName());
        qDeleteAll(spies);
        QCOMPARE(ran, action.isEmpty() ? QStringList() : QStringList{action});
        if (focus == QLatin1String("levelBox") && action.isEmpty())
            QVERIFY(w.findChild<QSpinBox *>(focus)->text().contains(QLatin1Char('2')));
    }

    // Settings come back as they were stored; anything garbled reads as the
    // default, and the window takes them on.
    void settingsRoundTripAndGarbage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trivisto.conf"));
        GameSettings chosen;
        chosen.level = 17;
        chosen.lineWidth = 4;
        chosen.sound = false;
        chosen.fullScreen = false;
        chosen.windowGeometry = QByteArray("\x01\x02geometry", 10);
        chosen.language = QStringLiteral("ru");
        chosen.safePalette = true;
        {
            QSettings file(path, QSettings::IniFormat);
            SettingsStore store(file);
            QVERIFY(store.save(chosen));
        }
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(SettingsStore(file).load(), chosen);

        QFile garbage(path);
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("\xff\xfe\x00[game]\nlevel=85\nsound=maybe\nlanguage=tlh\n[view]\nlineWidth=-3\n[window\n",
                      70);
        garbage.close();
        QSettings garbled(path, QSettings::IniFormat);
        QCOMPARE(SettingsStore(garbled).load(), GameSettings());

        ProgramFolder folder;
        MainWindow w(folder.path());
        w.applySettings(chosen);
        QCOMPARE(w.findChild<QSpinBox *>(QStringLiteral("levelBox"))->value(), 17);
        QCOMPARE(w.view()->camera().LineWidth, 4);
        QVERIFY(!w.cues()->isEnabled());
    }

    // Results and history live beside a program run from the build tree and
    // in the player's data folder for an installed one.
    void whereFilesLive()
    {
        QTemporaryDir root;
        const QString player = root.filePath(QStringLiteral("home/.local/share/trivisto/trivisto"));
        QDir(root.path()).mkpath(QStringLiteral("build/bin"));
        const GameLocations build = FindLocations(root.filePath(QStringLiteral("build/bin")), player);
        QVERIFY(!build.installed);
        QCOMPARE(build.dataDir, root.filePath(QStringLiteral("build/bin/")));
        QCOMPARE(build.resultsPath(), root.filePath(QStringLiteral("build/bin/Stat.txt")));

        QDir(root.path()).mkpath(QStringLiteral("usr/bin"));
        QDir(root.path()).mkpath(QStringLiteral("usr/share/trivisto"));
        const GameLocations installed = FindLocations(root.filePath(QStringLiteral("usr/bin")), player);
        QVERIFY(installed.installed);
        QCOMPARE(installed.dataDir, root.filePath(QStringLiteral("usr/share/trivisto/")));
        QCOMPARE(installed.resultsPath(), player + QStringLiteral("/Stat.txt"));
        QCOMPARE(installed.historyPath(), player + QStringLiteral("/history.sqlite"));
    }

    void russianCatalogueLoads()
    {
        QCOMPARE(InstallTranslations(*QCoreApplication::instance(), QStringLiteral("ru")), QStringLiteral("ru"));
        QVERIFY(QCoreApplication::translate("MainWindow", "New") != QLatin1String("New"));
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel"));
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
        QFETCH(int, status);
        QFETCH(QString, output);
        QProcess game;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        game.setProcessEnvironment(env);
        game.start(QCoreApplication::applicationDirPath() + QStringLiteral("/trivisto"), arguments);
        QVERIFY(game.waitForFinished(10000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), status);
        const QString text = QString::fromLocal8Bit(game.readAllStandardOutput() + game.readAllStandardError());
        QVERIFY2(text.contains(output), qPrintable(text));
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiDesktop)
#include "tst_gui_desktop.moc"
