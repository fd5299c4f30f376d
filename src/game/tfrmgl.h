#pragma once

#include "game/game.h"
#include "game/layout.h"
#include "sheets/lattice.h"

#include <QWidget>

#include <array>

class CuePlayer;
class FigureView;
class QFrame;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class SheetWidget;
class TFormA;
class TFormInputName;

// The main window: the three sheets across the top, the 3D view at the lower
// left and the control panel at the lower right, laid out from the screen.
// It runs the turns (New, Check, End, About), the level box, the turn's
// seconds and the sound cues, and after every activation keeps the sheets deaf
// to the mouse for half a second so a click meant for a closing dialog draws
// nothing. The window covers the whole screen.
class TfrmGL : public QWidget {
    Q_OBJECT
public:
    // programDir: the folder of the sounds, the help files and the results
    // file, with a trailing separator.
    explicit TfrmGL(const QString &programDir, QWidget *parent = nullptr);
    ~TfrmGL() override;

    // Reads the results file; returns the message to show, or an empty string.
    QString ReadResults();

    // Covers the screen: full-screen, and also sized to the screen for an X
    // server without a window manager, which ignores the full-screen request.
    void ShowOnScreen();

    Game &game() { return m_game; }
    const Layout &layout() const { return m_layout; }
    const SheetLattice &lattice() const { return m_lattice; }
    QString programDir() const { return m_programDir; }
    QString resultsPath() const { return m_programDir + QStringLiteral("Stat.txt"); }
    FigureView *view() const { return m_view; }
    SheetWidget *sheetWidget(Sheet s) const { return m_sheets[static_cast<std::size_t>(SheetIndex(s))]; }
    TFormInputName *nameWindow() const { return m_inputName; }
    TFormA *aboutWindow() const { return m_about; }
    CuePlayer *cues() const { return m_cues; }

    // The turn handlers, as the buttons run them.
    void New();
    void Check1Click();
    void Exit1Click();
    void ButtonAutorClick();

    // Activation: English captions, each sheet's input guard, half-drawn
    // strokes dropped, true projections rebuilt, sheets repainted, layout.
    void FormActivate();
    // The layout pass: sizes everything from the client area, resets the camera
    // and reseeds the random generator.
    void FormResize();

Q_SIGNALS:
    // A record's name was confirmed and saving it failed with this message.
    void recordSaveFailed(const QString &message);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void english();
    bool InCameraStrip(QPoint pos) const;
    void UpdateStatus();
    void StoreRecord(const Game::CheckOutcome &outcome);
    void RepaintSheets();

    QString m_programDir;
    Game m_game;
    SheetLattice m_lattice;
    Layout m_layout;
    int m_viewSize = 0;
    bool m_activatedOnce = false;
    Game::CheckOutcome m_lastCheck;

    QFrame *m_panel1;
    QFrame *m_panel2;
    std::array<SheetWidget *, 3> m_sheets{};
    FigureView *m_view;
    QPushButton *m_buttonNew;
    QPushButton *m_buttonCheck;
    QPushButton *m_buttonEnd;
    QPushButton *m_buttonAutor;
    QLabel *m_label2;
    QSpinBox *m_edit1;
    QLabel *m_im1;
    QLabel *m_labelTime;
    QLabel *m_labelResult;
    QLabel *m_labelBest;
    QTimer *m_timerSec;
    std::array<QTimer *, 3> m_guardTimers{};
    CuePlayer *m_cues;
    TFormInputName *m_inputName;
    TFormA *m_about;
};
