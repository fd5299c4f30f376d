#include "game/tfrmgl.h"
#include "view3d/figureview.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    FigureView::UseDefaultSurfaceFormat();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trivisto"));

    const QString programDir = QDir(QApplication::applicationDirPath()).absolutePath() + QDir::separator();
    TfrmGL window(programDir);
    const QString problem = window.ReadResults();
    if (!problem.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Trivisto"), problem);
    window.ShowOnScreen();
    return QApplication::exec();
}
