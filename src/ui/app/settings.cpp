#include "ui/app/settings.h"

#include "core/figure/figure.h"
#include "core/view3d/camera.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

int ReadInt(const QSettings &s, const QString &key, int fallback, int low, int high)
{
    bool ok = false;
    const int v = s.value(key).toString().trimmed().toInt(&ok);
    return ok && v >= low && v <= high ? v : fallback;
}

bool ReadBool(const QSettings &s, const QString &key, bool fallback)
{
    const QString v = s.value(key).toString().trimmed().toLower();
    if (v == QLatin1String("true") || v == QLatin1String("1"))
        return true;
    if (v == QLatin1String("false") || v == QLatin1String("0"))
        return false;
    return fallback;
}

} // namespace

GameSettings SettingsStore::load() const
{
    const GameSettings defaults;
    GameSettings g;
    const QSettings &s = m_settings;
    g.level = ReadInt(s, QStringLiteral("game/level"), defaults.level, 0, MaxLevel);
    g.lineWidth = ReadInt(s, QStringLiteral("view/lineWidth"), defaults.lineWidth, Camera::MinLineWidth,
                          Camera::MaxLineWidth);
    g.sound = ReadBool(s, QStringLiteral("game/sound"), defaults.sound);
    g.fullScreen = ReadBool(s, QStringLiteral("window/fullScreen"), defaults.fullScreen);
    g.windowGeometry = s.value(QStringLiteral("window/geometry")).toByteArray();
    const QString language = s.value(QStringLiteral("game/language")).toString();
    g.language = language == QLatin1String("en") || language == QLatin1String("ru") ? language : QString();
    g.safePalette = ReadBool(s, QStringLiteral("view/safePalette"), defaults.safePalette);
    g.look = ParseLook(s.value(QStringLiteral("view/look")).toString().trimmed().toStdString()).value_or(defaults.look);
    g.exercise = ParseExercise(s.value(QStringLiteral("game/exercise")).toString().trimmed().toStdString())
                     .value_or(defaults.exercise);
    g.nameSheets = ReadBool(s, QStringLiteral("view/nameSheets"), defaults.nameSheets);
    g.chooseFigures = ReadBool(s, QStringLiteral("coach/chooseFigures"), defaults.chooseFigures);
    g.continueAtStart = ReadBool(s, QStringLiteral("game/continueAtStart"), defaults.continueAtStart);
    g.coachTarget = ReadInt(s, QStringLiteral("coach/target"), defaults.coachTarget, MinTargetPercent, MaxTargetPercent);
    return g;
}

bool SettingsStore::save(const GameSettings &g)
{
    QSettings &s = m_settings;
    s.setValue(QStringLiteral("game/level"), g.level);
    s.setValue(QStringLiteral("view/lineWidth"), g.lineWidth);
    s.setValue(QStringLiteral("game/sound"), g.sound);
    s.setValue(QStringLiteral("window/fullScreen"), g.fullScreen);
    s.setValue(QStringLiteral("window/geometry"), g.windowGeometry);
    s.setValue(QStringLiteral("game/language"), g.language);
    s.setValue(QStringLiteral("view/safePalette"), g.safePalette);
    const std::string_view look = LookName(g.look);
    s.setValue(QStringLiteral("view/look"), QString::fromLatin1(look.data(), static_cast<qsizetype>(look.size())));
    s.setValue(QStringLiteral("game/exercise"), QString::fromLatin1(ExerciseName(g.exercise).data(), static_cast<qsizetype>(ExerciseName(g.exercise).size())));
    s.setValue(QStringLiteral("view/nameSheets"), g.nameSheets);
    s.setValue(QStringLiteral("coach/chooseFigures"), g.chooseFigures);
    s.setValue(QStringLiteral("coach/target"), g.coachTarget);
    s.setValue(QStringLiteral("game/continueAtStart"), g.continueAtStart);
    s.sync();
    // A garbled file is simply rewritten whole; only a failed write counts.
    if (s.status() != QSettings::AccessError)
        return true;
    m_message = QCoreApplication::translate("SettingsStore", "Your settings could not be saved in %1. "
                                                             "The game goes on with them until it ends.")
                    .arg(QDir::toNativeSeparators(QFileInfo(s.fileName()).absolutePath()));
    return false;
}
