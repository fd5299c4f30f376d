#include "ui/window/mainwindow.h"

#include "ui/dialogs/aboutdialog.h"
#include "ui/dialogs/manualwindow.h"
#include "ui/dialogs/settingsdialog.h"
#include "ui/app/codetext.h"
#include "ui/window/commands.h"
#include "ui/dialogs/progresswindows.h"
#include "ui/app/cueplayer.h"
#include "ui/dialogs/recordnamedialog.h"
#include "ui/sheets/sheetwidget.h"
#include "ui/view3d/figureview.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QClipboard>
#include <QCloseEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QUndoStack>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace {

const QString CueTurn = QStringLiteral("sett.wav");
const QString CuePress = QStringLiteral("3.wav");
const QString CueRelease = QStringLiteral("4.wav");

QPushButton *MakeButton(const char *name, QWidget *parent)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// A button runs its action and is enabled with it.
void BindButton(QPushButton *button, const QString &caption, QAction *action)
{
    button->setText(caption);
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
}

// Shrinks a label's font until its text fits the label (small screens).
void FitText(QLabel *label, int pixelSize)
{
    QFont f = label->font();
    for (int size = pixelSize; size >= 8; --size) {
        f.setPixelSize(size);
        const QFontMetrics m(f);
        if (m.horizontalAdvance(label->text()) <= label->width() && m.height() <= label->height())
            break;
    }
    label->setFont(f);
}

void Place(QWidget *w, const LayoutRect &r)
{
    w->setGeometry(r.left, r.top, r.width, r.height);
}

// Keys the level box edits with; every other key is left to the window's
// actions even while the box has the focus.
bool IsLevelBoxKey(const QKeyEvent *e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int k = e->key();
    return (k >= Qt::Key_0 && k <= Qt::Key_9) || k == Qt::Key_Backspace || k == Qt::Key_Delete || k == Qt::Key_Up ||
           k == Qt::Key_Down || k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Home || k == Qt::Key_End;
}

} // namespace

MainWindow::MainWindow(const QString &dataDir, const QString &resultsPath, QWidget *parent)
    : QWidget(parent), m_dataDir(dataDir), m_turn(new TurnController(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Trivisto"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, SheetWidget::Background);
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f = font();
    f.setPixelSize(15);
    setFont(f);
    m_turn->setResultsPath(resultsPath.isEmpty() ? dataDir + QStringLiteral("Stat.txt") : resultsPath);

    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);

    m_commands = new Commands(this, m_turn->undoStack());
    createControls();
    m_menuButton->setMenu(m_commands->createMenu(this));
    createTabOrder();
    connectCommands();
    connectController();

    // One layout pass now, so the first activation already finds the final
    // cell sizes.
    resize(screenSize);
    layoutPass();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectCommands()
{
    const Commands &c = *m_commands;
    auto on = [this](QAction *action, auto slot) { connect(action, &QAction::triggered, this, slot); };
    on(c.newGame, [this] { m_turn->newTurn(); });
    on(c.restart, [this] { m_turn->restart(); });
    on(c.check, [this] { m_turn->check(); });
    on(c.daily, [this] { m_turn->openCode(DailyPuzzle(TodayUtc())); });
    on(c.openCode, &MainWindow::onOpenCodeTriggered);
    on(c.copyCode, [this] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(EncodePuzzleCode(m_turn->currentCode())));
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
    on(c.fullScreen, &MainWindow::onFullScreenToggled);
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
    on(c.manual, [this] { m_manualWindow->showDocument(m_dataDir + QStringLiteral("manual.html")); });
    on(c.about, &MainWindow::onAboutTriggered);
    on(c.escape, &MainWindow::onEscapePressed);
}

void MainWindow::onLineWidthChanged()
{
    m_view->update();
    m_settings.lineWidth = std::min(m_view->camera().LineWidth, GameSettings::MaxLineWidth);
    storeSettings();
}

void MainWindow::createControls()
{
    const QPalette panelPalette = [] {
        QPalette p;
        p.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
        return p;
    }();
    m_sheetsPanel = new QFrame(this);
    m_sheetsPanel->setObjectName(QStringLiteral("sheetsPanel"));
    m_sheetsPanel->setFrameShape(QFrame::StyledPanel);
    m_sheetsPanel->setAutoFillBackground(true);
    m_sheetsPanel->setPalette(panelPalette);
    Game &game = m_turn->game();
    for (Sheet s : AllSheets) {
        auto *w = new SheetWidget(s, game.Input(s), game.TrueSegments(s), m_lattice, m_sheetsPanel);
        m_sheets[static_cast<std::size_t>(SheetIndex(s))] = w;
    }

    m_controlPanel = new QFrame(this);
    m_controlPanel->setObjectName(QStringLiteral("controlPanel"));
    m_controlPanel->setFrameShape(QFrame::Box);
    m_controlPanel->setAutoFillBackground(true);
    m_controlPanel->setPalette(panelPalette);

    m_newButton = MakeButton("newButton", m_controlPanel);
    m_checkButton = MakeButton("checkButton", m_controlPanel);
    m_endButton = MakeButton("endButton", m_controlPanel);
    m_aboutButton = MakeButton("aboutButton", m_controlPanel);
    BindButton(m_newButton, tr("New"), m_commands->newGame);
    BindButton(m_checkButton, tr("Check"), m_commands->check);
    BindButton(m_endButton, tr("End"), m_commands->quit);
    BindButton(m_aboutButton, tr("About"), m_commands->about);

    m_levelLabel = new QLabel(tr("Level"), m_controlPanel);
    m_levelLabel->setObjectName(QStringLiteral("levelLabel"));
    m_levelBox = new QSpinBox(m_controlPanel);
    m_levelBox->setObjectName(QStringLiteral("levelBox"));
    m_levelBox->setRange(0, MaxLevel);
    m_levelBox->setValue(game.Level());
    m_levelBox->setToolTip(tr("Level: more walk segments from the next New on"));
    m_levelBox->setAccessibleName(tr("Level"));
    m_levelBox->installEventFilter(this);
    m_levelBox->findChild<QLineEdit *>()->installEventFilter(this);
    connect(m_levelBox, &QSpinBox::valueChanged, this, [this](int level) {
        m_turn->setLevel(level);
        m_settings.level = level;
        storeSettings();
    });

    m_picture = new QLabel(m_controlPanel);
    m_picture->setObjectName(QStringLiteral("picture"));
    const QString picture = m_dataDir + QStringLiteral("panel.jpg");
    const QPixmap pixmap(picture);
    if (pixmap.isNull())
        qWarning("trivisto: picture %s could not be read; the panel shows without it", qPrintable(picture));
    m_picture->setPixmap(pixmap);

    m_timeLabel = new QLabel(m_controlPanel);
    m_timeLabel->setObjectName(QStringLiteral("timeLabel"));
    m_resultLabel = new QLabel(m_controlPanel);
    m_resultLabel->setObjectName(QStringLiteral("resultLabel"));
    m_bestLabel = new QLabel(m_controlPanel);
    m_bestLabel->setObjectName(QStringLiteral("bestLabel"));
    m_codeLabel = new QLabel(m_controlPanel);
    m_codeLabel->setObjectName(QStringLiteral("codeLabel"));
    m_codeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont resultFont = font();
    resultFont.setBold(true);
    m_resultLabel->setFont(resultFont);

    m_menuButton = MakeButton("menuButton", m_controlPanel);
    m_menuButton->setText(tr("Menu"));
    m_suggestButton = MakeButton("suggestButton", m_controlPanel);
    m_suggestButton->hide();
    connect(m_suggestButton, &QPushButton::clicked, this, [this] {
        m_levelBox->setValue(m_turn->suggestion().level);
        m_suggestButton->hide();
    });

    m_view = new FigureView(game.CurrentFigure(), this);
    m_view->setAccessibleName(tr("The figure in 3D"));
    m_view->setAccessibleDescription(tr("Drag to turn it, the wheel zooms; X, Y and Z show it as the sheets do, R "
                                        "returns to the start view."));
    m_cues = new CuePlayer(m_dataDir, this);
    m_nameDialog = new RecordNameDialog(this);
    m_aboutDialog = new AboutDialog(m_dataDir, this);
    m_manualWindow = new ManualWindow(this);
    m_progress = new ProgressWindows(this, m_turn->resultsPath(), [this] { return m_turn->history(); });
    connect(m_aboutDialog, &AboutDialog::manualRequested, m_manualWindow,
            [this] { m_manualWindow->showDocument(m_dataDir + QStringLiteral("manual.html")); });
    connect(m_aboutDialog, &AboutDialog::documentRequested, m_manualWindow, &ManualWindow::showDocument);
}

void MainWindow::createTabOrder()
{
    // The panel's controls first, then the sheets, which draw from the keys.
    QWidget *previous = m_newButton;
    for (QWidget *next : std::initializer_list<QWidget *>{m_checkButton, m_aboutButton, m_endButton, m_levelBox,
                                                          m_menuButton, m_sheets[0], m_sheets[1], m_sheets[2]}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void MainWindow::connectController()
{
    for (SheetWidget *w : m_sheets) {
        connect(w, &SheetWidget::pressed, m_cues, [this] { m_cues->Play(CuePress); });
        connect(w, &SheetWidget::released, m_cues, [this] { m_cues->Play(CueRelease); });
    }
    connect(m_turn, &TurnController::turnStarted, this, [this] {
        m_cues->Play(CueTurn);
        m_view->update();
        repaintSheets();
        updateStatus();
    });
    connect(m_turn, &TurnController::checked, this, [this] {
        m_cues->Play(CueTurn);
        repaintSheets();
        updateStatus();
    });
    connect(m_turn, &TurnController::recordBeaten, this, &MainWindow::onRecordBeaten);
    connect(m_turn, &TurnController::levelChanged, m_levelBox, &QSpinBox::setValue);
    connect(m_turn, &TurnController::sheetChanged, this, [this](Sheet s) {
        refreshSheet(s);
        updateStatus();
    });
    connect(m_turn, &TurnController::helpBought, this, &MainWindow::updateStatus);
    connect(m_turn, &TurnController::historyProblem, this,
            [this](const QString &message) { QMessageBox::warning(this, tr("Trivisto"), message); });
    connect(m_turn, &TurnController::historyChanged, m_progress, &ProgressWindows::refresh);
    connect(m_turn, &TurnController::suggestionChanged, this, &MainWindow::onSuggestionChanged);
    connect(m_turn, &TurnController::assessmentFinished, this, &MainWindow::onAssessmentFinished);
    for (Sheet s : AllSheets)
        connect(sheetWidget(s), &SheetWidget::strokeFinished, m_turn,
                [this, s](const SheetStrokes &before) { m_turn->strokeFinished(s, before); });
    connect(m_turn, &TurnController::recordSaveFailed, this,
            [this](const QString &message) { QMessageBox::warning(this, tr("Trivisto"), message); });
    connect(m_turn, &TurnController::secondsChanged, this, &MainWindow::updateStatus);
    connect(m_turn, &TurnController::recordThresholdChanged, this, &MainWindow::updateStatus);
}

void MainWindow::showOnScreen()
{
    if (QScreen *s = screen())
        setGeometry(s->geometry());
    setMinimumSize(0, 0);  // the layout serves screens down to 320x240
    showFullScreen();
    m_commands->fullScreen->setChecked(true);
}

void MainWindow::showInWindow()
{
    const bool wasFullScreen = isFullScreen();
    // Below this the sheets' lattice grows too fine to hit with the mouse.
    setMinimumSize(640, 480);
    showNormal();
    if (m_settings.windowGeometry.isEmpty() || !restoreGeometry(m_settings.windowGeometry)) {
        const QRect screenArea = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize size = (screenArea.size() * 4 / 5).expandedTo(minimumSize());
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screenArea));
    } else if (wasFullScreen) {
        showNormal();
    }
    m_commands->fullScreen->setChecked(false);
}

void MainWindow::showAsSettled()
{
    if (m_settings.fullScreen)
        showOnScreen();
    else
        showInWindow();
}

void MainWindow::onFullScreenToggled()
{
    if (isFullScreen()) {
        showInWindow();
    } else {
        m_settings.windowGeometry = saveGeometry();
        showOnScreen();
    }
    m_settings.fullScreen = isFullScreen();
    storeSettings();
}

void MainWindow::applySettings(const GameSettings &settings)
{
    m_settings = settings;
    m_levelBox->setValue(settings.level);
    m_turn->setLevel(settings.level);
    m_view->camera().LineWidth = settings.lineWidth;
    m_view->update();
    m_cues->setEnabled(settings.sound);
    for (SheetWidget *w : m_sheets)
        w->setSafePalette(settings.safePalette);
}

void MainWindow::startAtLevel(int level)
{
    m_levelBox->setValue(level);
    m_turn->startAtLevel(level);
    m_view->update();
    repaintSheets();
    updateStatus();
}

void MainWindow::storeSettings()
{
    if (!m_store || m_store->save(m_settings) || m_storeWarned)
        return;
    m_storeWarned = true;
    QMessageBox::warning(this, tr("Trivisto"), m_store->message());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!isFullScreen())
        m_settings.windowGeometry = saveGeometry();
    storeSettings();
    QWidget::closeEvent(event);
}

void MainWindow::onSettingsTriggered()
{
    SettingsDialog dialog(this);
    dialog.setValues(m_settings);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    activate();
    if (!accepted)
        return;
    const GameSettings chosen = dialog.values();
    const bool screenChanged = chosen.fullScreen != isFullScreen();
    applySettings(chosen);
    if (screenChanged)
        showAsSettled();
    storeSettings();
    repaintSheets();
}

bool MainWindow::openPuzzleCode(const QString &text)
{
    const ParsedPuzzleCode parsed = ParsePuzzleCode(text.toStdString());
    if (!parsed.code) {
        QMessageBox::warning(this, tr("Trivisto"), PuzzleCodeProblem(parsed.error));
        return false;
    }
    m_turn->openCode(*parsed.code);
    return true;
}

void MainWindow::onOpenCodeTriggered()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Open Puzzle Code"), tr("Puzzle code (as XXXX-XXXX-X):"),
                                               QLineEdit::Normal, QString(), &ok);
    if (ok)
        openPuzzleCode(text);
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
    if (game().Checked())
        marks.revealed = m_turn->classification(s);
    marks.hints = m_turn->hints(s);
    marks.peek = m_turn->peek(s);
    sheetWidget(s)->setMarks(marks);
    sheetWidget(s)->update();
}

void MainWindow::onAssessmentTriggered()
{
    const auto answer = QMessageBox::question(
        this, tr("Assessment"),
        tr("An assessment is the same %1 figures for every player, from easy to hard, played in one sitting. "
           "Check each figure, then press New for the next one. Its total is kept in your statistics, so you "
           "can measure your progress over the weeks.\n\nStart the assessment now?")
            .arg(AssessmentSize));
    activate();
    if (answer == QMessageBox::Yes)
        m_turn->startAssessment();
}

void MainWindow::onAssessmentFinished(const AssessmentResult &result)
{
    QMessageBox::information(this, tr("Assessment"),
                             tr("Assessment complete: %1 points in %2 seconds over %3 figures. "
                                "Statistics (Ctrl+T) shows your sittings over time.")
                                 .arg(result.TotalScore())
                                 .arg(result.TotalSeconds())
                                 .arg(AssessmentSize));
    activate();
}

void MainWindow::onSuggestionChanged(const LevelSuggestion &suggestion)
{
    if (suggestion.change == LevelChange::None) {
        m_suggestButton->hide();
        return;
    }
    m_suggestButton->setText(suggestion.change == LevelChange::Up ? tr("Try level %1").arg(suggestion.level)
                                                                   : tr("Ease to level %1").arg(suggestion.level));
    m_suggestButton->setToolTip(suggestion.change == LevelChange::Up
                                    ? tr("Your last turns at this level went well: one level up for the next New?")
                                    : tr("Your last turns at this level were hard: one level down for the next New?"));
    m_suggestButton->show();
    m_suggestButton->raise();
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
    m_newButton->setFocus();
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
    m_controlPanel->setGeometry(width() - l.ControlPanelWidth, l.SheetsPanelHeight, l.ControlPanelWidth,
                                l.ControlPanelHeight);
    for (std::size_t i = 0; i < m_sheets.size(); ++i)
        Place(m_sheets[i], l.Sheets[i]);
    m_lattice.CellWidth = l.CellWidth;
    m_lattice.CellHeight = l.CellHeight;
    Place(m_view, l.View);
    m_view->ResetCamera();
    m_turn->layoutPassed();

    // On small screens the controls shrink; their text shrinks with them.
    const int textSize = font().pixelSize();
    for (auto [w, r] : {std::pair<QWidget *, LayoutRect>{m_endButton, l.EndButton}, {m_levelBox, l.LevelBox},
                        {m_levelLabel, l.LevelLabel}, {m_newButton, l.NewButton}, {m_checkButton, l.CheckButton},
                        {m_aboutButton, l.AboutButton}, {m_menuButton, l.MenuButton}, {m_suggestButton, l.SuggestButton}}) {
        Place(w, r);
        QFont small = w->font();
        small.setPixelSize(std::clamp(r.height - 8, 8, textSize));
        w->setFont(small);
    }
    Place(m_picture, l.Picture);
    const LayoutRect &st = l.Status;
    const std::array<QLabel *, 4> lines{m_timeLabel, m_resultLabel, m_bestLabel, m_codeLabel};
    const int lineHeight = std::min(fontMetrics().height() + 4, st.height / static_cast<int>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i]->setGeometry(st.left, st.top + static_cast<int>(i) * lineHeight, st.width, lineHeight);
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
    const Game &g = game();
    if (g.Checked()) {
        const int seconds = m_turn->lastCheck().seconds;
        m_timeLabel->setText(seconds == 1 ? tr("Checked after 1 second") : tr("Checked after %1 seconds").arg(seconds));
        QString result = tr("Right %1   Wrong %2   Score %3").arg(g.RightCount()).arg(g.WrongCount()).arg(g.Score());
        const Game::CheckOutcome &outcome = m_turn->lastCheck();
        if (outcome.help.Cost() > 0)
            result += tr("   after help %1").arg(outcome.finalScore);
        m_resultLabel->setText(result);
    } else {
        m_timeLabel->setText(tr("Time %1 s").arg(g.Seconds()));
        const HelpUsed &help = g.Help();
        m_resultLabel->setText(help.Cost() > 0 ? tr("Help so far: -%1 points").arg(help.Cost()) : QString());
    }
    m_bestLabel->setText(tr("Best score %1").arg(g.RecordThreshold()));
    // Help and sheet edits belong to the drawing; a Check locks them.
    for (QAction *a : {m_commands->hint, m_commands->peek, m_commands->clearSheet})
        a->setEnabled(!g.Checked());
    const QString code = QString::fromStdString(EncodePuzzleCode(m_turn->currentCode()));
    if (const std::optional<std::size_t> figure = m_turn->assessmentFigure())
        m_codeLabel->setText(tr("Assessment figure %1 of %2").arg(*figure + 1).arg(AssessmentSize));
    else
        m_codeLabel->setText(m_turn->currentCode().daily ? tr("Daily figure %1").arg(code)
                                                         : tr("Puzzle %1").arg(code));
    for (QLabel *label : {m_timeLabel, m_resultLabel, m_bestLabel, m_codeLabel})
        FitText(label, font().pixelSize());
}

void MainWindow::onRecordBeaten()
{
    if (m_nameDialog->exec() == QDialog::Accepted)
        m_turn->confirmRecord(m_nameDialog->pendingName());
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
    m_aboutDialog->exec();
    activate();
}

void MainWindow::onEscapePressed()
{
    // Esc first drops a half-drawn stroke; with none, it closes the window.
    bool dropped = false;
    for (Sheet s : AllSheets) {
        if (game().Input(s).StrokeBegun()) {
            m_turn->game().Input(s).AbandonStroke();
            sheetWidget(s)->update();
            dropped = true;
        }
    }
    if (!dropped)
        close();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A text box claims every printable key before shortcuts see it; the
    // level box gives up all but its editing keys, so W, Esc and the like
    // reach the window's actions.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (IsLevelBoxKey(key)) {
            event->accept();
            return false;
        }
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The strip between the view and the control panel turns the camera too;
// presses that panels and labels pass on must not.
bool MainWindow::inCameraStrip(QPoint pos) const
{
    return QRect(0, m_layout.SheetsPanelHeight, m_layout.ViewSize + 10, m_layout.ViewSize).contains(pos);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (inCameraStrip(pos))
        m_view->CameraPress(pos);
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    m_view->CameraMove(event->position().toPoint());
}

void MainWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_view->CameraRelease();
}
