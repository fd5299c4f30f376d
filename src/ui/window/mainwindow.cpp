#include "ui/window/mainwindow.h"

#include "ui/app/applook.h"
#include "ui/app/cueplayer.h"
#include "ui/app/mistaketext.h"

#include "core/sheets/linking.h"
#include "ui/dialogs/progresswindows.h"
#include "ui/window/assignmentflow.h"
#include "ui/sheets/sheetwidget.h"
#include "ui/view3d/figureview.h"
#include "ui/window/commands.h"
#include "ui/window/controlpanel.h"
#include "ui/window/dialogflows.h"
#include "ui/window/guide.h"
#include "ui/window/turnkeeper.h"
#include "ui/window/windowstate.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

namespace {

const QString CueTurn = QStringLiteral("sett.wav");
const QString CuePress = QStringLiteral("3.wav");
const QString CueRelease = QStringLiteral("4.wav");

void Place(QWidget *w, const LayoutRect &r)
{
    w->setGeometry(r.left, r.top, r.width, r.height);
}

} // namespace

MainWindow::MainWindow(const QString &dataDir, const QString &resultsPath, QWidget *parent)
    : QWidget(parent), m_dataDir(dataDir), m_turn(new TurnController(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Trivisto"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(ColoursOf(Scheme::Light).sheet.background));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f = font();
    f.setPixelSize(15);
    setFont(f);
    m_turn->setResultsPath(resultsPath.isEmpty() ? dataDir + QStringLiteral("Stat.txt") : resultsPath);

    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);

    m_commands = new Commands(this, m_turn->undoStack());
    m_state = new WindowState(this, m_commands->fullScreen);
    createControls();
    createTabOrder();
    connectCommands();
    connectController();

    // One layout pass now, so the first activation already finds the final
    // cell sizes.
    resize(screenSize);
    layoutPass();
}

MainWindow::~MainWindow() = default;

void MainWindow::onChecked(const Game::CheckOutcome &outcome)
{
    m_cues->Play(CueTurn);
    repaintSheets();
    updateStatus();
    if (game().TurnExercise() != Exercise::Build || !outcome.fitsViews)
        return;
    m_panel->showNotice(outcome.sameAsWalk ? tr("Your figure fits all three views")
                                           : tr("Both figures fit all three views: G shows each"));
}

void MainWindow::focusForTurn()
{
    if (game().TurnExercise() == Exercise::Build)
        m_view->setFocus();
    else
        m_panel->newButton()->setFocus();
}

void MainWindow::onLineWidthChanged()
{
    m_view->update();
    m_state->settings().lineWidth = m_view->camera().LineWidth;
    m_state->store();
}

void MainWindow::createControls()
{
    m_sheetsPanel = new QFrame(this);
    m_sheetsPanel->setObjectName(QStringLiteral("sheetsPanel"));
    m_sheetsPanel->setFrameShape(QFrame::StyledPanel);
    m_sheetsPanel->setAutoFillBackground(true);
    QPalette panelPalette;
    panelPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    m_sheetsPanel->setPalette(panelPalette);
    Game &game = m_turn->game();
    for (Sheet s : AllSheets) {
        auto *w = new SheetWidget(s, game.Input(s), game.TrueSegments(s), m_lattice, m_sheetsPanel);
        m_sheets[static_cast<std::size_t>(SheetIndex(s))] = w;
    }

    m_panel = new ControlPanel(m_dataDir, *m_commands, this);
    m_panel->showLevel(m_turn->session().ChosenLevel());
    connect(m_panel, &ControlPanel::levelChosen, this, [this](int level) {
        m_turn->setLevel(level);
        m_state->settings().level = level;
        m_state->store();
    });
    connect(m_panel->suggestButton(), &QPushButton::clicked, this, [this] {
        m_panel->levelBox()->setValue(m_turn->suggestion().level);
        m_panel->suggestButton()->hide();
    });

    m_view = new FigureView(game, this);
    m_cues = new CuePlayer(m_dataDir, this);
    m_dialogs = new DialogFlows(m_dataDir, this);
    m_progress = new ProgressWindows(this, m_turn->resultsPath(), [this] { return m_turn->history(); });
    m_guide = new Guide(this, {m_view, m_sheets, m_panel->checkButton()}, [this] { return settings().nameSheets; });
    m_assignments = new AssignmentFlow(this, m_turn, m_dialogs, *m_commands);
    connect(m_assignments, &AssignmentFlow::notice, m_panel, &ControlPanel::showNotice);
    connect(m_assignments, &AssignmentFlow::changed, this, &MainWindow::updateStatus);
    m_keeper = new TurnKeeper(m_turn, m_assignments, this);
}

void MainWindow::createTabOrder()
{
    // The panel's controls first, then the sheets, which draw from the keys.
    QList<QWidget *> order = m_panel->tabOrder();
    order.append({m_sheets[0], m_sheets[1], m_sheets[2], m_view});
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::connectController()
{
    for (SheetWidget *w : m_sheets) {
        connect(w, &SheetWidget::pressed, m_cues, [this] { m_cues->Play(CuePress); });
        connect(w, &SheetWidget::released, m_cues, [this] { m_cues->Play(CueRelease); });
    }
    connect(m_turn, &TurnController::turnStarted, this, [this] {
        m_cues->Play(CueTurn);
        for (SheetWidget *w : m_sheets)
            w->resetCursor();
        m_view->newTurn();
        repaintSheets();
        updateStatus();
        // The view has the keys while building; back to drawing they go
        // where an activation puts them.
        if (game().TurnExercise() == Exercise::Build || focusWidget() == m_view)
            focusForTurn();
    });
    connect(m_turn, &TurnController::checked, this, &MainWindow::onChecked);
    connect(m_turn, &TurnController::figureChanged, this, [this] {
        m_view->update();
        updateStatus();
    });
    connect(m_turn, &TurnController::exerciseChosen, this, [this] {
        m_panel->showSuggestion(m_turn->suggestion());
        updateStatus();
    });
    connect(m_turn, &TurnController::bestBuildShown, this, [this](std::optional<int> best) {
        m_panel->setBestBuild(best);
        updateStatus();
    });
    connect(m_view, &FigureView::latticeClicked, m_turn, [this](LatticePoint3 p) { m_turn->buildAt(p); });
    connect(m_view, &FigureView::spacePressed, m_turn, [this] { m_turn->buildAt(std::nullopt); });
    connect(m_view, &FigureView::cursorStep, m_turn, &TurnController::moveCursor);
    connect(m_turn, &TurnController::recordBeaten, this, &MainWindow::onRecordBeaten);
    connect(m_turn, &TurnController::levelShown, m_panel, &ControlPanel::showLevel);
    connect(m_turn, &TurnController::notice, m_panel, &ControlPanel::showNotice);
    connect(m_turn, &TurnController::sheetChanged, this, [this](Sheet s) {
        refreshSheet(s);
        updateStatus();
    });
    connect(m_turn, &TurnController::helpBought, this, &MainWindow::updateStatus);
    connect(m_turn, &TurnController::historyProblem, this, [this](const QString &message) { m_dialogs->warn(message); });
    connect(m_turn, &TurnController::historyChanged, m_progress, &ProgressWindows::refresh);
    connect(m_turn, &TurnController::suggestionChanged, m_panel, &ControlPanel::showSuggestion);
    connect(m_turn, &TurnController::assessmentFinished, this, &MainWindow::onAssessmentFinished);
    for (Sheet s : AllSheets) {
        connect(sheetWidget(s), &SheetWidget::strokeFinished, m_turn,
                [this, s](const SheetStrokes &before) { m_turn->strokeFinished(s, before); });
        connect(sheetWidget(s), &SheetWidget::pieceLinked, m_view, [this, s](std::optional<Piece> piece) {
            m_view->setHighlight(piece && game().Checked() ? LinkedSegments(game().CurrentFigure(), s, *piece)
                                                            : std::vector<FigureSegment>{});
        });
    }
    connect(m_turn, &TurnController::recordSaveFailed, this, [this](const QString &message) { m_dialogs->warn(message); });
    connect(m_turn, &TurnController::secondsChanged, this, &MainWindow::updateStatus);
    connect(m_turn, &TurnController::recordThresholdChanged, this, &MainWindow::updateStatus);
    // A saved record changes the results file after the turn was recorded.
    connect(m_turn, &TurnController::recordThresholdChanged, m_progress, &ProgressWindows::refresh);
}

void MainWindow::applySettings(const GameSettings &settings)
{
    m_state->settings() = settings;
    m_panel->showLevel(settings.level);
    m_turn->setLevel(settings.level);
    m_turn->session().SetCoach(settings.chooseFigures, settings.coachTarget);
    m_view->camera().LineWidth = settings.lineWidth;
    m_view->update();
    m_cues->setEnabled(settings.sound);
    for (SheetWidget *w : m_sheets)
        w->setNameShown(settings.nameSheets || m_guide->namesShown());
    applyLook(settings);
    if (settings.exercise != m_turn->session().ChosenExercise())
        m_turn->chooseExercise(settings.exercise);
}

void MainWindow::startAtLevel(int level)
{
    // A level from the command line is for this run: the box shows it, the
    // settings keep the player's own.
    m_turn->startAtLevel(level);
    m_view->update();
    repaintSheets();
    updateStatus();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_keeper->saveNow();
    m_state->windowClosing();
    QWidget::closeEvent(event);
}

void MainWindow::onSettingsTriggered()
{
    const std::optional<GameSettings> chosen = m_dialogs->askSettings(settings());
    activate();
    if (!chosen)
        return;
    const bool screenChanged = chosen->fullScreen != isFullScreen();
    applySettings(*chosen);
    if (screenChanged)
        showAsSettled();
    m_state->store();
    repaintSheets();
}

bool MainWindow::openPuzzleCode(const QString &text)
{
    const std::optional<PuzzleCode> code = m_dialogs->readPuzzleCode(text);
    if (!code || !mayLeaveAssessment())
        return false;
    m_turn->openCode(*code);
    return true;
}

void MainWindow::onOpenCodeTriggered()
{
    if (const std::optional<PuzzleCode> code = m_dialogs->askPuzzleCode(); code && mayLeaveAssessment())
        m_turn->openCode(*code);
    activate();
}

std::optional<Sheet> MainWindow::targetSheet() const
{
    const QWidget *under = QApplication::widgetAt(QCursor::pos());
    const QWidget *focus = QApplication::focusWidget();
    for (const QWidget *candidate : {under, focus})
        for (Sheet s : AllSheets)
            if (candidate && (candidate == sheetWidget(s) || sheetWidget(s)->isAncestorOf(candidate)))
                return s;
    return std::nullopt;
}

void MainWindow::refreshSheet(Sheet s)
{
    SheetMarks marks;
    if (game().Checked()) {
        marks.revealed = m_turn->classification(s);
        if (const std::optional<Mistake> &m = m_turn->session().Mistakes()[static_cast<std::size_t>(SheetIndex(s))])
            marks.mistake = MistakeDescription(*m);
    }
    marks.hints = m_turn->hints(s);
    marks.peek = m_turn->peek(s);
    sheetWidget(s)->setMarks(marks);
    sheetWidget(s)->update();
}

void MainWindow::showNotice(const QString &text)
{
    m_panel->showNotice(text);
}

bool MainWindow::mayLeaveAssessment()
{
    if (!m_turn->inAssessment())
        return m_assignments->mayLeave();
    const bool leave = m_dialogs->askLeaveAssessment();
    activate();
    return leave;
}


void MainWindow::onAssessmentTriggered()
{
    if (!m_assignments->mayLeave())
        return;
    const bool start = m_dialogs->askAssessment();
    activate();
    if (start)
        m_turn->startAssessment();
}

void MainWindow::onAssessmentFinished(const AssessmentResult &result)
{
    m_dialogs->tellAssessment(result);
    activate();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_activatedOnce) {
        m_activatedOnce = true;
        activate();
    }
}

void MainWindow::activate()
{
    m_turn->activate();
    repaintSheets();
    layoutPass();
    focusForTurn();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPass();
}

void MainWindow::layoutPass()
{
    // In a window the view follows the client area as it follows the screen
    // in full screen, where the client area is the screen.
    m_layout = ComputeLayout(width(), height(), ViewSizeForScreen(height(), width()));
    const Layout &l = m_layout;

    m_sheetsPanel->setGeometry(0, 0, width(), l.SheetsPanelHeight);
    m_panel->setGeometry(width() - l.ControlPanelWidth, l.SheetsPanelHeight, l.ControlPanelWidth, l.ControlPanelHeight);
    for (std::size_t i = 0; i < m_sheets.size(); ++i)
        Place(m_sheets[i], l.Sheets[i]);
    m_lattice.CellWidth = l.CellWidth;
    m_lattice.CellHeight = l.CellHeight;
    Place(m_view, l.View);
    m_view->setWindowStrip(QRect(0, l.SheetsPanelHeight, l.ViewSize + 10, l.ViewSize));
    m_view->ResetCamera();
    m_turn->layoutPassed();

    m_panel->place(l);
    updateStatus();
    repaintSheets();
}

void MainWindow::repaintSheets()
{
    for (Sheet s : AllSheets)
        refreshSheet(s);
}

void MainWindow::updateStatus()
{
    // Help and sheet edits belong to the drawing; a Check locks them.
    const bool build = game().TurnExercise() == Exercise::Build;
    for (QAction *a : {m_commands->hint, m_commands->peek})
        a->setEnabled(!game().Checked());
    m_commands->clearSheet->setEnabled(!game().Checked() && !build);
    m_commands->otherFigure->setEnabled(game().Checked() && build);
    // The menu ticks the exercise played: a sitting is drawn whatever was chosen.
    (build ? m_commands->buildFigure : m_commands->drawViews)->setChecked(true);
    m_panel->showStatus(game(), m_turn->lastCheck(), m_turn->currentCode(), m_turn->assessmentFigure(),
                        m_assignments->place());
}

void MainWindow::onRecordBeaten()
{
    if (const std::optional<QString> name = m_dialogs->askRecordName())
        m_turn->confirmRecord(*name);
    activate();
}

void MainWindow::onQuitTriggered()
{
    m_cues->Play(CueTurn);
    close();
}

void MainWindow::onAboutTriggered()
{
    m_cues->Play(CueTurn);
    m_dialogs->showAbout();
    activate();
}

void MainWindow::onEscapePressed()
{
    // Esc first drops a half-drawn stroke or a begun segment; with none, it
    // ends a running guide, and only then closes the window.
    bool dropped = m_turn->dropSegment();
    for (Sheet s : AllSheets) {
        if (game().Input(s).StrokeBegun()) {
            m_turn->game().Input(s).AbandonStroke();
            sheetWidget(s)->update();
            dropped = true;
        }
    }
    if (!dropped && !m_guide->stop())
        close();
}
