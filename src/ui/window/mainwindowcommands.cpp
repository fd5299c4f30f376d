// The window's commands: what each action of the menu and the keys does.

#include "ui/window/mainwindow.h"

#include "ui/dialogs/progresswindows.h"
#include "ui/view3d/figureview.h"
#include "ui/window/assignmentflow.h"
#include "ui/window/commands.h"
#include "ui/window/controlpanel.h"
#include "ui/window/dialogflows.h"
#include "ui/window/guide.h"
#include "ui/window/turnkeeper.h"
#include "ui/window/windowstate.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

void MainWindow::connectCommands()
{
    const Commands &c = *m_commands;
    auto on = [this](QAction *action, auto slot) { connect(action, &QAction::triggered, this, slot); };
    on(c.newGame, [this] { m_turn->newTurn(); });
    on(c.restart, [this] { m_turn->restart(); });
    on(c.continueTurn, &MainWindow::onContinueTriggered);
    on(c.check, [this] { m_turn->check(); });
    on(c.daily, [this] {
        if (mayLeaveAssessment())
            m_turn->openToday();
    });
    on(c.openCode, &MainWindow::onOpenCodeTriggered);
    on(c.copyCode, [this] {
        const QString code = QString::fromStdString(EncodePuzzleCode(m_turn->currentCode()));
        QGuiApplication::clipboard()->setText(code);
        m_panel->showNotice(tr("Puzzle code %1 copied").arg(code));
    });
    on(c.assessment, &MainWindow::onAssessmentTriggered);
    on(c.highScores, [this] { m_progress->showHighScores(); });
    on(c.statistics, [this] { m_progress->showStatistics(); });
    on(c.quit, &MainWindow::onQuitTriggered);
    on(c.clearSheet, [this] {
        if (const std::optional<Sheet> s = targetSheet())
            m_turn->clearSheet(*s);
    });
    on(c.hint, [this] { m_turn->hint(targetSheet()); });
    on(c.peek, [this] { m_turn->peekNow(); });
    on(c.fullScreen, [this] { m_state->toggleFullScreen(); });
    const std::array<ViewMode, 3> sheetModes{ViewMode::SheetX, ViewMode::SheetY, ViewMode::SheetZ};
    for (std::size_t i = 0; i < 3; ++i)
        on(c.sheetViews[i], [this, mode = sheetModes[i]] { m_view->showView(mode); });
    on(c.startView, [this] { m_view->showView(ViewMode::Start); });
    on(c.thinner, [this] {
        m_view->camera().Thinner();
        onLineWidthChanged();
    });
    on(c.thicker, [this] {
        m_view->camera().Thicker();
        onLineWidthChanged();
    });
    on(c.redraw, [this] { m_view->update(); });
    on(c.settings, &MainWindow::onSettingsTriggered);
    on(c.manual, [this] { m_dialogs->showManual(); });
    on(c.guide, [this] { m_guide->start(); });
    connect(m_dialogs, &DialogFlows::guideRequested, m_guide, &Guide::start);
    on(c.about, &MainWindow::onAboutTriggered);
    on(c.escape, &MainWindow::onEscapePressed);
    on(c.drawViews, [this] { chooseExercise(Exercise::Views); });
    on(c.buildFigure, [this] { chooseExercise(Exercise::Build); });
    on(c.otherFigure, &MainWindow::onOtherFigure);
}

void MainWindow::chooseExercise(Exercise e, bool remember)
{
    const bool leaves = m_assignments->inAssignment() ? e != game().TurnExercise() : e == Exercise::Build;
    if (leaves && !mayLeaveAssessment()) {
        updateStatus();  // the sitting goes on, and the menu ticks its exercise again
        return;
    }
    m_turn->chooseExercise(e);
    if (remember && m_state->settings().exercise != e) {
        m_state->settings().exercise = e;
        m_state->store();
    }
}

void MainWindow::onOtherFigure()
{
    if (!game().Checked() || game().TurnExercise() != Exercise::Build)
        return;
    m_view->cycleShownFigure();
    m_panel->showNotice(m_view->shownText());
}

bool MainWindow::keepTurns(const QString &folder, bool lockHeld, bool continueNow)
{
    connect(m_keeper, &TurnKeeper::keptChanged, m_commands->continueTurn, &QAction::setEnabled);
    connect(m_keeper, &TurnKeeper::problem, m_dialogs, &DialogFlows::warn);
    connect(m_keeper, &TurnKeeper::continued, this, [this] {
        // The continued turn's exercise is the player's again.
        if (m_state->settings().exercise != m_turn->session().ChosenExercise()) {
            m_state->settings().exercise = m_turn->session().ChosenExercise();
            m_state->store();
        }
        m_panel->showNotice(tr("The last turn goes on where it stopped"));
    });
    m_keeper->start(folder, lockHeld);
    if (!m_keeper->hasKept())
        return false;
    if (continueNow)
        return m_keeper->continueKept();
    m_panel->showNoticeFor(tr("Your last turn is kept: Game > Continue Last Turn"), KeptOfferMs);
    return false;
}

void MainWindow::onContinueTriggered()
{
    // The turn in play is kept in its place, but a sitting or an assignment
    // is left as by any other figure: the player says so first.
    if (!game().Checked() && !mayLeaveAssessment())
        return;
    m_keeper->continueKept();
    activate();
}

