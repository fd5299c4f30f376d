#include "ui/window/mainwindow.h"

#include "ui/app/applook.h"
#include "ui/sheets/sheetwidget.h"
#include "ui/view3d/figureview.h"
#include "ui/window/controlpanel.h"

#include <QApplication>
#include <QFrame>

#include <initializer_list>

void MainWindow::applyLook(const GameSettings &settings)
{
    const Scheme scheme = AppLook::Apply(settings.look);
    // Between the sheets, the view and the panel the window shows the sheets'
    // background; the panels keep the button colour of the palette just set.
    QPalette own = palette();
    own.setColor(QPalette::Window, ToQColor(ColoursOf(scheme).sheet.background));
    setPalette(own);
    for (QWidget *panel : std::initializer_list<QWidget *>{m_sheetsPanel, m_panel}) {
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
        panel->setPalette(p);
    }
    for (SheetWidget *w : m_sheets) {
        w->setScheme(scheme);
        w->setSafePalette(settings.safePalette);
    }
    m_view->setScheme(scheme);
    m_view->setSafePalette(settings.safePalette);
}
