#pragma once

#include "core/coach/choice.h"
#include "core/codes/exercise.h"
#include "core/look/look.h"

#include <QByteArray>
#include <QString>

class QSettings;

// The settings a player changes, with the values a fresh game starts from.
struct GameSettings {
    int level = 0;
    int lineWidth = 1;  // the 3D view's line width (W / Shift+W), within the camera's range
    bool sound = true;
    bool fullScreen = true;  // the last F11 choice
    QByteArray windowGeometry;
    QString language;  // empty: the system's; otherwise "en" or "ru"
    bool safePalette = false;  // colour-blind-safe colours after Check
    Look look = Look::Light;   // light, dark, or as the desktop
    Exercise exercise = Exercise::Views;  // the exercise chosen last
    bool nameSheets = false;  // each sheet shows where it sees the figure from
    bool chooseFigures = false;  // New picks figures near the target accuracy
    int coachTarget = DefaultTargetPercent;  // that target in percent
    bool continueAtStart = false;  // the last game's unfinished turn continues at start

    friend bool operator==(const GameSettings &, const GameSettings &) = default;
};

// Reads and writes GameSettings through QSettings, in the platform's usual
// place. Anything missing, unreadable or garbled reads as the default, so a
// damaged file never stops the game.
class SettingsStore {
public:
    explicit SettingsStore(QSettings &settings) : m_settings(settings) {}

    GameSettings load() const;
    // False when the settings could not be written; message() then says why.
    bool save(const GameSettings &values);
    QString message() const { return m_message; }

private:
    QSettings &m_settings;
    QString m_message;
};
