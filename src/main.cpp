#include "game/tfrmgl.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSurfaceFormat>

int main(int argc, char *argv[])
{
    // The 3D view draws with fixed-function OpenGL.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    QSurfaceFormat::setDefaultFormat(format);

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
