#pragma once

// The built program run unattended from its command line, without a
// display, in a copied program folder with its own virtual recorder.
#include "ProgramFolderCopy.h"
#include "TestEnvironment.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace e2e {

inline const QByteArray BlankDvdPlusRw =
    "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
    "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";
inline const QByteArray UsedDvdPlusRw =
    "[Test DVD Writer]\nmedium = DVD+RW written\nfile = media/test-dvd.iso\n"
    "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";

// Written at 1x (1385 kB/s): a burn of a few megabytes takes seconds.
inline const QByteArray PacedBlankDvdPlusRw =
    "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
    "speeds = 1x\npacing = paced\nerase-time-scale = 0\n";

struct ProgramRun
{
    bool finished = false;
    int exitCode = -1;
    QString standardError;
    QString standardOutput;
};

class UnattendedRunTest : public testing::Test
{
protected:
    void SetUp() override;
    void UseRecorders(const QByteArray &config);
    // Runs the program as a person would from a shell without a display:
    // no platform chosen, no DISPLAY; the program picks offscreen itself.
    ProgramRun RunProgram(const QStringList &arguments) const;
    // The same, started without waiting for the end.
    void StartProgram(QProcess &process, const QStringList &arguments) const;
    static ProgramRun WaitForProgram(QProcess &process);
    // Makes the source folder bigger by a file of this size beside VIDEO_TS.
    void AddFiller(qint64 bytes) const;
    // The medium and its state file, to compare before and after a run.
    QByteArray MediumSnapshot() const;
    // A language text as the shipped english.lng words it.
    QString Text(int id) const;

    QString Desktop() const { return m_home + QStringLiteral("/Desktop"); }
    QString Image() const { return m_copy.File(QStringLiteral("media/test-dvd.iso")); }
    qint64 ImageSize() const;
    // orvane-imagecheck from the program folder: libdvdread, libudfread and
    // isoinfo read the image.
    void ExpectGoodImage() const;
    QString VolumeId() const;
    QString ReadFile(const QString &path) const;

    ProgramFolderCopy m_copy;
    QString m_source;
    QString m_home;
};

} // namespace e2e
