#include "ui/window/windowstate.h"

#include <QAction>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QWidget>

WindowState::WindowState(QWidget *window, QAction *fullScreenAction)
    : QObject(window), m_window(window), m_fullScreenAction(fullScreenAction)
{
}

void WindowState::showOnScreen()
{
    if (QScreen *s = m_window->screen())
        m_window->setGeometry(s->geometry());
    m_window->setMinimumSize(0, 0);  // the layout serves screens down to 320x240
    m_window->showFullScreen();
    m_fullScreenAction->setChecked(true);
}

void WindowState::showInWindow()
{
    QWidget *w = m_window;
    const bool wasFullScreen = w->isFullScreen();
    // Below this the sheets' lattice grows too fine to hit with the mouse.
    w->setMinimumSize(640, 480);
    w->showNormal();
    if (m_settings.windowGeometry.isEmpty() || !w->restoreGeometry(m_settings.windowGeometry)) {
        const QRect screenArea = w->screen() ? w->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize size = (screenArea.size() * 4 / 5).expandedTo(w->minimumSize());
        w->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screenArea));
    } else if (wasFullScreen) {
        w->showNormal();
    }
    m_fullScreenAction->setChecked(false);
}

void WindowState::showAsSettled()
{
    if (m_settings.fullScreen)
        showOnScreen();
    else
        showInWindow();
}

void WindowState::toggleFullScreen()
{
    if (m_window->isFullScreen()) {
        showInWindow();
    } else {
        m_settings.windowGeometry = m_window->saveGeometry();
        showOnScreen();
    }
    m_settings.fullScreen = m_window->isFullScreen();
    store();
}

void WindowState::store()
{
    if (!m_store || m_store->save(m_settings) || m_storeWarned)
        return;
    m_storeWarned = true;
    QMessageBox::warning(m_window, tr("Trivisto"), m_store->message());
}

void WindowState::windowClosing()
{
    if (!m_window->isFullScreen())
        m_settings.windowGeometry = m_window->saveGeometry();
    store();
}
