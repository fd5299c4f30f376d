#include "ui/app/translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

QString &Installed()
{
    static QString language = QStringLiteral("en");
    return language;
}

QString Load(QCoreApplication &app, const QString &language)
{
    const QLocale locale = language.isEmpty() ? QLocale::system() : QLocale(language);
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return QStringLiteral("en");
    auto *game = new QTranslator(&app);
    if (!game->load(locale, QStringLiteral("trivisto"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete game;
        return QStringLiteral("en");
    }
    QCoreApplication::installTranslator(game);
    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return QLocale::languageToCode(locale.language());
}

} // namespace

QString InstallTranslations(QCoreApplication &app, const QString &language)
{
    return Installed() = Load(app, language);
}

QString InterfaceLanguage()
{
    return Installed();
}

QString LocalizedFile(const QString &dataDir, const QString &fileName)
{
    const QString language = InterfaceLanguage();
    if (language != QLatin1String("en")) {
        const QFileInfo info(fileName);
        const QString local = dataDir + info.completeBaseName() + QLatin1Char('.') + language + QLatin1Char('.') +
                              info.suffix();
        if (QFileInfo::exists(local))
            return local;
    }
    return dataDir + fileName;
}
