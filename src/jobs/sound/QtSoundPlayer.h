#pragma once

#include "jobs/sound/ISoundPlayer.h"

#include <QObject>

#include <memory>

class QSoundEffect;

// The sound player of the program, on Qt Multimedia. Lives on the GUI
// thread; Play may be called from any thread and returns at once. Nothing
// ever waits for the sound: without a sound server it simply stays silent.
class QtSoundPlayer : public QObject, public ISoundPlayer
{
    Q_OBJECT

public:
    explicit QtSoundPlayer(QObject *parent = nullptr);
    ~QtSoundPlayer() override;

    void Play(const QString &path) override;

private:
    void PlayHere(const QString &path);

    std::unique_ptr<QSoundEffect> m_effect;
};
