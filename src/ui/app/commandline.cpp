#include "ui/app/commandline.h"

#include "core/figure/figure.h"
#include "ui/app/codetext.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace {

// Qt's own options, taken by QApplication from the same command line: a
// session manager restarts the game with -session, a desktop may pass -name
// or -title. Each comes with one dash or two, its value after it or after
// "=" (-qmljsdebugger only in the second form).
struct QtOption {
    const char *name;
    bool takesValue;
};
constexpr QtOption QtOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"session", true},
    {"reverse", false}, {"qmljsdebugger", false}, {"testability", false},
    {"style", true}, {"stylesheet", true}, {"widgetcount", false},
    // The X11 platform's.
    {"display", true}, {"geometry", true}, {"name", true}, {"title", true}, {"visual", true},
    {"sync", false}, {"nograb", false}, {"dograb", false},
};

// The arguments with Qt's options (and their values) left out.
QStringList WithoutQtOptions(const QStringList &arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--")) {
            rest += arguments.mid(i);
            break;
        }
        const qsizetype dashes = arg.startsWith(QLatin1String("--")) ? 2 : arg.startsWith(QLatin1Char('-')) ? 1 : 0;
        const QString name = arg.mid(dashes).section(QLatin1Char('='), 0, 0);
        const auto qt = std::ranges::find_if(QtOptions, [&](const QtOption &o) { return name == QLatin1String(o.name); });
        if (i == 0 || dashes == 0 || qt == std::end(QtOptions)) {
            rest.append(arg);
            continue;
        }
        if (qt->takesValue && !arg.contains(QLatin1Char('=')))
            ++i;
    }
    return rest;
}

} // namespace

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
    const QCommandLineOption exercise(
        QStringLiteral("exercise"),
        QCoreApplication::translate("CommandLine", "Play this exercise: views (draw the three views, the default) or "
                                                   "build (build the figure from its views)."),
        QStringLiteral("EXERCISE"));
    parser.addOptions({help, version, level, puzzle, exercise});
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    auto fail = [&](const QString &message) {
        result.action = CommandLine::Action::Fail;
        result.text = message + QLatin1Char('\n') +
                      QCoreApplication::translate("CommandLine", "Try 'trivisto --help' for the options.") +
                      QLatin1Char('\n');
        return result;
    };
    if (!parser.parse(WithoutQtOptions(arguments)))
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
    if (parser.isSet(exercise)) {
        result.exercise = ParseExercise(parser.value(exercise).toStdString());
        if (!result.exercise)
            return fail(QCoreApplication::translate("CommandLine", "The exercise must be views or build, not '%1'.")
                            .arg(parser.value(exercise)));
    }
    return result;
}
