#include "ui/app/locations.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString WithSeparator(const QString &dir)
{
    return QDir::cleanPath(QDir(dir).absolutePath()) + QLatin1Char('/');
}

} // namespace

GameLocations FindLocations(const QString &programDir, const QString &playerDataDir)
{
    const QDir bin(programDir);
    const QString shared = bin.absoluteFilePath(QStringLiteral("../share/trivisto"));
    // Installed: in bin/, or in games/ where Debian keeps games (/usr/games).
    const bool installDir = bin.dirName() == QLatin1String("bin") || bin.dirName() == QLatin1String("games");
    if (installDir && QFileInfo(shared).isDir())
        return {WithSeparator(shared), WithSeparator(playerDataDir), true};
    const QString here = WithSeparator(programDir);
    return {here, here, false};
}
