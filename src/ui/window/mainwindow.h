#pragma once

#include "core/sheets/lattice.h"
#include "core/window/layout.h"
#include "ui/app/settings.h"
#include "ui/window/dialogflows.h"
#include "ui/window/turncontroller.h"
#include "ui/window/windowstate.h"

#include <QWidget>

#include <array>
#include <optional>

class AssignmentFlow;
class TurnKeeper;
class Commands;
class ControlPanel;
class CuePlayer;
class FigureView;
class Guide;
class ProgressWindows;
class QFrame;
class SheetWidget;

// The playing surface: the three sheets across the top, the 3D view at the
// lower left and the control panel at the lower right, laid out from the
// client area. It builds and places the widgets, routes commands (actions
// shared by buttons and keys) to the turn controller and repaints what the
// controller's signals name. No rule lives here.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // dataDir: the folder of the sounds, pictures and help files, with a
    // trailing separator. resultsPath: the results file (Stat.txt in dataDir
    // when empty).
    explicit MainWindow(const QString &dataDir, const QString &resultsPath = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    TurnController &turn() { return *m_turn; }
    const Game &game() const { return m_turn->game(); }
    const Layout &layout() const { return m_layout; }
    const SheetLattice &lattice() const { return m_lattice; }
    FigureView *view() const { return m_view; }
    SheetWidget *sheetWidget(Sheet s) const { return m_sheets[static_cast<std::size_t>(SheetIndex(s))]; }
    ControlPanel *controlPanel() const { return m_panel; }
    RecordNameDialog *nameDialog() const { return m_dialogs->nameDialog(); }
    AboutDialog *aboutDialog() const { return m_dialogs->aboutDialog(); }
    ManualWindow *manualWindow() const { return m_dialogs->manualWindow(); }
    CuePlayer *cues() const { return m_cues; }
    ProgressWindows *progressWindows() const { return m_progress; }
    Guide *guide() const { return m_guide; }
    AssignmentFlow *assignments() const { return m_assignments; }

    // Covers the screen: full screen, and also sized to the screen for an X
    // server without a window manager, which ignores the full-screen request.
    void showOnScreen() { m_state->showOnScreen(); }
    // A normal, decorated, resizable window with the remembered geometry (or
    // most of the screen).
    void showInWindow() { m_state->showInWindow(); }
    // Full screen or window, as the settings say.
    void showAsSettled() { m_state->showAsSettled(); }

    // The player's settings: applied at once, and written to the store (if
    // any) whenever the player changes one.
    void setSettingsStore(SettingsStore *store) { m_state->setStore(store); }
    void applySettings(const GameSettings &settings);
    const GameSettings &settings() const { return m_state->settings(); }
    // A first figure of this level instead of the one made at level 0.
    void startAtLevel(int level);
    // Keeps the turn in play for a later run in folder, when this copy holds
    // the instance lock, and offers the last run's unfinished turn (or
    // continues it at once, returning whether it did).
    bool keepTurns(const QString &folder, bool lockHeld, bool continueNow);
    TurnKeeper *keeper() const { return m_keeper; }
    // How long the status line offers the last turn after the start.
    static constexpr int KeptOfferMs = 60000;
    // A short word for the player in the status line.
    void showNotice(const QString &text);
    // A turn on the figure of a code as a player typed it; a code that
    // cannot be read is explained in a message and changes nothing.
    bool openPuzzleCode(const QString &text);
    // The exercise of the turns from now on; the present turn goes on in it
    // with the same figure. Building asks before it leaves a sitting.
    // `remember` keeps the choice in the settings (not for the command line).
    void chooseExercise(Exercise e, bool remember = true);

    // The activation sequence: each sheet's input guard, half-drawn strokes
    // dropped, true projections rebuilt, sheets repainted, the layout pass.
    // It runs at the first show and after each modal window of the game.
    void activate();
    // Sizes everything from the client area, resets the camera and reseeds
    // the generator.
    void layoutPass();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createTabOrder();
    void connectCommands();
    void connectController();

    void onQuitTriggered();
    void onAboutTriggered();
    void onEscapePressed();
    void onSettingsTriggered();
    // Light or Dark, and the palette after Check, at once everywhere
    // (windowlook.cpp).
    void applyLook(const GameSettings &settings);
    void onOpenCodeTriggered();
    void onLineWidthChanged();
    // Asks before a code or today's figure ends a sitting; true to go on.
    // Whether the player leaves a running assessment or assignment (asked).
    bool mayLeaveAssessment();
    void onAssessmentTriggered();
    void onAssessmentFinished(const AssessmentResult &result);
    // The sheet a sheet command acts on: the one under the pointer, else the
    // one with the keyboard focus.
    std::optional<Sheet> targetSheet() const;
    void refreshSheet(Sheet s);
    void onRecordBeaten();
    void onChecked(const Game::CheckOutcome &outcome);
    void onOtherFigure();
    void onContinueTriggered();
    // The keyboard's place: the 3D view in the build exercise, else New.
    void focusForTurn();
    void updateStatus();
    void repaintSheets();

    QString m_dataDir;
    TurnController *m_turn;
    SheetLattice m_lattice;
    Layout m_layout;
    bool m_activatedOnce = false;

    Commands *m_commands = nullptr;
    WindowState *m_state = nullptr;
    DialogFlows *m_dialogs = nullptr;

    QFrame *m_sheetsPanel = nullptr;
    ControlPanel *m_panel = nullptr;
    std::array<SheetWidget *, 3> m_sheets{};
    FigureView *m_view = nullptr;
    ProgressWindows *m_progress = nullptr;
    CuePlayer *m_cues = nullptr;
    Guide *m_guide = nullptr;
    AssignmentFlow *m_assignments = nullptr;
    TurnKeeper *m_keeper = nullptr;
};
