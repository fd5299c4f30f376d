#include "ui/app/commandline.h"
#include "ui/app/locations.h"
#include "ui/app/settings.h"
#include "ui/app/translations.h"
#include "ui/window/mainwindow.h"
#include "ui/view3d/figureview.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

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

    FigureView::UseDefaultSurfaceFormat();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("trivisto"));
    QApplication::setApplicationName(QStringLiteral("trivisto"));
    QApplication::setApplicationVersion(QStringLiteral(TRIVISTO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.trivisto.Trivisto"));

    QSettings settingsFile;
    SettingsStore store(settingsFile);
    GameSettings settings = store.load();
    if (commandLine.level)
        settings.level = *commandLine.level;
    InstallTranslations(app, settings.language);

    const GameLocations where = FindLocations(QApplication::applicationDirPath(),
                                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.trivisto.Trivisto"),
                                                 QIcon(where.dataDir + QStringLiteral("trivisto.png"))));

    MainWindow window(where.dataDir, where.resultsPath());
    window.applySettings(settings);
    window.setSettingsStore(&store);
    if (commandLine.puzzle)
        window.openPuzzleCode(*commandLine.puzzle);
    else if (settings.level != 0)
        window.startAtLevel(settings.level);

    QStringList problems;
    if (!QDir().mkpath(where.recordsDir))
        problems.append(QApplication::translate("main", "The folder %1 could not be made, so records and the history "
                                                        "cannot be kept this time. The game goes on.")
                            .arg(QDir::toNativeSeparators(where.recordsDir)));
    const QString results = window.readResults();
    if (!results.isEmpty())
        problems.append(results);
    if (!problems.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Trivisto"), problems.join(QStringLiteral("\n\n")));
    window.showAsSettled();
    return QApplication::exec();
}
