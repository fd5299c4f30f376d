#pragma once

#include "ui/app/settings.h"

#include <QObject>

class QAction;
class QWidget;

// Full screen or a window, and the player's settings as the window keeps
// them. Full screen covers the screen, also on an X server without a window
// manager; a window comes back with the geometry it had, or takes most of the
// screen. Every change the player makes is written to the store at once; when
// writing fails the player is told once, and the game goes on.
class WindowState : public QObject {
    Q_OBJECT
public:
    // fullScreenAction: checked while the window covers the screen.
    WindowState(QWidget *window, QAction *fullScreenAction);

    void showOnScreen();
    void showInWindow();
    // Full screen or window, as the settings say.
    void showAsSettled();
    // F11: from full screen to the window and back, remembered.
    void toggleFullScreen();

    const GameSettings &settings() const { return m_settings; }
    // The settings to change; store() writes them.
    GameSettings &settings() { return m_settings; }
    void setStore(SettingsStore *store) { m_store = store; }
    void store();
    // The window closes: a window's geometry is kept for the next start.
    void windowClosing();

private:
    QWidget *m_window;
    QAction *m_fullScreenAction;
    GameSettings m_settings;
    SettingsStore *m_store = nullptr;
    bool m_storeWarned = false;
};
