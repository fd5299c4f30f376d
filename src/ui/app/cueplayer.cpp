#include "ui/app/cueplayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <cstdio>

CuePlayer::CuePlayer(const QString &programDir, QObject *parent) : QObject(parent), m_programDir(programDir) {}

void CuePlayer::warnOnce(const QString &fileName, const QString &why)
{
    if (m_failed.contains(fileName))
        return;
    m_failed.insert(fileName);
    std::fprintf(stderr, "trivisto: sound %s skipped: %s\n", qPrintable(m_programDir + fileName), qPrintable(why));
}

QSoundEffect *CuePlayer::effect(const QString &fileName)
{
    if (auto it = m_effects.find(fileName); it != m_effects.end())
        return it.value();
    const QString path = m_programDir + fileName;
    QSoundEffect *e = nullptr;
    if (QFileInfo(path).isFile()) {
        e = new QSoundEffect(this);
        connect(e, &QSoundEffect::statusChanged, this, [this, e, fileName] {
            if (e->status() == QSoundEffect::Error)
                warnOnce(fileName, QStringLiteral("it could not be loaded"));
        });
        e->setSource(QUrl::fromLocalFile(path));
    } else {
        warnOnce(fileName, QStringLiteral("the file is missing"));
    }
    m_effects.insert(fileName, e);
    return e;
}

void CuePlayer::Play(const QString &fileName)
{
    if (!m_enabled)
        return;
    QSoundEffect *e = effect(fileName);
    if (m_current && m_current != e)
        m_current->stop();
    if (!e || e->status() == QSoundEffect::Error)
        return;
    m_current = e;
    e->stop();
    e->play();
}
