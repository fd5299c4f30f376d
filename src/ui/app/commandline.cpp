#include "ui/app/commandline.h"

#include "core/classroom/assignment.h"
#include "core/figure/figure.h"
#include "ui/app/codetext.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <array>
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

// The arguments with Qt's options (and their values) left out. X11's -title
// is the new assignment's --title when --make-assignment is given.
QStringList WithoutQtOptions(const QStringList &arguments)
{
    const bool making = std::ranges::any_of(arguments, [](const QString &a) {
        return a == QLatin1String("--make-assignment") || a.startsWith(QLatin1String("--make-assignment="));
    });
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
        if (i == 0 || dashes == 0 || qt == std::end(QtOptions) || (making && name == QLatin1String("title"))) {
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
    const QCommandLineOption continueTurn(
        QStringLiteral("continue"),
        QCoreApplication::translate("CommandLine", "Continue the unfinished turn of the last game."));
    const QCommandLineOption exercise(
        QStringLiteral("exercise"),
        QCoreApplication::translate("CommandLine", "Play this exercise: views (draw the three views, the default) or "
                                                   "build (build the figure from its views)."),
        QStringLiteral("EXERCISE"));
    // The texts are marked for the catalogue where they are written.
    auto valued = [](const char *name, const QString &text, const char *value) {
        return QCommandLineOption(QString::fromLatin1(name), text, QString::fromLatin1(value));
    };
    auto flag = [](const char *name, const char *text) {
        return QCommandLineOption(QString::fromLatin1(name), QCoreApplication::translate("CommandLine", text));
    };
    auto T = [](const char *text) { return QCoreApplication::translate("CommandLine", text); };
    const QCommandLineOption makeAssignment =
        valued("make-assignment", T(QT_TRANSLATE_NOOP("CommandLine", "Write a new assignment to FILE, with --title, --levels and --count.")), "FILE");
    const QCommandLineOption title =
        valued("title", T(QT_TRANSLATE_NOOP("CommandLine", "The new assignment's title.")), "TITLE");
    const QCommandLineOption levels =
        valued("levels", T(QT_TRANSLATE_NOOP("CommandLine", "The levels of its figures, as LOW-HIGH (0 to %1).")).arg(MaxLevel), "LEVELS");
    const QCommandLineOption count =
        valued("count", T(QT_TRANSLATE_NOOP("CommandLine", "How many figures it holds (1 to %1).")).arg(MaxAssignmentFigures), "N");
    const QCommandLineOption noHints = flag("no-hints", QT_TRANSLATE_NOOP("CommandLine", "Allow no hints in it."));
    const QCommandLineOption noPeeks = flag("no-peeks", QT_TRANSLATE_NOOP("CommandLine", "Allow no peeks in it."));
    const QCommandLineOption due =
        valued("due", T(QT_TRANSLATE_NOOP("CommandLine", "The day it is due, as YYYY-MM-DD.")), "DATE");
    const QCommandLineOption classReport = valued(
        "class-report", T(QT_TRANSLATE_NOOP("CommandLine", "Write the class table of the result files and folders given to the file of --csv.")),
        "ASSIGNMENT");
    const QCommandLineOption csv =
        valued("csv", T(QT_TRANSLATE_NOOP("CommandLine", "The class table's CSV file.")), "FILE");
    const QCommandLineOption printAssignment =
        valued("print-assignment", T(QT_TRANSLATE_NOOP("CommandLine", "Write the assignment's worksheet to the PDF file of --pdf.")), "FILE");
    const QCommandLineOption pdf =
        valued("pdf", T(QT_TRANSLATE_NOOP("CommandLine", "The worksheet's PDF file.")), "FILE");
    parser.addOptions({help, version, level, puzzle, continueTurn, exercise, makeAssignment, title, levels, count, noHints, noPeeks,
                       due, classReport, csv, printAssignment, pdf});
    parser.addPositionalArgument(
        QStringLiteral("FILE"), QCoreApplication::translate("CommandLine", "An assignment to play (.trivisto-assignment)."),
        QStringLiteral("[FILE]"));
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
        // Read before the application exists, the parser knows no program name.
        result.text = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("trivisto"));
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CommandLine::Action::Print;
        result.text = QStringLiteral("trivisto %1\n").arg(QStringLiteral(TRIVISTO_VERSION));
        return result;
    }
    if (parser.isSet(exercise)) {
        result.exercise = ParseExercise(parser.value(exercise).toStdString());
        if (!result.exercise)
            return fail(QCoreApplication::translate("CommandLine", "The exercise must be views or build, not '%1'.").arg(parser.value(exercise)));
    }

    // The teacher's commands: one at a time, each with its own options, and
    // none of the options for playing.
    const QStringList positional = parser.positionalArguments();
    const std::array<const QCommandLineOption *, 3> modes{&makeAssignment, &classReport, &printAssignment};
    const auto mode = std::ranges::find_if(modes, [&](const QCommandLineOption *o) { return parser.isSet(*o); });
    if (std::ranges::count_if(modes, [&](const QCommandLineOption *o) { return parser.isSet(*o); }) > 1)
        return fail(QCoreApplication::translate("CommandLine", "Give only one of --make-assignment, --class-report and --print-assignment."));
    const std::pair<const QCommandLineOption *, const QCommandLineOption *> owned[] = {
        {&title, &makeAssignment}, {&levels, &makeAssignment}, {&count, &makeAssignment}, {&noHints, &makeAssignment},
        {&noPeeks, &makeAssignment}, {&due, &makeAssignment}, {&csv, &classReport}, {&pdf, &printAssignment}};
    for (const auto &[option, owner] : owned)
        if (parser.isSet(*option) && !parser.isSet(*owner))
            return fail(QCoreApplication::translate("CommandLine", "--%1 goes with --%2.").arg(option->names().constFirst(), owner->names().constFirst()));
    if (mode != modes.end()) {
        for (const QCommandLineOption *o : {&level, &puzzle, &continueTurn})
            if (parser.isSet(*o))
                return fail(QCoreApplication::translate("CommandLine", "--%1 is for playing, not for --%2.")
                                .arg(o->names().constFirst(), (*mode)->names().constFirst()));
        if (*mode != &classReport && !positional.isEmpty())
            return fail(QCoreApplication::translate("CommandLine", "Unexpected argument: %1").arg(positional.constFirst()));
    }
    if (parser.isSet(makeAssignment)) {
        CommandLine::NewAssignment &m = result.make;
        m.path = parser.value(makeAssignment);
        for (const QCommandLineOption *o : {&title, &levels, &count})
            if (!parser.isSet(*o))
                return fail(QCoreApplication::translate("CommandLine", "--make-assignment needs --%1.").arg(o->names().constFirst()));
        m.title = parser.value(title);
        const QStringList range = parser.value(levels).split(QLatin1Char('-'));
        bool lowOk = false, highOk = false;
        if (range.size() == 2) {
            m.lowLevel = range[0].toInt(&lowOk);
            m.highLevel = range[1].toInt(&highOk);
        }
        if (!lowOk || !highOk || m.lowLevel < 0 || m.highLevel > MaxLevel || m.lowLevel > m.highLevel)
            return fail(QCoreApplication::translate("CommandLine", "The levels must be LOW-HIGH with 0 <= LOW <= HIGH <= %1, not '%2'.")
                            .arg(MaxLevel)
                            .arg(parser.value(levels)));
        bool countOk = false;
        m.count = parser.value(count).toInt(&countOk);
        if (!countOk || m.count < 1 || m.count > static_cast<int>(MaxAssignmentFigures))
            return fail(QCoreApplication::translate("CommandLine", "The count must be a whole number from 1 to %1, not '%2'.")
                            .arg(MaxAssignmentFigures)
                            .arg(parser.value(count)));
        m.hints = !parser.isSet(noHints);
        m.peeks = !parser.isSet(noPeeks);
        if (parser.isSet(due)) {
            m.due = QDate::fromString(parser.value(due), Qt::ISODate);
            if (!m.due->isValid() || parser.value(due).size() != 10)
                return fail(QCoreApplication::translate("CommandLine", "The due date must be a day as YYYY-MM-DD, not '%1'.").arg(parser.value(due)));
        }
        result.action = CommandLine::Action::MakeAssignment;
        return result;
    }
    if (parser.isSet(classReport)) {
        if (positional.isEmpty())
            return fail(QCoreApplication::translate("CommandLine", "--class-report needs result files or folders after the assignment."));
        if (!parser.isSet(csv))
            return fail(QCoreApplication::translate("CommandLine", "--class-report needs --csv."));
        result.action = CommandLine::Action::ClassReport;
        result.assignment = parser.value(classReport);
        result.inputs = positional;
        result.output = parser.value(csv);
        return result;
    }
    if (parser.isSet(printAssignment)) {
        if (!parser.isSet(pdf))
            return fail(QCoreApplication::translate("CommandLine", "--print-assignment needs --pdf."));
        result.action = CommandLine::Action::PrintAssignment;
        result.assignment = parser.value(printAssignment);
        result.output = parser.value(pdf);
        return result;
    }

    if (positional.size() > 1)
        return fail(QCoreApplication::translate("CommandLine", "Unexpected argument: %1").arg(positional.at(1)));
    if (!positional.isEmpty()) {
        if (parser.isSet(puzzle))
            return fail(QCoreApplication::translate("CommandLine", "An assignment file and --puzzle exclude each other."));
        if (parser.isSet(continueTurn))
            return fail(QCoreApplication::translate("CommandLine", "An assignment file and --continue exclude each other."));
        result.assignmentFile = positional.constFirst();
    }
    if (parser.isSet(continueTurn) && parser.isSet(puzzle))
        return fail(QCoreApplication::translate("CommandLine", "--puzzle and --continue exclude each other."));
    result.continueTurn = parser.isSet(continueTurn);
    if (parser.isSet(level)) {
        bool ok = false;
        const int n = parser.value(level).toInt(&ok);
        if (!ok || n < 0 || n > MaxLevel)
            return fail(QCoreApplication::translate("CommandLine", "The level must be a whole number from 0 to %1, not '%2'.").arg(MaxLevel).arg(parser.value(level)));
        result.level = n;
    }
    if (parser.isSet(puzzle)) {
        const ParsedPuzzleCode parsed = ParsePuzzleCode(parser.value(puzzle).toStdString());
        if (!parsed.code)
            return fail(QCoreApplication::translate("CommandLine", "Puzzle code '%1': %2").arg(parser.value(puzzle), PuzzleCodeProblem(parsed)));
        result.puzzle = parser.value(puzzle);
    }
    return result;
}
