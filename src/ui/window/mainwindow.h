#pragma once

#include "ui/app/settings.h"
#include "core/window/layout.h"
#include "ui/window/turncontroller.h"
#include "core/sheets/lattice.h"

#include <QWidget>

#include <array>
#include <optional>

class AboutDialog;
class Commands;
class ProgressWindows;
class CuePlayer;
class FigureView;
class ManualWindow;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class SettingsStore;
class QSpinBox;
class RecordNameDialog;
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
    RecordNameDialog *nameDialog() const { return m_nameDialog; }
    AboutDialog *aboutDialog() const { return m_aboutDialog; }
    ManualWindow *manualWindow() const { return m_manualWindow; }
    CuePlayer *cues() const { return m_cues; }

    // Covers the screen: full screen, and also sized to the screen for an X
    // server without a window manager, which ignores the full-screen request.
    void showOnScreen();
    // A normal, decorated, resizable window with the remembered geometry (or
    // most of the screen).
    void showInWindow();
    // Full screen or window, as the settings say.
    void showAsSettled();

    // The player's settings: applied at once, and written to the store (if
    // any) whenever the player changes one.
    void setSettingsStore(SettingsStore *store) { m_store = store; }
    void applySettings(const GameSettings &settings);
    const GameSettings &settings() const { return m_settings; }
    // A first figure of this level instead of the one made at level 0.
    void startAtLevel(int level);
    // A turn on the figure of a code as a player typed it; a code that
    // cannot be read is explained in a message and changes nothing.
    bool openPuzzleCode(const QString &text);
    ProgressWindows *progressWindows() const { return m_progress; }

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
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createTabOrder();
    void connectCommands();
    void connectController();
    void storeSettings();

    void onQuitTriggered();
    void onAboutTriggered();
    void onEscapePressed();
    void onFullScreenToggled();
    void onSettingsTriggered();
    void onOpenCodeTriggered();
    void onLineWidthChanged();
    void onAssessmentTriggered();
    void onAssessmentFinished(const AssessmentResult &result);
    void onSuggestionChanged(const LevelSuggestion &suggestion);
    // The sheet a sheet command acts on: the one under the pointer, else the
    // one with the keyboard focus.
    std::optional<Sheet> targetSheet() const;
    void refreshSheet(Sheet s);
    void onRecordBeaten();
    void updateStatus();
    void repaintSheets();
    bool inCameraStrip(QPoint pos) const;

    QString m_dataDir;
    TurnController *m_turn;
    SheetLattice m_lattice;
    Layout m_layout;
    bool m_activatedOnce = false;
    GameSettings m_settings;
    SettingsStore *m_store = nullptr;
    bool m_storeWarned = false;

    Commands *m_commands = nullptr;

    QFrame *m_sheetsPanel = nullptr;
    QFrame *m_controlPanel = nullptr;
    std::array<SheetWidget *, 3> m_sheets{};
    FigureView *m_view = nullptr;
    QPushButton *m_newButton = nullptr;
    QPushButton *m_checkButton = nullptr;
    QPushButton *m_endButton = nullptr;
    QPushButton *m_aboutButton = nullptr;
    QLabel *m_levelLabel = nullptr;
    QSpinBox *m_levelBox = nullptr;
    QLabel *m_picture = nullptr;
    QLabel *m_timeLabel = nullptr;
    QLabel *m_resultLabel = nullptr;
    QLabel *m_bestLabel = nullptr;
    QLabel *m_codeLabel = nullptr;
    QPushButton *m_menuButton = nullptr;
    QPushButton *m_suggestButton = nullptr;
    ProgressWindows *m_progress = nullptr;
    CuePlayer *m_cues = nullptr;
    RecordNameDialog *m_nameDialog = nullptr;
    AboutDialog *m_aboutDialog = nullptr;
    ManualWindow *m_manualWindow = nullptr;
};
