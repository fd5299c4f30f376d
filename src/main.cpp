#include "core/storage/instancelock.h"
#include "ui/app/accessibility.h"
#include "ui/app/applook.h"
#include "ui/app/classroomcli.h"
#include "ui/app/commandline.h"
#include "ui/app/locations.h"
#include "ui/app/pictures.h"
#include "ui/app/settings.h"
#include "ui/app/translations.h"
#include "ui/window/assignmentflow.h"
#include "ui/window/mainwindow.h"
#include "ui/view3d/figureview.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before the application object exists, so that --help and
    // --version work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine = ParseCommandLine(arguments);
    if (commandLine.action == CommandLine::Action::Print) {
        std::fputs(commandLine.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (commandLine.action == CommandLine::Action::Fail) {
        std::fputs(commandLine.text.toLocal8Bit().constData(), stderr);
        return 2;
    }

    // The teacher's commands need no display: Qt's offscreen platform draws a
    // worksheet's pages and finds the fonts.
    const bool headless = commandLine.action != CommandLine::Action::Play;
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    FigureView::UseDefaultSurfaceFormat();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("trivisto"));
    QApplication::setApplicationName(QStringLiteral("trivisto"));
    QApplication::setApplicationVersion(QStringLiteral(TRIVISTO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.trivisto.Trivisto"));
    // Follow the desktop decides from the palette the desktop gave, before
    // the game sets one of its own.
    AppLook::RememberDesktop();

    QSettings settingsFile;
    SettingsStore store(settingsFile);
    const GameSettings settings = store.load();
    InstallTranslations(app, settings.language);
    switch (commandLine.action) {
    case CommandLine::Action::MakeAssignment:
        return RunMakeAssignment(commandLine.make, commandLine.exercise.value_or(Exercise::Views));
    case CommandLine::Action::ClassReport:
        return RunClassReport(commandLine.assignment, commandLine.inputs, commandLine.output);
    case CommandLine::Action::PrintAssignment:
        return RunPrintAssignment(commandLine.assignment, commandLine.output);
    default: break;
    }

    InstallAccessibility();
    const GameLocations where = FindLocations(QApplication::applicationDirPath(),
                                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QApplication::setWindowIcon(GameIcon(where.dataDir));

    MainWindow window(where.dataDir, where.resultsPath());
    window.applySettings(settings);
    window.setSettingsStore(&store);
    // The command line sets this run's figure and level; the settings keep
    // the player's own.
    const int level = commandLine.level.value_or(settings.level);
    if (commandLine.exercise)
        window.chooseExercise(*commandLine.exercise, false);
    if (commandLine.puzzle)
        window.openPuzzleCode(*commandLine.puzzle);
    else if (level != 0)
        window.startAtLevel(level);

    QStringList problems;
    if (!QDir().mkpath(where.recordsDir))
        problems.append(QApplication::translate("main", "The folder %1 could not be made, so records and the history "
                                                        "cannot be kept this time. The game goes on.")
                            .arg(QDir::toNativeSeparators(where.recordsDir)));
    const QString results = window.turn().readResults();
    if (!results.isEmpty())
        problems.append(results);
    if (!problems.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Trivisto"), problems.join(QStringLiteral("\n\n")));
    // One running copy keeps what is kept per player beyond records and the
    // history, which two copies share safely; a second copy says it is one.
    InstanceLock lock;
    if (!lock.TryAcquire(where.recordsDir.toStdString()))
        window.showNotice(lock.Error().empty()
                              ? QApplication::translate("main", "Another copy of Trivisto is running")
                              : QApplication::translate("main", "Trivisto could not lock its data folder: %1")
                                    .arg(QString::fromStdString(lock.Error())));
    // The last game's unfinished turn waits to be continued, at once when
    // asked for, unless the command line names this run's figure.
    const bool named = commandLine.puzzle || commandLine.assignmentFile;
    const bool continued =
        window.keepTurns(where.recordsDir, lock.Held(), commandLine.continueTurn || (settings.continueAtStart && !named));
    if (commandLine.continueTurn && lock.Held() && !continued)
        window.showNotice(QApplication::translate("main", "There is no unfinished turn to continue"));
    window.showAsSettled();
    // The student's name is asked over the game's window, once it shows.
    if (commandLine.assignmentFile)
        QTimer::singleShot(0, &window, [&window, path = *commandLine.assignmentFile] {
            window.assignments()->openFile(path);
        });
    return QApplication::exec();
}
