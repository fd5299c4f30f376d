#include "ui/app/classfiles.h"

#include "core/classroom/canonicaljson.h"
#include "core/storage/durablefile.h"

#include <QFile>
#include <QRegularExpression>

#include <cstring>

#include <sys/stat.h>

LoadedResult ReadClassFile(const QString &path)
{
    LoadedResult loaded;
    loaded.path = path.toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.readError = file.errorString().toStdString();
        return loaded;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(MaxClassFileBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        loaded.readError = file.errorString().toStdString();
    else
        loaded.bytes = bytes.toStdString();
    return loaded;
}

QString WriteFileDurably(const QString &path, std::string_view contents)
{
    const std::string name = QFile::encodeName(path).toStdString();
    struct stat st { };
    const mode_t mode = ::stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? st.st_mode & 07777 : NewFileMode();
    if (const int err = ReplaceDurably(name, contents, mode))
        return QString::fromLocal8Bit(std::strerror(err));
    return {};
}

QString WithExtension(const QString &path, const QString &extension)
{
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

QString FileNameFromTitle(const QString &title)
{
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString name = title.trimmed();
    name.replace(unsafe, QStringLiteral("_"));
    // A leading dot hides the file, a trailing dot or space is lost on some systems.
    while (name.startsWith(QLatin1Char('.')))
        name.replace(0, 1, QLatin1Char('_'));
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("_") : name;
}
