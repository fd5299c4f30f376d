#include "ui/app/accessibility.h"

#include "ui/sheets/sheetaccessible.h"
#include "ui/sheets/sheetwidget.h"
#include "ui/view3d/figureview.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface *GameWidgets(const QString &className, QObject *object)
{
    if (className == QLatin1String("SheetWidget"))
        if (auto *sheet = qobject_cast<SheetWidget *>(object))
            return new SheetAccessible(sheet);
    // Without a role of its own the view would be read as a plain pane.
    if (className == QLatin1String("FigureView"))
        if (auto *view = qobject_cast<FigureView *>(object))
            return new QAccessibleWidget(view, QAccessible::Canvas);
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    QAccessible::installFactory(GameWidgets);
}
