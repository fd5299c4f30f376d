#pragma once

#include <QObject>

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QUndoStack;
class QWidget;

// Every command of the game as an action with its key, shared by the panel's
// buttons, the keyboard and the menu, and the menu that lists them in the
// groups a desktop game uses. The keys work whichever control of the window
// has the focus. What a command does is connected by the window.
class Commands : public QObject {
    Q_OBJECT
public:
    Commands(QWidget *window, QUndoStack *undoStack);

    // Continue Last Turn: enabled while an earlier run's unfinished turn is kept.
    QAction *continueTurn;
    QAction *newGame, *restart, *check, *daily, *openCode, *copyCode, *assessment, *highScores, *statistics, *quit;
    // Game > Exercise: one of the two is checked.
    QAction *drawViews, *buildFigure;
    // G: after a build turn's Check, the player's figure, the generated one, or both.
    QAction *otherFigure;
    QAction *undo, *redo, *clearSheet, *hint, *peek;
    QAction *fullScreen, *startView, *thinner, *thicker, *redraw;
    std::array<QAction *, 3> sheetViews{};  // the view as sheet X, Y, Z shows the figure
    // The classroom: a student's assignment and result, a teacher's tools.
    QAction *openAssignment, *saveResultAs, *newAssignment, *classResults, *printAssignment, *exportWorksheet;
    QAction *settings, *manual, *guide, *about;
    // Esc: drops a half-drawn stroke, or with none closes the window.
    QAction *escape;

    // The menu behind the panel's Menu button.
    QMenu *createMenu(QWidget *parent) const;

private:
    QAction *make(const char *name, const QString &text, const QList<QKeySequence> &keys);

    QWidget *m_window;
};
