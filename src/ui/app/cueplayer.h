#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QSoundEffect;

// Plays the short sound cues that live beside the program. Each cue starts at
// once and is never waited for; a new cue cuts off the one still playing. A
// cue that cannot be loaded or played is skipped, with one warning on standard
// error per file, and the action that asked for it goes on.
class CuePlayer : public QObject {
    Q_OBJECT
public:
    explicit CuePlayer(const QString &programDir, QObject *parent = nullptr);

    void Play(const QString &fileName);
    // With sound off, cues are skipped silently.
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }
    // Files that could not be played so far (warned about once each).
    QSet<QString> failedFiles() const { return m_failed; }

private:
    QSoundEffect *effect(const QString &fileName);
    void warnOnce(const QString &fileName, const QString &why);

    QString m_programDir;
    QHash<QString, QSoundEffect *> m_effects;
    QSet<QString> m_failed;
    QSoundEffect *m_current = nullptr;
    bool m_enabled = true;
};
