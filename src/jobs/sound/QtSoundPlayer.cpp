#include "jobs/sound/QtSoundPlayer.h"

#include <QMetaObject>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer(QObject *parent) : QObject(parent) {}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::Play(const QString &path)
{
    // Queued to this object's thread when called from a worker; a call still
    // queued when the player goes away is dropped with it.
    QMetaObject::invokeMethod(
        this, [this, path] { PlayHere(path); }, Qt::AutoConnection);
}

void QtSoundPlayer::PlayHere(const QString &path)
{
    // A fresh effect per sound: replacing the old one stops it.
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(path));
    m_effect->play();
}
