#include "ui/app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString InstallTranslations(QCoreApplication &app, const QString &language)
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
