#include "game/mainwindow.h"
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
    MainWindow window(programDir, programDir + QStringLiteral("Stat.txt"));
    const QString problem = window.turn().readResults();
    if (!problem.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Trivisto"), problem);
    window.showOnScreen();
    return QApplication::exec();
}
