#include "ui/app/commandline.h"

#include "core/figure/figure.h"
#include "ui/app/codetext.h"

#include <QCommandLineParser>
#include <QCoreApplication>

CommandLine ParseCommandLine(const QStringList &arguments)
{
    CommandLine result;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "Trivisto: draw the three projections of a 3D wireframe."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("CommandLine", "Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QCoreApplication::translate("CommandLine", "Show the version and exit."));
    const QCommandLineOption level(
        QStringLiteral("level"),
        QCoreApplication::translate("CommandLine", "Start at level N (0 to %1): more walk steps at higher levels.")
            .arg(MaxLevel),
        QStringLiteral("N"));
    const QCommandLineOption puzzle(
        QStringLiteral("puzzle"), QCoreApplication::translate("CommandLine", "Start on the figure of a puzzle code."),
        QStringLiteral("CODE"));
    parser.addOptions({help, version, level, puzzle});
    // Qt's own window options; QApplication takes them.
    for (const char *name : {"platform", "display", "style", "stylesheet", "geometry", "qwindowgeometry",
                             "qwindowtitle", "qwindowicon", "platformtheme", "plugin"}) {
        QCommandLineOption qt(QString::fromLatin1(name));
        qt.setValueName(QStringLiteral("value"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    for (const char *name : {"reverse", "nograb", "dograb", "sync"}) {
        QCommandLineOption qt(QString::fromLatin1(name));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    auto fail = [&](const QString &message) {
        result.action = CommandLine::Action::Fail;
        result.text = message + QLatin1Char('\n') +
                      QCoreApplication::translate("CommandLine", "Try 'trivisto --help' for the options.") +
                      QLatin1Char('\n');
        return result;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        result.action = CommandLine::Action::Print;
        result.text = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CommandLine::Action::Print;
        result.text = QStringLiteral("trivisto %1\n").arg(QStringLiteral(TRIVISTO_VERSION));
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QCoreApplication::translate("CommandLine", "Unexpected argument: %1")
                        .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(level)) {
        bool ok = false;
        const int n = parser.value(level).toInt(&ok);
        if (!ok || n < 0 || n > MaxLevel)
            return fail(QCoreApplication::translate("CommandLine", "The level must be a whole number from 0 to %1, not '%2'.")
                            .arg(MaxLevel)
                            .arg(parser.value(level)));
        result.level = n;
    }
    if (parser.isSet(puzzle)) {
        const ParsedPuzzleCode parsed = ParsePuzzleCode(parser.value(puzzle).toStdString());
        if (!parsed.code)
            return fail(QCoreApplication::translate("CommandLine", "Puzzle code '%1': %2")
                            .arg(parser.value(puzzle), PuzzleCodeProblem(parsed)));
        result.puzzle = parser.value(puzzle);
    }
    return result;
}
