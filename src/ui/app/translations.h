#pragma once

#include <QString>

class QCoreApplication;

// Installs the game's own catalogue and Qt's (for its standard buttons) for
// a language: empty for the system's, or "en" / "ru". English is the source
// language and needs no catalogue. Returns the language that was loaded
// ("en" when no catalogue matched).
QString InstallTranslations(QCoreApplication &app, const QString &language);

// The language InstallTranslations loaded last; "en" before it ran.
QString InterfaceLanguage();

// A data file in the interface's language: in Russian "manual.ru.html" for
// "manual.html", when it is in dataDir; otherwise the file itself.
QString LocalizedFile(const QString &dataDir, const QString &fileName);
