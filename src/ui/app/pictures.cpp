#include "ui/app/pictures.h"

#include <QFileInfo>

QPixmap CrispPixmap(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio >= 1.5) {
        const QFileInfo info(path);
        QPixmap large(info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("@2x.") +
                      info.suffix());
        if (!large.isNull()) {
            large.setDevicePixelRatio(2.0);
            return large;
        }
    }
    return QPixmap(path);
}

QIcon GameIcon(const QString &dataDir)
{
    QIcon fallback;
    fallback.addFile(dataDir + QStringLiteral("org.trivisto.Trivisto.svg"));
    fallback.addFile(dataDir + QStringLiteral("trivisto.png"), QSize(128, 128));
    return QIcon::fromTheme(QStringLiteral("org.trivisto.Trivisto"), fallback);
}
