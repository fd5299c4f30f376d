#include "ui/window/commands.h"

#include "core/turn/helpcost.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QUndoStack>
#include <QWidget>

QAction *Commands::make(const char *name, const QString &text, const QList<QKeySequence> &keys)
{
    auto *a = new QAction(text, m_window);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcuts(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    a->setShortcutVisibleInContextMenu(true);
    m_window->addAction(a);
    return a;
}

Commands::Commands(QWidget *w, QUndoStack *undoStack) : QObject(w), m_window(w)
{
    using K = QKeySequence;
    newGame = make("newAction", tr("New"), {K::New});
    restart = make("restartAction", tr("Restart"), {K(Qt::Key_F5)});
    continueTurn = make("continueTurnAction", tr("Continue Last Turn"), {});
    continueTurn->setEnabled(false);
    check = make("checkAction", tr("Check"), {K(Qt::CTRL | Qt::Key_Return)});
    daily = make("dailyAction", tr("Today's Figure"), {K(Qt::CTRL | Qt::Key_D)});
    openCode = make("openCodeAction", tr("Open Puzzle Code..."), {K::Open});
    copyCode = make("copyCodeAction", tr("Copy Puzzle Code"), {K::Copy});
    assessment = make("assessmentAction", tr("Assessment..."), {});
    highScores = make("highScoresAction", tr("High Scores"), {K(Qt::CTRL | Qt::Key_H)});
    statistics = make("statisticsAction", tr("Statistics"), {K(Qt::CTRL | Qt::Key_T)});
    quit = make("quitAction", tr("Quit"), {K::Quit});
    drawViews = make("exerciseViewsAction", tr("Draw the views"), {});
    buildFigure = make("exerciseBuildAction", tr("Build the figure"), {});
    auto *exercises = new QActionGroup(this);
    for (QAction *a : {drawViews, buildFigure}) {
        a->setCheckable(true);
        exercises->addAction(a);
    }
    drawViews->setChecked(true);
    otherFigure = make("otherFigureAction", tr("Your Figure, the Generated One or Both"), {K(Qt::Key_G)});
    otherFigure->setEnabled(false);

    undo = undoStack->createUndoAction(w, tr("Undo"));
    redo = undoStack->createRedoAction(w, tr("Redo"));
    undo->setObjectName(QStringLiteral("undoAction"));
    redo->setObjectName(QStringLiteral("redoAction"));
    undo->setShortcut(K::Undo);
    redo->setShortcuts({K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), K(Qt::CTRL | Qt::Key_Y)});
    for (QAction *a : {undo, redo}) {
        a->setShortcutContext(Qt::WindowShortcut);
        a->setShortcutVisibleInContextMenu(true);
        w->addAction(a);
    }
    clearSheet = make("clearSheetAction", tr("Clear Sheet"), {K(Qt::CTRL | Qt::Key_Delete)});
    hint = make("hintAction", tr("Hint (costs %1 points)").arg(HintCost), {K(Qt::Key_H)});
    peek = make("peekAction", tr("Peek (costs %1 points)").arg(PeekCost), {K(Qt::Key_P)});

    fullScreen = make("fullScreenAction", tr("Full Screen"), {K(Qt::Key_F11)});
    fullScreen->setCheckable(true);
    sheetViews = {make("viewXAction", tr("View as Sheet X (from the front)"), {K(Qt::Key_X)}),
                  make("viewYAction", tr("View as Sheet Y (from below)"), {K(Qt::Key_Y)}),
                  make("viewZAction", tr("View as Sheet Z (from the right, on its side)"), {K(Qt::Key_Z)})};
    startView = make("startViewAction", tr("Start View"), {K(Qt::Key_R)});
    thinner = make("thinnerAction", tr("Thinner Lines"), {K(Qt::Key_W)});
    thicker = make("thickerAction", tr("Thicker Lines"), {K(Qt::SHIFT | Qt::Key_W)});
    // 1 and 2 only repaint the view.
    redraw = make("redrawAction", tr("Redraw the View"), {K(Qt::Key_1), K(Qt::Key_2)});

    openAssignment = make("openAssignmentAction", tr("Open Assignment..."), {});
    saveResultAs = make("saveResultAsAction", tr("Save Result As..."), {});
    newAssignment = make("newAssignmentAction", tr("New Assignment..."), {});
    classResults = make("classResultsAction", tr("Class Results..."), {});
    printAssignment = make("printAssignmentAction", tr("Print Assignment..."), {K::Print});
    exportWorksheet = make("exportWorksheetAction", tr("Export Worksheet..."), {});

    // The standard key for preferences has no binding on X11: KDE's is kept too.
    settings = make("settingsAction", tr("Settings..."), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_Comma)});
    manual = make("manualAction", tr("Manual"), {K::HelpContents});
    guide = make("guideAction", tr("Guide"), {});
    about = make("aboutAction", tr("About Trivisto"), {});
    escape = make("escapeAction", tr("Cancel Stroke or Close"), {K(Qt::Key_Escape)});
}

QMenu *Commands::createMenu(QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("commandMenu"));
    auto group = [menu](const QString &title, std::initializer_list<QAction *> actions) {
        QMenu *sub = menu->addMenu(title);
        for (QAction *a : actions) {
            if (a)
                sub->addAction(a);
            else
                sub->addSeparator();
        }
    };
    group(tr("&Game"), {newGame, restart, continueTurn, check, nullptr, daily, openCode, copyCode, assessment, nullptr, highScores,
                    statistics, nullptr, quit});
    // The exercises right under the turn's commands.
    QMenu *game = menu->actions().constFirst()->menu();
    QMenu *exercise = new QMenu(tr("E&xercise"), game);
    exercise->setObjectName(QStringLiteral("exerciseMenu"));
    exercise->addActions({drawViews, buildFigure});
    game->insertMenu(game->actions().at(4), exercise);
    // The classroom's files, under the turn's commands: a student's first,
    // then a teacher's.
    QMenu *assignment = new QMenu(tr("&Assignment"), game);
    assignment->setObjectName(QStringLiteral("assignmentMenu"));
    assignment->addActions({openAssignment, saveResultAs});
    assignment->addSeparator();
    assignment->addActions({newAssignment, classResults, printAssignment, exportWorksheet});
    game->insertMenu(game->actions().at(10), assignment);
    group(tr("&Edit"), {undo, redo, clearSheet, nullptr, hint, peek});
    group(tr("&View"), {fullScreen, nullptr, sheetViews[0], sheetViews[1], sheetViews[2], startView, otherFigure, nullptr,
                    thinner, thicker, redraw});
    group(tr("&Settings"), {settings});
    group(tr("&Help"), {manual, guide, about});
    return menu;
}
